// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/BracketExchange.h"

namespace sorario {
namespace {

// 0-based position of the first of either form, -1 when neither occurs.
qsizetype firstOf(const QString &text, char16_t fullWidth, char16_t halfWidth)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == fullWidth || c == halfWidth)
            return i;
    }
    return -1;
}

} // namespace

QuestionRecord ExchangeBracket(const QuestionRecord &question)
{
    const QString &q = question.QuestionText;
    const qsizetype open = firstOf(q, u'（', u'(');
    const qsizetype close = firstOf(q, u'）', u')');
    // A closing bracket before the opening one gives no pair to fill.
    if (open < 0 || close < 0 || close < open)
        return question;

    QuestionRecord exchanged = question;
    exchanged.QuestionText = q.left(open + 1) + question.Answer + q.mid(close);
    exchanged.Answer = q.mid(open + 1, close - open - 1);
    return exchanged;
}

} // namespace sorario
