// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/RangeSetup.h"

#include "platform/Dialogs.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <algorithm>

namespace sorario {

QStringList PartListEntries(const Module1 &m)
{
    QStringList entries;
    entries.reserve(m.PartCount);
    for (int k = 1; k <= m.PartCount; ++k)
        entries.append(QStringLiteral("その ") + NumberText(k));
    return entries;
}

QStringList QuestionCountEntries(int count)
{
    QStringList entries;
    entries.reserve(std::max(count, 0));
    for (int n = 1; n <= count; ++n)
        entries.append(QString::number(n).rightJustified(5, u' ') + QStringLiteral("題"));
    return entries;
}

RangeDecision DecideRange(Module1 &m, const QList<bool> &selected, Dialogs &dialogs)
{
    RangeDecision result;
    const auto chosen = std::count(selected.begin(), selected.end(), true);
    if (chosen == 0) {
        m.ChosenPartCount = 0;
        dialogs.beep();
        dialogs.message(QStringLiteral("問題範囲を設定して下さい。"), ProgramTitle);
        return result;
    }
    if (chosen > MaxChosenParts) {
        dialogs.beep();
        dialogs.message(QStringLiteral("一度に選べる範囲は") + NumberText(MaxChosenParts)
                + QStringLiteral(" までです。範囲を選びなおして下さい。"),
            ProgramTitle);
        return result;
    }
    if (chosen == selected.size())
        m.AllPartsChosen = 1;

    m.RangeQuestionCount = 0;
    m.ChosenPartCount = 0;
    const int entries = static_cast<int>(selected.size());
    for (int i = 0; i < entries; ++i) {
        if (!selected[i])
            continue;
        const auto [first, last] = PartQuestions(i + 1, entries, m.PartSize, m.BankQuestionCount);
        for (int q = first; q <= last; ++q)
            m.RangePool(m.RangeQuestionCount + q - first + 1) = m.QuestionBank(q);
        m.RangeQuestionCount
            = static_cast<std::int16_t>(m.RangeQuestionCount + std::max(0, last - first + 1));
        ++m.ChosenPartCount;
        m.ChosenPartNumbers(m.ChosenPartCount) = FullWidthDigits(QString::number(i + 1));
    }

    const int offered = std::min<int>(m.RangeQuestionCount, MaxOfferedQuestionCount);
    result.countEntries = QuestionCountEntries(offered);
    if (offered < m.QuestionCount) {
        result.selectedCountIndex = offered - 1;
        m.QuestionCount = static_cast<std::int16_t>(offered);
    } else {
        // A count left at 0 by an earlier empty range would select nothing and print
        // empty sheets: start again from the window's default instead.
        if (m.QuestionCount < 1)
            m.QuestionCount = static_cast<std::int16_t>(std::min<int>(DefaultQuestionCount, offered));
        result.selectedCountIndex = m.QuestionCount - 1;
    }
    result.decided = true;
    return result;
}

QuestionRun PartQuestions(int part, int partCount, int partSize, int questionCount)
{
    return {partSize * (part - 1) + 1, part == partCount ? questionCount : part * partSize};
}

void ResetSetupState(Module1 &m)
{
    m.options.AnswerLayout = 1;
    m.options.AttachAnswers = 1;
    m.QuestionCount = DefaultQuestionCount;
}

} // namespace sorario
