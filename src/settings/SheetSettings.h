// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/LineFile.h"
#include "settings/SettingsFault.h"
#include "shared/SheetOptions.h"

#include <QString>
#include <QStringList>

namespace sorario {

// Where Vk.ini, Vk.rog and Sorario.ini are kept: `settingsFolder`, or `programFolder`
// while that is empty. Saving creates the folder when it is missing.
struct SettingsFolders
{
    QString programFolder;
    QString settingsFolder;
};

QString SettingsFilePath(const SettingsFolders &folders);
QString LogoFilePath(const SettingsFolders &folders);

// A settings file holds a line or two: a bigger one, or one that is no regular file,
// is no file the program wrote and reads as broken (the defaults), without reading
// more of it than this.
inline constexpr qint64 MaxSettingsFileBytes = 64 * 1024;
bool IsReadableSettingsFile(const QString &path);

// The face and size of Vk.ini into `options`; a missing or broken file gives the defaults.
void readFontSettings(const SettingsFolders &folders, SheetOptions &options);
// The same on a file already read.
void readFontSettings(const LineFileRead &file, SheetOptions &options);
// The lines a save writes.
QStringList FontSettingsLines(const SheetOptions &options);
// A failed save is not reported; the old file stays whole.
void saveFontSettings(const SettingsFolders &folders, const SheetOptions &options);
// A longer logo prints over the sheet number that a reprint is asked by: it is
// refused where it is set and read from a file as the default.
inline constexpr int MaxSheetLogoLength = 100;
SettingsOutcome<> CheckSheetLogo(const QString &logo);

void readSheetLogo(const SettingsFolders &folders, SheetOptions &options);
void readSheetLogo(const LineFileRead &file, SheetOptions &options);
QStringList SheetLogoLines(const SheetOptions &options);
void saveSheetLogo(const SettingsFolders &folders, const SheetOptions &options);

} // namespace sorario
