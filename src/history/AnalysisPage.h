// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "print/QuestionDisplay.h"
#include "shared/PrintChoices.h"

#include <QString>

namespace sorario {

class PrintSurface;

// The line that sums a class's marks up, as the window shows it and the page prints it.
QString AnalysisSummaryText(const QString &className, const Analysis &analysis);

// What the analysis counted, in words: the run's sheet number, or the period.
QString AnalysisScopeText(const AnalysisScope &scope, const QString &runNumber);

// Its questions as the window lists them and the page prints them: counted over
// sheets that set their words in different orders, each in one fixed order.
QList<DisplayLine> AnalysisQuestionLines(const QList<QuestionResult> &questions);

// One analysis as it prints.
struct AnalysisPrint
{
    QString className;
    QString scopeText;
    Analysis analysis;
    Paper paper = Paper::B5;
};

// The analysis on B5 pages (placed on `paper`): the summary, the histogram drawn as
// bars, and the questions weakest first with their marks and rates, the table going
// on to further pages when it does not fit. Ends the document; throws PrintFailure
// as the surface does.
void PrintAnalysis(PrintSurface &surface, const AnalysisPrint &print);

} // namespace sorario
