// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/TextHelpers.h"

#include <QString>

namespace sorario {

class PrintSurface;
struct QuestionRecord;

// "( 7)", "(99)", "(100)"; four-digit numbers keep all their digits: "(1000)".
QString NumberLabel(int n);

// The answer rule: "─" as many times as fits into LineWidth - 25 mm in the
// surface's current font. Throws PrintFailure when the font measures nothing.
QString DashLine(PrintSurface &surface, int lineWidth);

// Which hints get no hint line. The measuring pass only leaves out "" and "**";
// the printed sheet leaves out "*" too, so "*" is measured one line longer.
enum class HintLines { Measured, Printed };
bool ShowsHintLine(const QString &hint, HintLines rule);

// One question as the question page lays it out, ready for placing: the
// number label, the question, the hint line, and in layout 1 an empty line and
// the answer rule (not ended by a line break). "\/" already turned into line
// breaks.
QString ComposeQuestion(
    const QuestionRecord &q, int n, int answerLayout, const QString &dashLine, HintLines rule);

// The same for a whole-test text: every question ends with a line break.
QString ComposeQuestionForRun(const QuestionRecord &q, int n, int answerLayout, const QString &dashLine);

// One question of the answer page: question, hint line, "　■　" and the answer.
QString ComposeAnswer(const QuestionRecord &q, int n);

// "\/" as a line break whose next line starts with five blanks.
QString ExpandForcedBreaks(QString text);

} // namespace sorario
