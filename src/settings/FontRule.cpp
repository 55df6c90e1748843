// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/FontRule.h"

#include "shared/TextHelpers.h"

#include <cmath>

namespace sorario {

QString NormalizedFontName(const QString &face)
{
    return face.startsWith(u'@') ? face.mid(1) : face;
}

std::optional<std::int16_t> NormalizedFontSize(double points)
{
    if (!std::isfinite(points))
        return std::nullopt;
    const std::int64_t size = RoundHalfEven(points);
    if (size < MinFontSize || size > MaxFontSize)
        return std::nullopt;
    return static_cast<std::int16_t>(size);
}

QString FontSizeRefusal()
{
    return QStringLiteral("フォントの大きさは") + NumberText(MinFontSize) + QStringLiteral("から")
        + NumberText(MaxFontSize) + QStringLiteral("ポイントまでです。");
}

} // namespace sorario
