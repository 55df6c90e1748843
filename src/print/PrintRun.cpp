// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintRun.h"

#include "print/PrintSurface.h"
#include "print/QuestionLayouts.h"
#include "print/RunSheets.h"
#include "print/SheetHeader.h"
#include "print/SheetPages.h"
#include "settings/FontRule.h"
#include "shared/TextHelpers.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace sorario {
namespace {

constexpr double FirstPageHeight = 195;
constexpr double NextPageHeight = 220;
constexpr int FirstPageTop = 35;
constexpr int NextPageTop = 15;

// The most lines from `top` whose last one still ends above LowestLineBottom.
std::int32_t linesAbove(int top, int pitch, int charHeight)
{
    return std::max(0, (LowestLineBottom - charHeight - top) / pitch + 1);
}

void discard(PrintSurface &surface)
{
    try {
        surface.killDoc();
    } catch (const std::exception &) {
        // Nothing more can be done about a document that cannot even be dropped.
    }
}

// Put before the capacity prompt once even the smallest size did not fit.
QString shrinkTriedLine()
{
    return u'●' + QString::number(MinFontSize)
        + QStringLiteral("ポイントまで小さくしても1ページに収まりません。") + CrLf;
}

// The capacity prompt's answer a policy gives beforehand; none for Ask.
std::optional<OverflowPolicy> answerOf(OverflowPolicy overflow)
{
    if (overflow == OverflowPolicy::Ask)
        return std::nullopt;
    return overflow;
}

} // namespace

PrintOutcome ContainPrintFailure(PrintSurface &surface, const std::function<PrintOutcome()> &run)
{
    try {
        return run();
    } catch (const PrintFailure &e) {
        // A printer error or a font the layout cannot use: drop what was drawn
        // rather than leave a partial document to come out later.
        discard(surface);
        return PrintOutcome::failed(e.kind(), e.detail());
    } catch (const std::exception &e) {
        discard(surface);
        return PrintOutcome::failed(PrintFailureKind::Unexpected, QString::fromUtf8(e.what()));
    }
}

PrintMetrics setPrintMetrics(const QString &fontName, std::int16_t size, PrintSurface &surface)
{
    surface.setScaleMode(ScaleMode::Millimetres);
    surface.setPaperSize(PaperSize::JisB5);
    surface.setOrientation(Orientation::Portrait);
    if (size <= 0)
        throw PrintFailure(PrintFailureKind::FontSizeInvalid);
    surface.setFontName(fontName);
    surface.setFontSize(size);
    const double height = surface.textHeight(QStringLiteral("あ"));
    if (!std::isfinite(height) || height > 1e6)
        throw PrintFailure(PrintFailureKind::FontWithoutHeight);
    const auto charHeight = static_cast<std::int32_t>(RoundHalfEven(height));
    if (charHeight < 1)
        throw PrintFailure(PrintFailureKind::FontTooSmall);
    PrintMetrics metrics;
    metrics.CharHeight = charHeight;
    metrics.LineWidth = 175;
    metrics.LineSpacing = 1.2f;
    const double spacing = metrics.LineSpacing; // single precision: 1.2000000476837158
    const auto pitch = static_cast<int>(RoundHalfEven(spacing * metrics.CharHeight));
    // A line pitch rounded up from a small font would otherwise run the last lines
    // off the foot of the sheet.
    metrics.FirstPageLines
        = std::min(static_cast<std::int32_t>(std::floor(FirstPageHeight / (metrics.CharHeight * spacing))),
            linesAbove(FirstPageTop, pitch, metrics.CharHeight));
    metrics.NextPageLines
        = std::min(static_cast<std::int32_t>(std::floor(NextPageHeight / (spacing * metrics.CharHeight))),
            linesAbove(NextPageTop, pitch, metrics.CharHeight));
    return metrics;
}

QString CapacityPromptText(int fitCount, int questionCount)
{
    return QStringLiteral("●問題数がＢ５用紙への印刷範囲をこえます。") + NumberText(fitCount)
        + QStringLiteral(" 問にして、印刷しますか。") + CrLf + QStringLiteral("[Yes]    ")
        + NumberText(fitCount) + QStringLiteral("問で印刷。") + CrLf + QStringLiteral("[No]     ")
        + NumberText(questionCount) + QStringLiteral("問で印刷。") + CrLf
        + QStringLiteral("[Cancel] キャンセルして戻る。");
}

