// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QuestionText.h"

#include "print/PrintSurface.h"
#include "shared/QuestionRecord.h"

#include <cmath>

namespace sorario {
namespace {

const QString HintOpen = QStringLiteral("　 〔");
const QString HintClose = QStringLiteral("〕");
const QString RuleIndent = QStringLiteral("　 ");
const QString AnswerMark = QStringLiteral("　■　");

QString questionLine(const QuestionRecord &q, int n)
{
    return NumberLabel(n) + u' ' + q.QuestionText + CrLf;
}

QString hintLine(const QuestionRecord &q)
{
    return HintOpen + q.Hint + HintClose + CrLf;
}

} // namespace

QString NumberLabel(int n)
{
    const QString padded = QStringLiteral("    ") + QString::number(n);
    const int digits = n < 100 ? 2 : n < 1000 ? 3 : static_cast<int>(QString::number(n).size());
    return u'(' + padded.right(digits) + u')';
}

QString DashLine(PrintSurface &surface, int lineWidth)
{
    const QString dash = QStringLiteral("─");
    const double w = surface.textWidth(dash);
    if (!(w > 0))
        throw PrintFailure(PrintFailureKind::FontWithoutWidth);
    const double count = std::floor((lineWidth - 25) / w);
    return count > 0 ? dash.repeated(static_cast<qsizetype>(count)) : QString();
}

bool ShowsHintLine(const QString &hint, HintLines rule)
{
    if (hint.isEmpty() || hint == QLatin1String("**"))
        return false;
    return !(rule == HintLines::Printed && hint == QLatin1String("*"));
}

QString ComposeQuestion(
    const QuestionRecord &q, int n, int answerLayout, const QString &dashLine, HintLines rule)
{
    QString text = questionLine(q, n);
    if (ShowsHintLine(q.Hint, rule))
        text += hintLine(q);
    if (answerLayout == 1)
        text += CrLf + RuleIndent + dashLine;
    return ExpandForcedBreaks(text);
}

QString ComposeQuestionForRun(const QuestionRecord &q, int n, int answerLayout, const QString &dashLine)
{
    QString text = ComposeQuestion(q, n, answerLayout, dashLine, HintLines::Printed);
    if (answerLayout == 1)
        text += CrLf;
    return text;
}

QString ComposeAnswer(const QuestionRecord &q, int n)
{
    QString text = questionLine(q, n);
    if (ShowsHintLine(q.Hint, HintLines::Printed))
        text += hintLine(q);
    text += AnswerMark + q.Answer + CrLf;
    return ExpandForcedBreaks(text);
}

QString ExpandForcedBreaks(QString text)
{
    return text.replace(QStringLiteral("\\/"), CrLf + QStringLiteral("     "));
}

} // namespace sorario
