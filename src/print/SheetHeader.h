// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionKinds.h"

#include <QString>

class QDateTime;

namespace sorario {

struct Module1;
class PrintSurface;

inline const QString HeaderFontName = QStringLiteral("ＭＳ ゴシック");

// The block at the top of a sheet: frame, sheet number (and the pupil of a pupil's
// own sheet), logo, the fields the pupil fills in, title and range. Reads the clock on every call. Leaves the
// header font at 12 points on the surface.
void PrintHeader(const Module1 &m, PrintSurface &surface);
// The same with the sheet number made from `when`.
void PrintHeader(const Module1 &m, PrintSurface &surface, const QDateTime &when);

// First file's SheetCode + "(SheetNo.:mmddhhnn)", or "(SheetNo.:mmddhhnn-k)" for sheet k
// of a run of several.
QString SheetNumberText(const Module1 &m, const QDateTime &when);
// "mmddhhnn", or "mmddhhnn-k" for sheet k (k > 0) of a run of several; `letters`
// follow the minute.
QString SheetNumber(const QDateTime &when, int sheetIndex, const QString &letters = {});
// What sets the kinds of the questions on the sheet `m` prints now: the sheet number
// of the run, the sheet's place in it and the labels of the choices.
SheetKey KindsKey(const Module1 &m);
// The range line has room for this many characters in the header.
inline constexpr int HeaderRangeLimit = 17;

} // namespace sorario
