// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SettingsFault.h"

#include "settings/FontRule.h"
#include "settings/SheetSettings.h"
#include "shared/TextHelpers.h"

namespace sorario {

QString SettingsFailureMessage(SettingsFault fault)
{
    switch (fault) {
    case SettingsFault::FontSize:
        break;
    case SettingsFault::SheetLogoLength:
        return QStringLiteral("シートロゴは") + NumberText(MaxSheetLogoLength)
            + QStringLiteral("文字までです。");
    }
    return QStringLiteral("フォントの大きさは") + NumberText(MinFontSize) + QStringLiteral("から")
        + NumberText(MaxFontSize) + QStringLiteral("ポイントまでです。");
}

} // namespace sorario
