// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionKinds.h"

#include "bank/SheetOrders.h"

#include <algorithm>

namespace sorario {
namespace {

const QString Labels = QStringLiteral("アイウエオカキクケコ");
static_assert(MaxChoices == 10);

// Blanks, ideographic ones too, taken off both ends of [from, to).
void trimBlanks(const QString &line, qsizetype &from, qsizetype &to)
{
    while (from < to && line[from].isSpace())
        ++from;
    while (to > from && line[to - 1].isSpace())
        --to;
}

// A group's words as views of its line: a sheet sets a long group many times, and
// needs no copy of its words for that.
struct GroupSpan
{
    qsizetype start = 0;
    qsizetype end = 0;
    bool lowerFirst = false;
    QList<QStringView> words;
};

GroupSpan spanAt(const QString &line, qsizetype open, qsizetype close, bool mayLower)
{
    GroupSpan g;
    g.start = open;
    g.end = close + KindClose.size();
    qsizetype piece = open + KindOpen.size();
    if (mayLower && piece < close && line[piece] == u'_') {
        g.lowerFirst = true;
        ++piece;
    }
    for (qsizetype i = piece; i <= close; ++i) {
        if (i < close && line[i] != u'/')
            continue;
        qsizetype from = piece;
        qsizetype to = i;
        trimBlanks(line, from, to);
        g.words.append(QStringView(line).sliced(from, to - from));
        piece = i + 1;
    }
    return g;
}

KindGroup groupOf(const QString &line, const GroupSpan &span)
{
    KindGroup g {span.start, span.end, span.lowerFirst, {}, {}};
    g.words.reserve(span.words.size());
    g.columns.reserve(span.words.size());
    for (const QStringView word : span.words) {
        g.words.append(word.toString());
        g.columns.append(int(word.data() - line.constData()) + 1);
    }
    return g;
}

// The groups of a question line; `unclosed` the column of a "{{" never closed.
QList<GroupSpan> groupSpans(const QString &line, int &unclosed)
{
    QList<GroupSpan> found;
    for (qsizetype pos = line.indexOf(KindOpen); pos >= 0; pos = line.indexOf(KindOpen, pos)) {
        const qsizetype close = line.indexOf(KindClose, pos + KindOpen.size());
        if (close < 0) {
            unclosed = int(pos) + 1;
            break;
        }
        found.append(spanAt(line, pos, close, true));
        pos = close + KindClose.size();
    }
    return found;
}

std::optional<GroupSpan> choiceSpan(const QString &hint)
{
    qsizetype from = 0;
    qsizetype to = hint.size();
    trimBlanks(hint, from, to);
    if (!QStringView(hint).mid(from, to - from).startsWith(KindOpen))
        return std::nullopt;
    const qsizetype close = hint.indexOf(KindClose, from + KindOpen.size());
    if (close < 0 || close + KindClose.size() != to)
        return std::nullopt;
    return spanAt(hint, from, close, false);
}

// A capital would tell which word starts the sentence; "I" and a word in capitals
// ("NHK") are written so wherever they stand.
QString lowerFirst(QString word)
{
    if (word.isEmpty() || !word[0].isUpper())
        return word;
    if (word == u"I" || word.startsWith(QStringLiteral("I'")) || word.startsWith(QStringLiteral("I’")))
        return word;
    qsizetype letters = 0;
    const bool capitals = std::all_of(word.cbegin(), word.cend(), [&letters](QChar c) {
        letters += c.isLetter() ? 1 : 0;
        return !c.isLetter() || c.isUpper();
    });
    if (capitals && letters > 1)
        return word;
    word[0] = word[0].toLower();
    return word;
}

void addWordProblems(QList<KindProblem> &out, const KindGroup &g, int lineOffset)
{
    for (qsizetype w = 0; w < g.words.size(); ++w) {
        if (g.words[w].isEmpty())
            out.append({KindFault::EmptyWord, lineOffset, g.columns[w], {}});
    }
}

// What the sheet would print garbled: a "{{" inside the group, a line break mark
// splitting a word, or a word whose "@" the shuffle would pair with another's.
void addMarkerProblems(QList<KindProblem> &out, const QString &line, const KindGroup &g, int lineOffset)
{
    const qsizetype close = g.end - KindClose.size();
    const qsizetype inner = line.indexOf(KindOpen, g.start + KindOpen.size());
    if (inner >= 0 && inner < close)
        out.append({KindFault::NestedOpen, lineOffset, int(inner) + 1, {}});
    const qsizetype lineBreak = line.indexOf(QStringLiteral("\\/"), g.start);
    if (lineBreak >= 0 && lineBreak + 1 < close)
        out.append({KindFault::BreakInGroup, lineOffset, int(lineBreak) + 1, {}});
    for (qsizetype w = 0; w < g.words.size(); ++w) {
        const QString &word = g.words[w];
        if (word.count(u'@') % 2 != 0)
            out.append({KindFault::MarkInWord, lineOffset, g.columns[w] + int(word.lastIndexOf(u'@')), word});
    }
}

// The first "{{" or "}}" of the line (1-based), 0 when it holds none.
int markerColumn(const QString &line)
{
    const qsizetype open = line.indexOf(KindOpen);
    const qsizetype close = line.indexOf(KindClose);
    if (open < 0 || close < 0)
        return int(std::max(open, close)) + 1;
    return int(std::min(open, close)) + 1;
}

// The first "}}" outside the line's groups.
int strayColumn(const QString &line, const KindGroups &found)
{
    qsizetype from = 0;
    for (const KindGroup &g : found.groups) {
        const qsizetype close = line.indexOf(KindClose, from);
        if (close >= 0 && close < g.start)
            return int(close) + 1;
        from = g.end;
    }
    // After a "{{" never closed there is no "}}" at all.
    return int(line.indexOf(KindClose, from)) + 1;
}

// The words of a group the teacher marks, each with its blanks taken off.
QStringList wordsToMark(QString text, QuestionKind kind)
{
    for (QChar &c : text) {
        if (c.isSpace())
            c = u' ';
    }
    const bool commas = kind == QuestionKind::MultipleChoice && !text.contains(u'/');
    const QChar at = text.contains(u'/') ? u'/'
        : commas && text.contains(u',')  ? u','
        : commas && text.contains(u'、') ? u'、'
                                         : u' ';
    QStringList words;
    for (const QString &word : text.split(at)) {
        if (!word.trimmed().isEmpty())
            words.append(word.trimmed());
    }
    return words;
}

// The words in `order` as a sheet sets them. A separator the order's text holds
// within a word is set as one between words: a sheet has always set it so.
void appendSet(QString &text, const QList<QStringView> &words, const QList<int> &order)
{
    for (qsizetype p = 0; p < order.size(); ++p) {
        if (p > 0)
            text += SetSeparator;
        const QStringView word = words[order[p]];
        if (word.contains(OrderSeparator))
            text += word.toString().replace(OrderSeparator, SetSeparator);
        else
            text += word;
    }
}

} // namespace

QuestionKind KindOf(const QuestionRecord &q)
{
    if (ChoiceGroup(q.Hint))
        return QuestionKind::MultipleChoice;
    return WordGroups(q.QuestionText).groups.isEmpty() ? QuestionKind::FillBlank : QuestionKind::WordOrder;
}

QString GroupText(const QStringList &words)
{
    return KindOpen + words.join(SetSeparator) + KindClose;
}

std::optional<QString> WithGroupMarked(
    const QString &line, qsizetype from, qsizetype length, QuestionKind kind)
{
    const bool whole = length <= 0;
    qsizetype to = whole ? line.size() : std::min(from + length, line.size());
    from = whole ? 0 : std::clamp<qsizetype>(from, 0, to);
    trimBlanks(line, from, to);
    // A sentence's end stays outside its words, with the blanks before it, even
    // when the teacher's selection runs over it.
    while (
        kind == QuestionKind::WordOrder && to > from && QStringLiteral(".?!。？！").contains(line[to - 1])) {
        --to;
        trimBlanks(line, from, to);
    }
    const QString selected = line.mid(from, to - from);
    const QStringList words = wordsToMark(selected, kind);
    if (words.isEmpty() || selected.contains(KindOpen) || selected.contains(KindClose))
        return std::nullopt;
    return line.left(from) + GroupText(words) + line.mid(to);
}

KindGroups WordGroups(const QString &line)
{
    KindGroups found;
    for (const GroupSpan &span : groupSpans(line, found.unclosedColumn))
        found.groups.append(groupOf(line, span));
    return found;
}

std::optional<KindGroup> ChoiceGroup(const QString &hint)
{
    const std::optional<GroupSpan> span = choiceSpan(hint);
    if (!span)
        return std::nullopt;
    return groupOf(hint, *span);
}

QList<KindProblem> KindProblems(const QuestionRecord &q)
{
    QList<KindProblem> out;
    const KindGroups found = WordGroups(q.QuestionText);
    for (const KindGroup &g : found.groups) {
        if (g.words.size() == 1)
            out.append({KindFault::OneWord, 0, int(g.start) + 1, g.words[0]});
        else
            addWordProblems(out, g, 0);
        addMarkerProblems(out, q.QuestionText, g, 0);
    }
    if (found.unclosedColumn > 0)
        out.append({KindFault::Unclosed, 0, found.unclosedColumn, {}});
    if (const int column = strayColumn(q.QuestionText, found))
        out.append({KindFault::StrayClose, 0, column, {}});
    if (const int column = markerColumn(q.Answer))
        out.append({KindFault::Misplaced, 2, column, {}});
    const std::optional<KindGroup> choices = ChoiceGroup(q.Hint);
    if (!choices) {
        if (const int column = WordGroups(q.Hint).unclosedColumn)
            out.append({KindFault::Unclosed, 1, column, {}});
        else if (const int marker = markerColumn(q.Hint))
            out.append({KindFault::Misplaced, 1, marker, {}});
        return out;
    }
    addMarkerProblems(out, q.Hint, *choices, 1);
    if (choices->words.size() == 1)
        out.append({KindFault::OneChoice, 1, int(choices->start) + 1, choices->words[0]});
    if (choices->words.size() > MaxChoices)
        out.append({KindFault::TooManyChoices, 1, choices->columns[MaxChoices], {}});
    addWordProblems(out, *choices, 1);
    for (qsizetype w = 1; w < choices->words.size(); ++w) {
        const QString &word = choices->words[w];
        if (!word.isEmpty() && choices->words.first(w).contains(word))
            out.append({KindFault::DuplicateChoice, 1, choices->columns[w], word});
    }
    qsizetype from = 0;
    qsizetype to = q.Answer.size();
    trimBlanks(q.Answer, from, to);
    const QString answer = q.Answer.mid(from, to - from);
    if (!choices->words.contains(answer))
        out.append({KindFault::AnswerNotAChoice, 2, int(from) + 1, answer});
    return out;
}

QuestionRecord OnSheet(const QuestionRecord &q, const SheetKey &key)
{
    QuestionRecord out = q;
    int unclosed = 0;
    const QList<GroupSpan> groups = groupSpans(q.QuestionText, unclosed);
    const std::optional<GroupSpan> choices = choiceSpan(q.Hint);
    if (groups.isEmpty() && !choices)
        return out;
    QStringList lowered; // the first words set in lower case, which the views below see
    lowered.reserve(groups.size());
    QList<OrderSlot> shuffles;
    for (qsizetype n = 0; n < groups.size(); ++n) {
        const GroupSpan &g = groups[n];
        QList<QStringView> words = g.words;
        if (g.lowerFirst && !words.isEmpty()) {
            lowered.append(lowerFirst(words[0].toString()));
            words[0] = lowered.last();
        }
        shuffles.append({words, QString::number(n), true});
    }
    if (choices)
        shuffles.append({choices->words, {}, false});
    // The same question finds the same orders on every sheet it is set on.
    const QString questionKey = q.QuestionText + OrderSeparator + q.Hint + OrderSeparator + q.Answer;
    const QList<QList<int>> orders = SheetOrders(key.run, questionKey, shuffles, key.sheet);
    if (!groups.isEmpty()) {
        QString text;
        text.reserve(q.QuestionText.size() * 2);
        qsizetype from = 0;
        for (qsizetype n = 0; n < groups.size(); ++n) {
            const GroupSpan &g = groups[n];
            text += QStringView(q.QuestionText).sliced(from, g.start - from);
            text += SetOpen;
            appendSet(text, shuffles[n].words, orders[n]);
            text += SetClose;
            from = g.end;
        }
        text += QStringView(q.QuestionText).sliced(from);
        out.QuestionText = text;
    }
    if (choices) {
        const QList<int> &order = orders.last();
        qsizetype from = 0;
        qsizetype to = q.Answer.size();
        trimBlanks(q.Answer, from, to);
        const QString answer = q.Answer.mid(from, to - from);
        QStringList labelled;
        bool answered = false;
        for (qsizetype p = 0; p < order.size(); ++p) {
            const QStringView word = choices->words[order[p]];
            labelled.append(ChoiceLabel(int(p), key.labels) + u' ' + word.toString());
            if (!answered && word == answer) {
                out.Answer = labelled.last();
                answered = true;
            }
        }
        out.Hint = labelled.join(u'　');
    }
    return out;
}

QString ChoiceLabel(int index, ChoiceLabels labels)
{
    if (labels == ChoiceLabels::Kana && index >= 0 && index < Labels.size())
        return Labels[index];
    return QString::number(index + 1);
}

} // namespace sorario
