// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/SettingsFiles.h"

#include "settings/PrintOptionsFile.h"
#include "shared/Module1.h"

namespace sorario {

SettingsFolders settingsFoldersOf(const Module1 &m)
{
    return {m.ProgramFolder, m.SettingsFolder};
}

void LoadFontSettings(Module1 &m)
{
    readFontSettings(settingsFoldersOf(m), m.options);
}

void SaveFontSettings(const Module1 &m)
{
    saveFontSettings(settingsFoldersOf(m), m.options);
}

void LoadSheetLogo(Module1 &m)
{
    readSheetLogo(settingsFoldersOf(m), m.options);
}

void SaveSheetLogo(const Module1 &m)
{
    saveSheetLogo(settingsFoldersOf(m), m.options);
}

void loadPrintOptions(Module1 &m)
{
    loadPrintOptions(settingsFoldersOf(m), m.options);
}

void SavePrintOptions(const Module1 &m)
{
    savePrintOptions(settingsFoldersOf(m), m.options);
}

} // namespace sorario
