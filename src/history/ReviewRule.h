// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"

#include <QList>
#include <QStringList>

#include <array>

namespace sorario {

// Whether a class's draw brings back what it got wrong (「間違えた問題を優先」).
enum class ReviewDraw { None, Class };

// One test a class was given: each question it had (by key) with its marks on that
// test, none when the test was not marked.
struct ReviewTest
{
    QList<QuestionResult> questions;
};

// A question comes back 1, then 3, then 7 tests after it was last given; 7 from then on.
inline constexpr std::array<int, 3> ReviewGaps = {1, 3, 7};
inline constexpr int WellAnsweredPermille = 800;

// The pool slots (from 1) of the questions the class is to review, to be the sheet's
// first `count` questions at most: those it got wrong (× or △) on a test, weakest
// (lowest correct rate over all its tests) first, ties in the order `seed` shuffles
// them into. A question marked at least `wellPermille` on each of its last two tests
// stops coming back; one not yet due by ReviewGaps waits. `tests` run oldest first.
QList<int> ReviewSlots(const QStringList &poolKeys, int count, const QList<ReviewTest> &tests, quint64 seed,
    int wellPermille = WellAnsweredPermille);

} // namespace sorario
