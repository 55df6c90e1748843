// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/PrintChoices.h"
#include "shared/QuestionRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace sorario {

// The two question kinds besides fill-the-blank, as the file marks them:
// - word order: "{{She / is / a teacher}}" in the question line, the words in the
//   answer's order; "{{_" lower-cases the first word on the sheet;
// - multiple choice: a hint line that is one "{{go / goes / went}}", the right
//   choice the answer line.
// A doubled brace stands in no question by accident: neither English nor Japanese
// punctuation doubles it.
inline const QString KindOpen = QStringLiteral("{{");
inline const QString KindClose = QStringLiteral("}}");
// How a sheet sets a group's words: "（ good / She / is ）".
inline const QString SetOpen = QStringLiteral("（ ");
inline const QString SetClose = QStringLiteral(" ）");
inline const QString SetSeparator = QStringLiteral(" / ");

// One "{{ … }}" of a line: where it stands and its words, each with its column.
struct KindGroup
{
    qsizetype start = 0; // index of "{{"
    qsizetype end = 0; // index just after "}}"
    bool lowerFirst = false; // "{{_"
    QStringList words; // blanks at either end taken off
    QList<int> columns; // 1-based column of each word in the line
};

// Every group of a question line, and where an unclosed "{{" stands (0: none).
struct KindGroups
{
    QList<KindGroup> groups;
    int unclosedColumn = 0;
};
KindGroups WordGroups(const QString &line);

// The choices of a hint line that is a single group; none for any other hint.
std::optional<KindGroup> ChoiceGroup(const QString &hint);

// The kind a question's markers make it: a multiple choice when its hint line is one
// group, else a word order when its question line holds a group, else a fill-the-blank.
enum class QuestionKind { FillBlank, WordOrder, MultipleChoice };
QuestionKind KindOf(const QuestionRecord &q);

// A group as a file holds it: "{{go / goes / went}}".
QString GroupText(const QStringList &words);

// The line with the teacher's words in [from, from + length) made a group of `kind`:
// split at "/" when they hold one, else for choices at "," or "、" when they hold one,
// else at blanks. Nothing selected is the whole line; a word order's end punctuation
// stays outside, selected or not. Nothing when there are no words, or they hold a
// marker already.
std::optional<QString> WithGroupMarked(
    const QString &line, qsizetype from, qsizetype length, QuestionKind kind);

enum class KindFault {
    Unclosed, // "{{" without its "}}"
    OneWord, // a word-order group of a single word
    EmptyWord, // "//", or "/" at either end
    OneChoice,
    TooManyChoices, // more than the labels ア to コ
    DuplicateChoice,
    AnswerNotAChoice,
    NestedOpen, // "{{" inside a group
    StrayClose, // "}}" closing no group
    Misplaced, // a marker on a hint line that is no group, or on the answer line
    BreakInGroup, // "\/" inside a group: the line would break between words
    MarkInWord, // a word of a group with an unpaired "@": the shuffle would move it
};

struct KindProblem
{
    KindFault fault = KindFault::Unclosed;
    int lineOffset = 0; // 0 the question line, 1 the hint, 2 the answer
    int column = 0; // 1-based
    QString text; // the word named

    friend bool operator==(const KindProblem &, const KindProblem &) = default;
};

// What keeps a question from being set as its kind means.
QList<KindProblem> KindProblems(const QuestionRecord &q);

// Which sheet a question is set on: the run's sheet number without the sheet's
// place ("mmddhhnn" and its letters), and that place (0 for a run of one sheet).
// The history keeps both in the sheet number, so a reprint sets the same order. The
// labels name the choices, whatever their order.
struct SheetKey
{
    QString run;
    int sheet = 0;
    ChoiceLabels labels = ChoiceLabels::Kana;
};

// The question as `key`'s sheet prints it: each word group shuffled into
// "（ … / … ）", never in the answer's order and, sheet after sheet of a run, in
// an order no earlier sheet had while there is one; the choices in the sheet's own
// order as "ア … イ …" on the hint line and the answer as the right one's label and
// word. A question of neither kind comes back as it is.
QuestionRecord OnSheet(const QuestionRecord &q, const SheetKey &key);
// For a question read apart from any one sheet (an export, a summary over many
// sheets): the same fixed order for it everywhere, on every machine.
inline const SheetKey FixedOrderKey {QStringLiteral("export"), 0};

// The label of the choice at `index` (from 0): ア, イ, ウ, … or 1, 2, 3, …
QString ChoiceLabel(int index, ChoiceLabels labels = ChoiceLabels::Kana);
inline constexpr int MaxChoices = 10;

} // namespace sorario
