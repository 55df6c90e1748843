// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QString>

namespace sorario {

// Why a setting the teacher chose is refused.
enum class SettingsFault {
    FontSize, // outside MinFontSize..MaxFontSize once rounded
    SheetLogoLength, // longer than MaxSheetLogoLength
};

template <typename T = std::monostate> using SettingsOutcome = Outcome<SettingsFault, T>;

// The refusal as the teacher reads it.
QString SettingsFailureMessage(SettingsFault fault);

template <typename T> QString SettingsFailureMessage(const SettingsOutcome<T> &refused)
{
    return SettingsFailureMessage(*refused.fault);
}

} // namespace sorario
