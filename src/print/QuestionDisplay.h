// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace sorario {

struct QuestionRecord;
struct SheetKey;

// A piece of a line as a list shows it: its text and whether the sheet prints it emphasised.
struct DisplayRun
{
    QString text;
    bool bold = false;

    friend bool operator==(const DisplayRun &, const DisplayRun &) = default;
};
using DisplayLine = QList<DisplayRun>;

// Each question on one line as the question page prints it (number, question, hint
// line): placed by the sheet's own rules, so "@" emphasis, "\/" and hints that print
// nothing come out as on paper; every line break becomes one blank.
QList<DisplayLine> QuestionDisplayLines(const QList<QuestionRecord> &questions);
// The same as the answer page of `key`'s sheet prints them, the answer after "■".
QList<DisplayLine> AnswerDisplayLines(const QList<QuestionRecord> &questions, const SheetKey &key);
// Its three texts as `key`'s sheet prints them, in plain text for a table: no markers,
// and no hint where the sheet prints none.
QuestionRecord PlainOnSheet(const QuestionRecord &q, const SheetKey &key);

QString PlainText(const DisplayLine &line);

} // namespace sorario
