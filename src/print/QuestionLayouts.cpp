// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QuestionLayouts.h"

#include "print/PrintSurface.h"
#include "print/QuestionText.h"
#include "print/SheetLayout.h"
#include "print/TextPlacer.h"

#include <QStringList>

namespace sorario {
namespace {

QString setQuestionFont(const SheetLayout &layout, PrintSurface &surface)
{
    surface.setFontName(layout.options.FontName);
    surface.setFontSize(questionFontSize(layout));
    return DashLine(surface, layout.metrics.LineWidth);
}

TextPlacer placerFor(const SheetLayout &layout, PrintSurface &surface, PlacingRules rules)
{
    return TextPlacer(layout.metrics, layout.options.lineBreaks, surface, rules);
}

// The questions one after another over as many pages as they need; with
// KeepQuestions a question that would be split starts the next page instead.
void placePaged(
    const SheetLayout &layout, PrintSurface &surface, const QStringList &questions, PlacingRules rules)
{
    rules.paged = true;
    TextPlacer placer = placerFor(layout, surface, rules);
    placer.startAfresh();
    if (layout.options.pageBreaks != QuestionBreaks::KeepQuestions) {
        placer.place(questions.join(QString()));
        return;
    }
    for (const QString &question : questions)
        placer.placeOnOnePage(question);
}

} // namespace

std::int16_t questionFontSize(const SheetLayout &layout)
{
    return layout.fittedSize > 0 ? layout.fittedSize : layout.options.FontSize;
}

std::optional<std::int16_t> measureQuestions(const SheetLayout &layout, PrintSurface &surface)
{
    const QString dash = setQuestionFont(layout, surface);
    PlacingRules rules;
    rules.printing = false;
    rules.closingKeepsEmphasis = true;
    rules.lineCapacity = layout.metrics.FirstPageLines;
    TextPlacer placer = placerFor(layout, surface, rules);
    std::optional<std::int16_t> fitCount;
    for (int n = 1; n <= layout.questions.size(); ++n) {
        placer.startAfresh();
        const QString text = ComposeQuestion(
            layout.questions[n - 1], n, layout.options.AnswerLayout, dash, HintLines::Measured);
        if (!placer.place(text)) {
            fitCount = static_cast<std::int16_t>(n - 1);
            break;
        }
    }
    surface.setFontEmphasis(false);
    return fitCount;
}

void printQuestionsFitted(const SheetLayout &layout, PrintSurface &surface)
{
    const QString dash = setQuestionFont(layout, surface);
    TextPlacer placer = placerFor(layout, surface, PlacingRules {});
    for (int n = 1; n <= layout.questions.size(); ++n) {
        placer.startAfresh();
        placer.place(ComposeQuestion(
            layout.questions[n - 1], n, layout.options.AnswerLayout, dash, HintLines::Printed));
    }
}

void printQuestionsAll(const SheetLayout &layout, PrintSurface &surface)
{
    const QString dash = setQuestionFont(layout, surface);
    QStringList questions;
    for (int n = 1; n <= layout.questions.size(); ++n)
        questions.append(
            ComposeQuestionForRun(layout.questions[n - 1], n, layout.options.AnswerLayout, dash));
    placePaged(layout, surface, questions, PlacingRules {});
}

void printAnswerSheet(const SheetLayout &layout, PrintSurface &surface)
{
    surface.setFontName(layout.options.FontName);
    surface.setFontSize(questionFontSize(layout));
    QStringList answers;
    for (int n = 1; n <= layout.questions.size(); ++n)
        answers.append(ComposeAnswer(layout.questions[n - 1], n));
    PlacingRules rules;
    rules.closingUsesPageLine = true;
    placePaged(layout, surface, answers, rules);
}

} // namespace sorario
