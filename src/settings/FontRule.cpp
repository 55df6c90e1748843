// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FontRule.h"

#include "shared/TextHelpers.h"

#include <cmath>

namespace sorario {

QString NormalizedFontName(const QString &face)
{
    return face.startsWith(u'@') ? face.mid(1) : face;
}

SettingsOutcome<std::int16_t> NormalizedFontSize(double points)
{
    if (!std::isfinite(points))
        return SettingsOutcome<std::int16_t>::failed(SettingsFault::FontSize);
    const std::int64_t size = RoundHalfEven(points);
    if (size < MinFontSize || size > MaxFontSize)
        return SettingsOutcome<std::int16_t>::failed(SettingsFault::FontSize);
    return static_cast<std::int16_t>(size);
}

} // namespace sorario
