// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/StartFolder.h"

#include "settings/PrintOptionsFile.h"
#include "setup/SettingsFiles.h"
#include "shared/Module1.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace sorario {
namespace {

const QString LastFolderKey = QStringLiteral("main/lastFolder");

} // namespace

bool IsInstalledCopy(const Module1 &m)
{
    return !m.SettingsFolder.isEmpty() && QDir(m.SettingsFolder) != QDir(m.ProgramFolder);
}

QString StartFolder(
    const Module1 &m, const QStringList &arguments, const QString &current, const QString &documents)
{
    for (const QString &argument : arguments) {
        const QFileInfo file(argument);
        if (file.isFile())
            return file.absolutePath();
    }
    if (!IsInstalledCopy(m))
        return current;
    const QString last
        = readSettingsFile(PrintOptionsFilePath(settingsFoldersOf(m))).value(LastFolderKey).toString();
    if (!last.isEmpty() && QFileInfo(last).isDir())
        return last;
    return QFileInfo(documents).isDir() ? documents : current;
}

void RememberStartFolder(const Module1 &m, const QString &folder)
{
    if (IsInstalledCopy(m))
        updateOptionsFile(
            settingsFoldersOf(m), [&folder](QSettings &file) { file.setValue(LastFolderKey, folder); });
}

} // namespace sorario
