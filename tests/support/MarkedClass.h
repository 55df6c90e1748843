// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"

#include <QDir>

namespace sorario::test {

// Class 3A's marked tests, their question files in `folder`: 「Unit 1」 of 2026-04-10
// (04100900, four questions at the default 25 points), pupil 1 ○○○× and 2 ○△××, one
// sheet without a number; 「Unit 2」 of 2026-04-17 (three at 15 points set), pupils 1
// ○○△, 2 ○○○, 3 ×○△; and 「Unit 3」 of 2026-04-18, pupil 1 ○○. False when not recorded.
inline bool recordMarkedClass(const HistoryStore &store, const QString &folder)
{
    constexpr Mark R = Mark::Right, W = Mark::Wrong, P = Mark::Partial;
    const auto record = [&](const QString &title, int day, int questions, const QList<MarkedSheet> &rows,
                            std::optional<int> points) {
        RecordedRun run;
        run.className = QStringLiteral("3A");
        run.when = QDateTime(QDate(2026, 4, day), QTime(9, 0));
        run.files = {{QDir(folder).filePath(title + QStringLiteral(".qvn")), {}, FileHeadings {title, {}}}};
        run.sheets = {{run.when.toString(QStringLiteral("MMddhhmm")), run.when,
            QList<QuestionRecord>(questions, {QStringLiteral("q"), {}, QStringLiteral("a")})}};
        if (!store.record(run).ok())
            return false;
        run = store.runs().value.value(0);
        return store.recordMarks(run, rows).ok() && store.setRunPoints(run, points).ok();
    };
    return record(QStringLiteral("Unit 1"), 10, 4,
               {{1, 1, {R, R, R, W}}, {2, 1, {R, P, W, W}}, {0, 1, {R, R, R, R}}}, std::nullopt)
        && record(
            QStringLiteral("Unit 2"), 17, 3, {{1, 1, {R, R, P}}, {2, 1, {R, R, R}}, {3, 1, {W, R, P}}}, 150)
        && record(QStringLiteral("Unit 3"), 18, 2, {{1, 1, {R, R}}}, std::nullopt);
}

} // namespace sorario::test
