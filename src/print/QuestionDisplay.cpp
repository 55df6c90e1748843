// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QuestionDisplay.h"

#include "bank/QuestionKinds.h"

#include "print/QuestionText.h"
#include "print/RecordingSurface.h"
#include "print/SheetLayout.h"
#include "print/TextPlacer.h"
#include "shared/ProgramConstants.h"

#include <limits>
#include <memory>

namespace sorario {
namespace {

// Blanks, ideographic ones too, off the front or the back.
QString withoutBlanks(QString text, bool front)
{
    if (front) {
        qsizetype i = 0;
        while (i < text.size() && text[i].isSpace())
            ++i;
        return text.mid(i);
    }
    qsizetype n = text.size();
    while (n > 0 && text[n - 1].isSpace())
        --n;
    text.truncate(n);
    return text;
}

// One line per composed text: the placer on a line too wide to break, one text per
// printed line, lines joined by a blank.
QList<DisplayLine> displayLines(const QStringList &composed)
{
    PrintMetrics metrics;
    metrics.LineWidth = std::numeric_limits<std::int32_t>::max() / 2;
    metrics.LineSpacing = 1;
    metrics.CharHeight = 1;
    QList<DisplayLine> lines;
    for (const QString &text : composed) {
        RecordingSurface surface;
        surface.setFontSize(DefaultFontSize);
        TextPlacer placer(metrics, WordBreaks::Anywhere, surface, PlacingRules {});
        placer.startAfresh();
        placer.place(text);
        DisplayLine line;
        double y = -1;
        bool lineStart = true; // nothing of this printed line kept yet
        for (const PrintOperation &op : surface.log().texts()) {
            QString piece = op.text;
            if (op.y != y) {
                y = op.y;
                lineStart = true;
            }
            if (lineStart) {
                piece = withoutBlanks(piece, true);
                if (piece.isEmpty())
                    continue;
                if (!line.isEmpty()) {
                    line.last().text = withoutBlanks(line.last().text, false);
                    line.append({QStringLiteral(" "), false});
                }
                lineStart = false;
            }
            if (!line.isEmpty() && line.last().bold == op.emphasis)
                line.last().text += piece;
            else if (!piece.isEmpty())
                line.append({piece, op.emphasis});
        }
        if (!line.isEmpty())
            line.last().text = withoutBlanks(line.last().text, false);
        lines.append(line);
    }
    return lines;
}

} // namespace

QList<DisplayLine> QuestionDisplayLines(const QList<QuestionRecord> &questions)
{
    QStringList composed;
    for (qsizetype i = 0; i < questions.size(); ++i)
        composed.append(ComposeQuestion(questions[i], int(i + 1), 2, QString(), HintLines::Printed));
    return displayLines(composed);
}

QList<DisplayLine> AnswerDisplayLines(const QList<QuestionRecord> &questions, const SheetKey &key)
{
    QStringList composed;
    for (qsizetype i = 0; i < questions.size(); ++i)
        composed.append(ComposeAnswer(OnSheet(questions[i], key), int(i + 1)));
    return displayLines(composed);
}

QuestionRecord PlainOnSheet(const QuestionRecord &q, const SheetKey &key)
{
    const QuestionRecord set = OnSheet(q, key);
    const QString hint = ShowsHintLine(set.Hint, HintLines::Printed) ? set.Hint : QString();
    const QList<DisplayLine> lines = displayLines(
        {ExpandForcedBreaks(set.QuestionText), ExpandForcedBreaks(hint), ExpandForcedBreaks(set.Answer)});
    return {PlainText(lines[0]), PlainText(lines[1]), PlainText(lines[2])};
}

QString PlainText(const DisplayLine &line)
{
    QString text;
    for (const DisplayRun &run : line)
        text += run.text;
    return text;
}

} // namespace sorario
