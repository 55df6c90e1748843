// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionKinds.h"

#include <QString>

class QDateTime;

namespace sorario {

class PrintSurface;
struct SheetHeading;

inline const QString HeaderFontName = QStringLiteral("ＭＳ ゴシック");

// The block at the top of a sheet: frame, sheet number made from `when` (and the
// pupil of a pupil's own sheet, when above 0), logo, the fields the pupil fills in,
// title and range. Leaves the header font at 12 points on the surface.
void printSheetHeader(
    const SheetHeading &heading, int sheetIndex, int pupil, const QDateTime &when, PrintSurface &surface);

// First file's SheetCode + "(SheetNo.:mmddhhnn)", or "(SheetNo.:mmddhhnn-k)" for sheet k
// of a run of several.
QString SheetNumberText(const SheetHeading &heading, int sheetIndex, const QDateTime &when);
// "mmddhhnn", or "mmddhhnn-k" for sheet k (k > 0) of a run of several; `letters`
// follow the minute.
QString SheetNumber(const QDateTime &when, int sheetIndex, const QString &letters = {});
// What sets the kinds of the questions on a sheet: the sheet number of the run (the
// minute `now` and its letters), the sheet's place in it and the labels of the choices.
SheetKey KindsKey(const QDateTime &now, const QString &letters, int sheetIndex, ChoiceLabels labels);
// The same read back from a sheet number as printed: "05010900b-2" is sheet 2 of "05010900b".
SheetKey KindsKeyOf(const QString &sheetNumber, ChoiceLabels labels);
// The range line has room for this many characters in the header.
inline constexpr int HeaderRangeLimit = 17;

} // namespace sorario
