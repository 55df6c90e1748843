// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ReviewRule.h"

#include <QString>
#include <QStringList>

namespace sorario {

// What two class names are compared by: full-width letters and digits folded to
// half-width, and case ignored, so 「１－Ａ」 and "1-a" are one class. The name
// itself is kept as typed.
QString ClassKey(const QString &name);

// The names of `stored` that are `name` by ClassKey, in their order.
QStringList SpellingsOf(const QStringList &stored, const QString &name);
// `names` (newest first) with one name a class: its newest spelling.
QStringList OneNameEach(const QStringList &names);
// Whether `name` is one of `known`, compared by ClassKey.
bool KnownClass(const QStringList &known, const QString &name);
// A class asked for that has no record, and the ones that have.
QString UnknownClassMessage(const QString &name, const QStringList &known);
// The question before a run for a class not seen before.
QString NewClassQuestion(const QString &name);

// The class, 「最近の問題を除く」 and the review (「間違えた問題を優先」 or
// 「個別復習プリント」) of the set-up window's last run.
struct ClassChoice
{
    QString className;
    int avoidRecent = 0;
    ReviewDraw review = ReviewDraw::None;
};

} // namespace sorario