namespace {

// A run in progress: the layout at the size it prints, and what the last capacity
// check left (FitCount stays from the last pass that overflowed).
struct RunState
{
    SheetLayout layout;
    SheetOutcome now;
};

// The measuring pass and, when the questions overflow the first page, the capacity
// prompt, asked only while `answer` holds none so that one answer serves every sheet.
// Sets the count and print mode as the answer says; false for Cancel.
bool checkCapacity(const SheetJob &job, const RunSheet &sheet, PrintSurface &surface, RunState &state,
    std::optional<OverflowPolicy> &answer)
{
    state.now.PrintMode = 1;
    state.now.OverCapacity = 0;
    state.layout.questions = questionsOf(sheet, state.now.QuestionCount);
    if (const std::optional<std::int16_t> fitCount = measureQuestions(state.layout, surface)) {
        state.now.OverCapacity = 1;
        state.now.FitCount = *fitCount;
    }
    if (state.now.OverCapacity != 1)
        return true;
    if (!answer) {
        // A run that shrinks asks only once no size has fitted.
        const QString shrunk = job.options.overflow == Overflow::ShrinkFirst ? shrinkTriedLine() : QString();
        answer = job.ask ? job.ask(shrunk + CapacityPromptText(state.now.FitCount, state.now.QuestionCount))
                         : OverflowPolicy::Cancel;
    }
    if (*answer == OverflowPolicy::FitFirstPage) {
        state.now.QuestionCount = state.now.FitCount;
        state.layout.questions = questionsOf(sheet, state.now.QuestionCount);
        return true;
    }
    if (*answer == OverflowPolicy::PrintAll) {
        state.now.PrintMode = 2;
        return true;
    }
    return false;
}

// One sheet after the capacity check: header, questions in its print mode, and the
// answer page with its own header when answers are attached, where `pages` puts it.
void printSheetBody(const SheetJob &job, const RunSheet &sheet, const RunState &state, SheetPages &pages)
{
    pages.startSheet();
    printSheetHeader(job.heading, sheet.index, sheet.drawn.pupil, state.now.PrintedAt, pages);
    if (state.now.PrintMode == 1)
        printQuestionsFitted(state.layout, pages);
    else
        printQuestionsAll(state.layout, pages);

    if (job.options.AttachAnswers == 1) {
        pages.startAnswers();
        printSheetHeader(job.heading, sheet.index, sheet.drawn.pupil, sheet.drawn.clock.now(), pages);
        printAnswerSheet(state.layout, pages);
    }
}

} // namespace

PrintRunResult PrintDocument(const SheetJob &job, PrintSurface &surface)
{
    PrintRunResult result;
    RunState state {{job.options, {}, 0, {}}, {}};
    std::optional<OverflowPolicy> answer = answerOf(job.overflow);
    RunSheets sheets(job);
    const std::int16_t asked = sheets.use(1).drawn.count;
    result.outcome = ContainPrintFailure(surface, [&]() -> PrintOutcome {
        SheetPages pages(surface, PageOrderFor(job.options, job.sheets));
        surface.setDocumentName(job.heading.title);
        surface.setPaperPlacing(job.options.paper);
        result.metrics = setPrintMetrics(job.options.FontName, questionFontSize(state.layout), surface);
        // Every sheet of a run prints at one size.
        if (job.options.overflow == Overflow::ShrinkFirst) {
            std::optional<std::int16_t> fitCount;
            state.now.FittedSize = FitRunSize(job, surface, sheets, state.layout, fitCount);
            result.metrics = state.layout.metrics;
            if (fitCount)
                state.now.FitCount = *fitCount;
        } else {
            state.layout.metrics = *result.metrics;
        }
        for (int k = 1; k <= job.sheets; ++k) {
            const RunSheet &sheet = sheets.use(k);
            state.now.QuestionCount = sheet.drawn.count;
            if (!checkCapacity(job, sheet, surface, state, answer)) {
                discard(surface);
                return PrintCancelled();
            }
            state.now.PrintedAt = sheet.drawn.clock.now();
            printSheetBody(job, sheet, state, pages);
            result.sheets.append(state.now);
            result.printedQuestions.append(state.layout.questions);
            result.sheetNumbers.append(SheetNumber(state.now.PrintedAt, sheet.index, job.heading.letters));
        }
        pages.finish();
        surface.endDoc();
        return PrintOutcome {};
    });
    if (result.printed()) {
        result.leftBehind = result.sheets.first();
    } else {
        // Nothing came out, so the test keeps every question a Yes would have cut.
        result.leftBehind = state.now;
        result.leftBehind.PrintedAt = {};
        result.leftBehind.QuestionCount = asked;
    }
    return result;
}

} // namespace sorario
