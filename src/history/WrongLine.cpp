// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/WrongLine.h"

#include <QRegularExpression>

#include <algorithm>

namespace sorario {

WrongLineOutcome ParseWrongLine(const QString &typed, int questionCount)
{
    QList<Mark> marks(questionCount, Mark::Right);
    QList<bool> named(questionCount, false);
    static const QRegularExpression separators(QStringLiteral("[\\s,、，]+"));
    const QString text = typed.normalized(QString::NormalizationForm_KC);
    for (const QString &token : text.split(separators, Qt::SkipEmptyParts)) {
        const bool partial = MarkOf(token.back()) == Mark::Partial;
        const QStringView digits = partial ? QStringView(token).chopped(1) : QStringView(token);
        bool isNumber = !digits.isEmpty();
        for (const QChar c : digits)
            isNumber = isNumber && c >= u'0' && c <= u'9';
        if (!isNumber)
            return WrongLineOutcome::failed({WrongLineProblem::Token, questionCount}, token);
        // One key a wrong answer where its number has one digit; a leading 0 only as
        // the whole token ("05"), as before.
        for (qsizetype at = 0; at < digits.size();) {
            const auto fits = [&](qsizetype length) {
                const int n = digits.sliced(at, length).toInt();
                return n >= 1 && n <= questionCount && (digits[at] != u'0' || length == digits.size());
            };
            qsizetype length = std::min<qsizetype>(3, digits.size() - at);
            while (length > 0 && !fits(length))
                --length;
            if (length == 0)
                return WrongLineOutcome::failed({WrongLineProblem::Position, questionCount}, token);
            const int n = digits.sliced(at, length).toInt();
            at += length;
            if (named[n - 1])
                return WrongLineOutcome::failed({WrongLineProblem::Twice, questionCount}, token);
            named[n - 1] = true;
            marks[n - 1] = partial && at == digits.size() ? Mark::Partial : Mark::Wrong;
        }
    }
    return marks;
}

QString WrongLineReading(const QList<Mark> &marks)
{
    QStringList parts;
    for (const Mark kind : {Mark::Wrong, Mark::Partial}) {
        QStringList numbers;
        for (qsizetype q = 0; q < marks.size(); ++q)
            if (marks[q] == kind)
                numbers.append(QString::number(q + 1));
        if (!numbers.isEmpty())
            parts.append(numbers.join(QStringLiteral(", ")) + u' ' + MarkSymbol(kind));
    }
    return parts.isEmpty() ? QStringLiteral("すべて ○") : parts.join(u'　');
}

QString WrongLineMessage(const WrongLineOutcome &refused)
{
    QString reason;
    switch (refused.fault->problem) {
    case WrongLineProblem::Token:
        reason = QStringLiteral("間違えた問題の番号を、空白で区切って入力してください（△は 5△ か 5t）。");
        break;
    case WrongLineProblem::Position:
        reason = QStringLiteral("この用紙の問題は 1 から %1 までです。").arg(refused.fault->questionCount);
        break;
    case WrongLineProblem::Twice:
        reason = QStringLiteral("同じ問題の番号が2回あります。");
        break;
    }
    return reason + QStringLiteral("「%1」").arg(refused.detail);
}

} // namespace sorario
