// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

struct Module1;

// Vk.ini and Vk.rog in m.SettingsFolder (m.ProgramFolder while that is empty).
// Saving creates the folder when it is missing.
QString SettingsFilePath(const Module1 &m);
QString LogoFilePath(const Module1 &m);

void LoadFontSettings(Module1 &m);
void SaveFontSettings(const Module1 &m);
void LoadSheetLogo(Module1 &m);
void SaveSheetLogo(const Module1 &m);

} // namespace sorario
