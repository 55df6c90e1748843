// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace sorario {

struct Module1;

// What the Windows installer puts beside the program, and a portable folder lacks.
inline constexpr QLatin1StringView WindowsUninstaller("uninstall.exe");

// The folder of the running executable, without a trailing separator.
QString programFolder();

// Whether the current user may create files in the folder.
bool folderIsWritable(const QString &folder);

// The user's own folder for Vk.ini and Vk.rog when the program's folder is no
// place for them ($XDG_CONFIG_HOME/sorario, on Windows %APPDATA%\sorario); empty
// when the system names no configuration folder.
QString userSettingsFolder();

// The read-only data (read-me, samples) of an installed copy: <prefix>/share/sorario
// for an executable in <prefix>/bin.
QString installedDataFolder(const QString &programFolder);

// Sets m.ProgramFolder to the executable's folder and m.SettingsFolder to where
// Vk.ini and Vk.rog belong. A portable copy keeps them beside the executable; an
// installed one, whose folder the user cannot write, which belongs to the
// system's package layout or holds the installer's uninstaller, keeps them in
// userSettingsFolder(). Creates nothing:
// saving creates the settings folder when it is missing.
void InitialiseFolders(Module1 &m);

// The same with the executable's folder, the writability test and the user's
// folder given, so both kinds of copy can be tried by anyone, root included.
void InitialiseFolders(Module1 &m, const QString &executableFolder,
    const std::function<bool(const QString &)> &writable, const QString &userFolder);

// Readme.txt beside the executable, or else that of the installed data folder;
// the path beside the executable when neither exists. Empty without a program folder.
QString ReadmePath(const Module1 &m);

} // namespace sorario
