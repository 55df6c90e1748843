// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RecentRule.h"

#include "shared/TextHelpers.h"

#include <algorithm>

namespace sorario {

ShrunkPool avoidRecent(const QStringList &poolKeys, int count, const RecentUse &use)
{
    ShrunkPool pool;
    QList<int> recent;
    for (int slot = 1; slot <= poolKeys.size(); ++slot)
        (use.recent.contains(poolKeys[slot - 1]) ? recent : pool.slots).append(slot);
    const int missing = std::min<int>(count - pool.slots.size(), recent.size());
    if (missing <= 0)
        return pool;
    std::stable_sort(recent.begin(), recent.end(), [&](int a, int b) {
        return use.lastGiven.value(poolKeys[a - 1]) < use.lastGiven.value(poolKeys[b - 1]);
    });
    pool.slots += recent.first(missing);
    std::sort(pool.slots.begin(), pool.slots.end());
    pool.repeats = missing;
    return pool;
}

QString RepeatNotice(int repeats)
{
    return QStringLiteral("最近の問題を除くと問題が足りないため、") + NumberText(repeats)
        + QStringLiteral(" 問は以前に出した問題から選びました。");
}

std::optional<int> ReplacementSlot(const QStringList &poolKeys, const QSet<QString> &onRun,
    const QSet<QString> &recent, std::mt19937_64 &random)
{
    QList<int> fresh;
    QList<int> free;
    for (int slot = 1; slot <= poolKeys.size(); ++slot) {
        const QString &key = poolKeys[slot - 1];
        if (onRun.contains(key))
            continue;
        free.append(slot);
        if (!recent.contains(key))
            fresh.append(slot);
    }
    const QList<int> &from = fresh.isEmpty() ? free : fresh;
    if (from.isEmpty())
        return std::nullopt;
    return from[static_cast<qsizetype>(random() % static_cast<quint64>(from.size()))];
}

} // namespace sorario
