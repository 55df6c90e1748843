// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QuestionLayouts.h"

#include "print/PrintSurface.h"
#include "print/QuestionText.h"
#include "print/TextPlacer.h"
#include "shared/Module1.h"

#include <QStringList>

#include <algorithm>

namespace sorario {
namespace {

// The drawn table holds MaxDrawnQuestions; a larger count must not read past it.
int drawnCount(const Module1 &m)
{
    return std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions);
}

QString setQuestionFont(const Module1 &m, PrintSurface &surface)
{
    surface.setFontName(m.options.FontName);
    surface.setFontSize(QuestionFontSize(m));
    return DashLine(surface, m.LineWidth);
}

// The questions one after another over as many pages as they need; with
// KeepQuestions a question that would be split starts the next page instead.
void placePaged(const Module1 &m, PrintSurface &surface, const QStringList &questions, PlacingRules rules)
{
    rules.paged = true;
    TextPlacer placer(m, surface, rules);
    placer.startAfresh();
    if (m.options.pageBreaks != QuestionBreaks::KeepQuestions) {
        placer.place(questions.join(QString()));
        return;
    }
    for (const QString &question : questions)
        placer.placeOnOnePage(question);
}

} // namespace

std::int16_t QuestionFontSize(const Module1 &m)
{
    return m.FittedSize > 0 ? m.FittedSize : m.options.FontSize;
}

void MeasureQuestions(Module1 &m, PrintSurface &surface)
{
    const QString dash = setQuestionFont(m, surface);
    PlacingRules rules;
    rules.printing = false;
    rules.closingKeepsEmphasis = true;
    rules.lineCapacity = m.FirstPageLines;
    TextPlacer placer(m, surface, rules);
    const int count = drawnCount(m);
    for (int n = 1; n <= count; ++n) {
        placer.startAfresh();
        const QString text
            = ComposeQuestion(m.DrawnQuestions(n), n, m.options.AnswerLayout, dash, HintLines::Measured);
        if (!placer.place(text)) {
            m.OverCapacity = 1;
            m.FitCount = static_cast<std::int16_t>(n - 1);
            break;
        }
    }
    surface.setFontEmphasis(false);
}

void PrintQuestionsFitted(const Module1 &m, PrintSurface &surface)
{
    const QString dash = setQuestionFont(m, surface);
    TextPlacer placer(m, surface, PlacingRules {});
    const int count = drawnCount(m);
    for (int n = 1; n <= count; ++n) {
        placer.startAfresh();
        placer.place(
            ComposeQuestion(m.DrawnQuestions(n), n, m.options.AnswerLayout, dash, HintLines::Printed));
    }
}

void PrintQuestionsAll(const Module1 &m, PrintSurface &surface)
{
    const QString dash = setQuestionFont(m, surface);
    QStringList questions;
    const int count = drawnCount(m);
    for (int n = 1; n <= count; ++n)
        questions.append(ComposeQuestionForRun(m.DrawnQuestions(n), n, m.options.AnswerLayout, dash));
    placePaged(m, surface, questions, PlacingRules {});
}

void PrintAnswerSheet(const Module1 &m, PrintSurface &surface)
{
    surface.setFontName(m.options.FontName);
    surface.setFontSize(QuestionFontSize(m));
    QStringList answers;
    const int count = drawnCount(m);
    for (int n = 1; n <= count; ++n)
        answers.append(ComposeAnswer(m.DrawnQuestions(n), n));
    PlacingRules rules;
    rules.closingUsesPageLine = true;
    placePaged(m, surface, answers, rules);
}

} // namespace sorario
