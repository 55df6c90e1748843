// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;
class Dialogs;

// The draw holds this many questions, so the count list offers no more.
inline constexpr int MaxOfferedQuestionCount = 1000;

// "その" + blank + number with its sign blank: "その  1", one entry per part.
QStringList PartListEntries(const Module1 &m);

// "    1題" … : each count right-aligned in five characters, then "題".
QStringList QuestionCountEntries(int count);

struct RangeDecision
{
    bool decided = false;
    QStringList countEntries; // the question-count list to show
    int selectedCountIndex = -1; // 0-based entry to select, -1 for none
};

// The bank slots (from 1) of part `part` (from 1) of `partCount` parts of `partSize`
// questions; the last part runs to `questionCount`. Empty (last < first) when the
// part holds none.
struct QuestionRun
{
    int first = 1;
    int last = 0;
};
QuestionRun PartQuestions(int part, int partCount, int partSize, int questionCount);

// The range decision ("範囲決定") over the part list's selection, one flag per entry.
// Copies the chosen parts into the RangePool and settles QuestionCount.
RangeDecision DecideRange(Module1 &m, const QList<bool> &selected, Dialogs &dialogs);

// Opening values of the set-up window's state (options, count).
void ResetSetupState(Module1 &m);

} // namespace sorario
