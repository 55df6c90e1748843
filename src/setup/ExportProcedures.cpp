// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/ExportProcedures.h"

#include "export/BracketExchange.h"
#include "export/TestDocument.h"
#include "export/TestText.h"
#include "setup/SheetProcedures.h"
#include "shared/Module1.h"

#include <QTextDocument>

#include <algorithm>

namespace sorario {
namespace {

// An export names every sheet of a run of several by its place, and one alone by none.
SheetJob exportJobOf(Module1 &m, const DrawSheet &draw)
{
    if (draw)
        draw(1);
    SheetJob job = SheetJobOf(m, m.options.sheets(), draw, {}, OverflowPolicy::PrintAll);
    job.heading = SheetHeadingOf(m, 0);
    job.sheetIndex = 0;
    return job;
}

} // namespace

QString BuildTestText(const Module1 &m)
{
    QList<QuestionRecord> questions;
    for (int k = 1; k <= std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions); ++k)
        questions.append(m.DrawnQuestions(k));
    return testText(SheetHeadingOf(m, 0), questions);
}

QString BuildSheetTexts(Module1 &m, const DrawSheet &draw)
{
    return sheetTexts(exportJobOf(m, draw));
}

std::unique_ptr<QTextDocument> buildTestDocument(Module1 &m, const DrawSheet &draw)
{
    return testDocument(exportJobOf(m, draw), metricsOf(m));
}

void ExchangeBracketAndAnswer(Module1 &m)
{
    if (m.options.AnswerLayout != 2)
        return;
    const int count = std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions);
    for (int k = 1; k <= count; ++k)
        m.DrawnQuestions(k) = ExchangeBracket(m.DrawnQuestions(k));
}

} // namespace sorario
