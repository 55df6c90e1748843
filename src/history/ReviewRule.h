// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"

#include <QList>
#include <QMap>
#include <QStringList>

#include <array>

namespace sorario {

// Whether a class's draw brings back what it got wrong (「間違えた問題を優先」): the
// class's review on every sheet, or one sheet for each pupil marked (個別復習プリント).
enum class ReviewDraw { None, Class, Pupils };

// One test a class was given: each question it had (by key) with its marks on that
// test, none when the test was not marked; read for pupils, also each pupil's own:
// the questions of the sheet the pupil handed in, with that pupil's marks.
struct ReviewTest
{
    QList<QuestionResult> questions;
    QMap<int, QList<QuestionResult>> pupils;
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

// The pupils (出席番号, ascending) with at least one mark on the class's tests.
QList<int> MarkedPupils(const QList<ReviewTest> &tests);
// One pupil's review: ReviewSlots over the pupil's own marks, then the class's
// review questions (`classSlots`, ReviewSlots over the class) not among them, `count` at most.
QList<int> PupilReviewSlots(const QStringList &poolKeys, int count, const QList<ReviewTest> &tests, int pupil,
    const QList<int> &classSlots, quint64 seed);

} // namespace sorario
