// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistorySql.h"
#include "history/ReviewRule.h"

namespace sorario {

// The class's tests, oldest first, each question with its marks on the test:
// `classMatch` is the condition on runs.class that names the class, with `names`
// its values. One statement reads them all; for ReviewDraw::Pupils a second reads
// each pupil's own.
QList<ReviewTest> ReadReviewTests(const HistorySql &sql, const QString &classMatch, const QVariantList &names,
    ReviewDraw whose = ReviewDraw::Class);

} // namespace sorario
