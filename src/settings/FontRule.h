// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SettingsFault.h"

#include <QString>

#include <cstdint>

namespace sorario {

// Below 8 points the sheet's 2 mm line pitch overprints lines; above 40 a line
// holds only a few characters.
inline constexpr int MinFontSize = 8;
inline constexpr int MaxFontSize = 40;

// The face the sheet prints with: the vertical-writing "@" face prints sideways,
// so its plain face is kept.
QString NormalizedFontName(const QString &face);

// The size rounded half to even (10.5 -> 10, 11.5 -> 12); refused outside 8..40.
SettingsOutcome<std::int16_t> NormalizedFontSize(double points);

} // namespace sorario
