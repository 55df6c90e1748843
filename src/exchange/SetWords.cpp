// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/SetWords.h"

#include "bank/QuestionKinds.h"

#include <optional>

namespace sorario {

namespace {

// Enough to place any group a question line can hold; a bank made to make the search
// long is read as its text.
constexpr int MaxTries = 20000;
constexpr qsizetype MaxSetWords = 64;

struct Placing
{
    const QStringList &words;
    QStringView answer;
    QList<bool> used;
    QList<int> order;
    int &tries; // shared by every place tried in the answer

    // The words still free, each where the last ended, one blank between two.
    bool placeFrom(qsizetype at)
    {
        if (order.size() == words.size())
            return true;
        const bool last = order.size() + 1 == words.size();
        for (int w = 0; w < words.size(); ++w) {
            if (used[w] || ++tries > MaxTries)
                continue;
            const QString &word = words[w];
            if (answer.sliced(at).startsWith(word, Qt::CaseInsensitive)
                && (last || answer.sliced(at + word.size()).startsWith(u' '))) {
                used[w] = true;
                order.append(w);
                if (placeFrom(at + word.size() + 1))
                    return true;
                order.removeLast();
                used[w] = false;
            }
        }
        return false;
    }
};

// The group as a file writes it, or none where the answer does not hold its words.
std::optional<QString> groupInAnswerOrder(QStringList words, QStringView answer)
{
    // Files of earlier versions kept the "_" and the answer's order.
    const bool marked = words.first().startsWith(u'_');
    if (marked)
        words.first().remove(0, 1);
    if (words.size() < 2 || words.size() > MaxSetWords || words.contains(QString()))
        return std::nullopt;
    int tries = 0;
    for (qsizetype at = 0; at < answer.size() && tries <= MaxTries; ++at) {
        Placing placing {words, answer, QList<bool>(words.size(), false), {}, tries};
        if (!placing.placeFrom(at))
            continue;
        QStringList ordered;
        for (const int w : std::as_const(placing.order))
            ordered.append(words[w]);
        // A first word the set lowered is written as the answer has it.
        const QStringView first = answer.sliced(at, ordered.first().size());
        const bool lowered = !marked && first != ordered.first() && first.first().isUpper()
            && first.sliced(1) == QStringView(ordered.first()).sliced(1)
            && first.first().toLower() == ordered.first().front();
        if (lowered)
            ordered.first() = first.toString();
        return KindOpen + (marked || lowered ? QStringLiteral("_") : QString()) + ordered.join(SetSeparator)
            + KindClose;
    }
    return std::nullopt;
}

} // namespace

QString wordsSet(const QuestionRecord &question)
{
    return OnSheet({question.QuestionText, {}, question.Answer}, FixedOrderKey).QuestionText;
}

QString wordsUnset(const QString &text, const QString &answer)
{
    QString out;
    qsizetype from = 0;
    for (qsizetype open = text.indexOf(SetOpen); open >= 0; open = text.indexOf(SetOpen, from)) {
        const qsizetype close = text.indexOf(SetClose, open + SetOpen.size());
        if (close < 0)
            break;
        const QString inner = text.mid(open + SetOpen.size(), close - open - SetOpen.size());
        std::optional<QString> group;
        if (!inner.contains(SetOpen) && !inner.contains(KindOpen) && !inner.contains(KindClose))
            group = groupInAnswerOrder(inner.split(SetSeparator), answer);
        out += text.mid(from, open - from) + group.value_or(text.mid(open, close + SetClose.size() - open));
        from = close + SetClose.size();
    }
    return out + text.mid(from);
}

} // namespace sorario
