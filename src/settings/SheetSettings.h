// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LineFile.h"
#include "settings/SettingsFault.h"

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

// Vk.ini and Vk.rog in m.SettingsFolder (m.ProgramFolder while that is empty).
// Saving creates the folder when it is missing.
QString SettingsFilePath(const Module1 &m);
QString LogoFilePath(const Module1 &m);

// A settings file holds a line or two: a bigger one, or one that is no regular file,
// is no file the program wrote and reads as broken (the defaults), without reading
// more of it than this.
inline constexpr qint64 MaxSettingsFileBytes = 64 * 1024;
bool IsReadableSettingsFile(const QString &path);

void LoadFontSettings(Module1 &m);
// The same on a file already read (a missing one gives the defaults).
void LoadFontSettings(Module1 &m, const LineFileRead &file);
// The lines a save writes.
QStringList FontSettingsLines(const Module1 &m);
void SaveFontSettings(const Module1 &m);
// A longer logo prints over the sheet number that a reprint is asked by: it is
// refused where it is set and read from a file as the default.
inline constexpr int MaxSheetLogoLength = 100;
SettingsOutcome<> CheckSheetLogo(const QString &logo);

void LoadSheetLogo(Module1 &m);
void LoadSheetLogo(Module1 &m, const LineFileRead &file);
QStringList SheetLogoLines(const Module1 &m);
void SaveSheetLogo(const Module1 &m);

} // namespace sorario
