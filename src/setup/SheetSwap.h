// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PreviewDocument.h"
#include "print/PrintRun.h"
#include "shared/QuestionRecord.h"

#include <random>

namespace sorario {

struct Module1;
class ClassRun;
class PrintSurface;

// The preview's 「入れ替え」 over a run's sheets as laid out on `surface`: a question
// is replaced by another of the range that no sheet of the run carries, and none the
// class had lately while others remain; then the pages are laid out again. It starts
// from the layout `laid` and keeps each new layout's outcomes and questions as set.
class SheetSwap : public PreviewQuestions
{
public:
    SheetSwap(Module1 &m, ClassRun &run, PrintSurface &surface, const PrintRunResult &laid, quint64 seed);

    QList<QList<QuestionRecord>> sheets() const override;
    bool swap(int sheet, int position) override;
    const QList<SheetOutcome> &outcomes() const { return m_outcomes; }

private:
    QList<QList<QuestionRecord>> shown() const;

    Module1 &m_module;
    ClassRun &m_run;
    PrintSurface &m_surface;
    QList<SheetOutcome> m_outcomes;
    QList<QList<QuestionRecord>> m_set; // as the sheets set them, for the list
    std::mt19937_64 m_random;
};

} // namespace sorario
