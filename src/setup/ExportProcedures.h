// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SheetDraw.h"

#include <QString>

#include <memory>

class QTextDocument;

namespace sorario {

struct Module1;

// The state's drawn questions as one test in text, under its title and range line.
QString BuildTestText(const Module1 &m);

// The tests of m.options.sheetCount sheets, each drawn into the state by `draw`, as
// text; for one sheet this is BuildTestText of one draw.
QString BuildSheetTexts(Module1 &m, const DrawSheet &draw);

// The same sheets as a document, its lines broken at the state's metrics.
std::unique_ptr<QTextDocument> buildTestDocument(Module1 &m, const DrawSheet &draw);

// With AnswerLayout 2: the bracket exchange on every drawn question, in place.
void ExchangeBracketAndAnswer(Module1 &m);

} // namespace sorario
