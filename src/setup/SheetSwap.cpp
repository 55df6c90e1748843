// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/SheetSwap.h"

#include "history/QuestionKey.h"
#include "setup/ClassRun.h"
#include "setup/SheetProcedures.h"
#include "shared/Module1.h"

#include <algorithm>

namespace sorario {

SheetSwap::SheetSwap(
    Module1 &module, ClassRun &run, PrintSurface &surface, const PrintRunResult &laid, quint64 seed)
    : m_module(module)
    , m_run(run)
    , m_surface(surface)
    , m_outcomes(laid.sheets)
    , m_set(laid.printedQuestions)
    , m_random(seed)
{
}

// What each sheet's pages carry: its draw, less what a Yes at the capacity prompt cut.
QList<QList<QuestionRecord>> SheetSwap::shown() const
{
    QList<QList<QuestionRecord>> sheets;
    for (qsizetype k = 0; k < m_run.drawn().size() && k < m_outcomes.size(); ++k) {
        const QList<QuestionRecord> &drawn = m_run.drawn()[k];
        sheets.append(drawn.first(std::clamp<qsizetype>(m_outcomes[k].QuestionCount, 0, drawn.size())));
    }
    return sheets;
}

QList<QList<QuestionRecord>> SheetSwap::sheets() const
{
    return m_set;
}

bool SheetSwap::swap(int sheet, int position)
{
    QList<QList<QuestionRecord>> sheets = shown();
    if (sheet < 0 || sheet >= sheets.size() || position < 0 || position >= sheets[sheet].size())
        return false;
    QSet<QString> onRun;
    for (const QList<QuestionRecord> &s : sheets)
        for (const QuestionRecord &q : s)
            onRun.insert(QuestionKey(q));
    QStringList poolKeys;
    for (int slot = 1; slot <= std::clamp<int>(m_module.RangeQuestionCount, 0, MaxBankQuestions); ++slot)
        poolKeys.append(QuestionKey(m_module.RangePool(slot)));
    const std::optional<int> slot = ReplacementSlot(poolKeys, onRun, m_run.recent(), m_random);
    if (!slot)
        return false;
    m_run.replace(sheet + 1, position + 1, m_module.RangePool(*slot));
    sheets[sheet][position] = m_module.RangePool(*slot);

    const DrawSheet shownSheet = [&](int k) {
        const QList<QuestionRecord> &questions = sheets[k - 1];
        for (int i = 1; i <= std::min<int>(questions.size(), MaxDrawnQuestions); ++i)
            m_module.DrawnQuestions(i) = questions[i - 1];
        m_module.QuestionCount
            = static_cast<std::int16_t>(std::min<int>(questions.size(), MaxDrawnQuestions));
    };
    shownSheet(1);
    // Laid out again as it was, the sheet either fitted or was printed whole: whole, without asking.
    const PrintRunResult laid = PrintDocument(
        SheetJobOf(m_module, static_cast<int>(sheets.size()), shownSheet, {}, OverflowPolicy::PrintAll),
        m_surface);
    KeepRunInState(m_module, laid);
    if (!laid.printed())
        return false;
    m_outcomes = laid.sheets;
    m_set = laid.printedQuestions;
    return true;
}

} // namespace sorario
