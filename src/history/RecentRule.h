// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <random>

namespace sorario {

// What a class was given before, by question key (QuestionKey).
struct RecentUse
{
    QSet<QString> recent; // on the class's last K recorded runs
    QHash<QString, qint64> lastGiven; // the latest recorded run that had it; larger is later
};

struct ShrunkPool
{
    QList<int> slots; // pool slots (from 1) the draw may take, in pool order
    int repeats = 0; // recent questions taken back because too few others remained
};

// The pool without the recent questions. When fewer than `count` remain, recent
// ones are taken back, those the class had longest ago first, until `count` can
// be drawn. The draw itself stays as it is; only its pool is smaller.
ShrunkPool avoidRecent(const QStringList &poolKeys, int count, const RecentUse &use);

// What the teacher is told when questions repeat.
QString RepeatNotice(int repeats);

// A pool slot (from 1) to stand in for a question of a run: none of `onRun`, and
// none of `recent` while others remain. Nothing when every pool question is on the run.
std::optional<int> ReplacementSlot(const QStringList &poolKeys, const QSet<QString> &onRun,
    const QSet<QString> &recent, std::mt19937_64 &random);

} // namespace sorario
