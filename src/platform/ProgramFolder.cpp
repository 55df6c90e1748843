// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramFolder.h"

#include "shared/Module1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace sorario {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

bool folderIsWritable(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

QString userSettingsFolder()
{
#ifdef Q_OS_WIN
    // The roaming profile, which follows the teacher from one school PC to the next.
    const QString base = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    if (base.isEmpty())
        return {};
    return QDir(base).filePath(QStringLiteral("sorario"));
}

QString installedDataFolder(const QString &programFolder)
{
    if (programFolder.isEmpty())
        return {};
    return QDir::cleanPath(programFolder + QStringLiteral("/../share/sorario"));
}

void InitialiseFolders(Module1 &m)
{
    InitialiseFolders(m, programFolder(), folderIsWritable, userSettingsFolder());
}

void InitialiseFolders(Module1 &m, const QString &executableFolder,
    const std::function<bool(const QString &)> &writable, const QString &userFolder)
{
    m.ProgramFolder = executableFolder;
    // Root may write anywhere, /usr/bin too, and a user his own installation on
    // Windows: a copy laid out as a package, or one the installer put there (it
    // leaves its uninstaller beside the program), keeps its settings with the user.
    const bool installed = QFileInfo(installedDataFolder(executableFolder)).isDir()
        || QFileInfo::exists(QDir(executableFolder).filePath(WindowsUninstaller));
    if (!installed && writable(executableFolder))
        m.SettingsFolder = executableFolder;
    else if (!userFolder.isEmpty())
        m.SettingsFolder = userFolder;
    else
        m.SettingsFolder = executableFolder; // still read; saving fails quietly
}

QString ReadmePath(const Module1 &m)
{
    if (m.ProgramFolder.isEmpty())
        return {};
    const QString beside = QDir(m.ProgramFolder).filePath(QStringLiteral("Readme.txt"));
    if (QFileInfo::exists(beside))
        return beside;
    const QString installed
        = QDir(installedDataFolder(m.ProgramFolder)).filePath(QStringLiteral("Readme.txt"));
    if (QFileInfo::exists(installed))
        return installed;
    return beside;
}

} // namespace sorario
