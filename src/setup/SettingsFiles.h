// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SheetSettings.h"

namespace sorario {

struct Module1;

// Where the state keeps its settings files.
SettingsFolders settingsFoldersOf(const Module1 &m);

// Vk.ini's face and size, Vk.rog's logo and Sorario.ini's print options, read into the
// state's options or saved from them.
void LoadFontSettings(Module1 &m);
void SaveFontSettings(const Module1 &m);
void LoadSheetLogo(Module1 &m);
void SaveSheetLogo(const Module1 &m);
void loadPrintOptions(Module1 &m);
void SavePrintOptions(const Module1 &m);

} // namespace sorario
