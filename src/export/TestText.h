// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SheetDraw.h"

#include <QString>

namespace sorario {

struct Module1;

// The whole export file as text (CR LF line ends), from the drawn questions.
QString BuildTestText(const Module1 &m);

// The tests of m.options.sheetCount sheets one after another: each drawn by `draw`, with
// the bracket exchange for AnswerLayout 2, and SheetSeparator between two tests.
// For one sheet this is BuildTestText of one draw.
QString BuildSheetTexts(Module1 &m, const DrawSheet &draw);
// Stands between two tests: the 66 hyphens inside a test stay unmistakable.
inline const QString SheetSeparator = QString(66, u'=');

} // namespace sorario
