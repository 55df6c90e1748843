// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintRun.h"

#include "print/PrintSurface.h"
#include "print/PrintTarget.h"
#include "print/QuestionLayouts.h"
#include "print/RunSheets.h"
#include "print/SheetHeader.h"
#include "print/SheetPages.h"
#include "settings/FontRule.h"
#include "shared/Module1.h"
#include "shared/SheetTitle.h"
#include "shared/TextHelpers.h"

#include <QDir>

#include <algorithm>
#include <cmath>
#include <exception>
#include <memory>

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

SheetOutcome outcomeOf(const Module1 &m)
{
    return {m.QuestionCount, m.PrintMode, m.OverCapacity, m.FitCount, {}, m.FittedSize};
}

PrintMetrics metricsOf(const Module1 &m)
{
    return {m.CharHeight, m.LineSpacing, m.LineWidth, m.FirstPageLines, m.NextPageLines};
}

void measure(Module1 &m, PrintSurface &surface)
{
    m.OverCapacity = 0;
    MeasureQuestions(m, surface);
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

void SetPrintMetrics(Module1 &m, PrintSurface &surface)
{
    surface.setScaleMode(ScaleMode::Millimetres);
    surface.setPaperSize(PaperSize::JisB5);
    surface.setOrientation(Orientation::Portrait);
    const std::int16_t size = QuestionFontSize(m);
    if (size <= 0)
        throw PrintFailure(PrintFailureKind::FontSizeInvalid);
    surface.setFontName(m.options.FontName);
    surface.setFontSize(size);
    const double height = surface.textHeight(QStringLiteral("あ"));
    if (!std::isfinite(height) || height > 1e6)
        throw PrintFailure(PrintFailureKind::FontWithoutHeight);
    const auto charHeight = static_cast<std::int32_t>(RoundHalfEven(height));
    if (charHeight < 1)
        throw PrintFailure(PrintFailureKind::FontTooSmall);
    m.CharHeight = charHeight;
    m.LineWidth = 175;
    m.LineSpacing = 1.2f;
    const double spacing = m.LineSpacing; // single precision: 1.2000000476837158
    const auto pitch = static_cast<int>(RoundHalfEven(spacing * m.CharHeight));
    // A line pitch rounded up from a small font would otherwise run the last lines
    // off the foot of the sheet.
    m.FirstPageLines
        = std::min(static_cast<std::int32_t>(std::floor(FirstPageHeight / (m.CharHeight * spacing))),
            linesAbove(FirstPageTop, pitch, m.CharHeight));
    m.NextPageLines
        = std::min(static_cast<std::int32_t>(std::floor(NextPageHeight / (spacing * m.CharHeight))),
            linesAbove(NextPageTop, pitch, m.CharHeight));
}

QString CapacityPromptText(int fitCount, int questionCount)
{
    return QStringLiteral("●問題数がＢ５用紙への印刷範囲をこえます。") + NumberText(fitCount)
        + QStringLiteral(" 問にして、印刷しますか。") + CrLf + QStringLiteral("[Yes]    ")
        + NumberText(fitCount) + QStringLiteral("問で印刷。") + CrLf + QStringLiteral("[No]     ")
        + NumberText(questionCount) + QStringLiteral("問で印刷。") + CrLf
        + QStringLiteral("[Cancel] キャンセルして戻る。");
}

bool CheckCapacity(
    Module1 &m, PrintSurface &surface, const AskCapacity &ask, std::optional<OverflowPolicy> &answer)
{
    m.PrintMode = 1;
    measure(m, surface);
    if (m.OverCapacity != 1)
        return true;

    if (!answer) {
        // A run that shrinks asks only once no size has fitted.
        const QString shrunk = m.options.overflow == Overflow::ShrinkFirst ? shrinkTriedLine() : QString();
        answer = ask ? ask(shrunk + CapacityPromptText(m.FitCount, m.QuestionCount)) : OverflowPolicy::Cancel;
    }
    if (*answer == OverflowPolicy::FitFirstPage) {
        m.QuestionCount = m.FitCount;
        m.PrintMode = 1;
        return true;
    }
    if (*answer == OverflowPolicy::PrintAll) {
        m.PrintMode = 2;
        return true;
    }
    return false;
}

QDateTime PrintSheetBody(const Module1 &m, SheetPages &pages)
{
    const QDateTime printedAt = m.clock.now();
    pages.startSheet();
    PrintHeader(m, pages, printedAt);
    if (m.PrintMode == 1)
        PrintQuestionsFitted(m, pages);
    else
        PrintQuestionsAll(m, pages);

    if (m.options.AttachAnswers == 1) {
        pages.startAnswers();
        PrintHeader(m, pages);
        PrintAnswerSheet(m, pages);
    }
    return printedAt;
}

void LeaveRunBehind(Module1 &m, const PrintRunResult &result)
{
    m.CharHeight = result.metrics.CharHeight;
    m.LineSpacing = result.metrics.LineSpacing;
    m.LineWidth = result.metrics.LineWidth;
    m.FirstPageLines = result.metrics.FirstPageLines;
    m.NextPageLines = result.metrics.NextPageLines;
    m.QuestionCount = result.leftBehind.QuestionCount;
    m.PrintMode = result.leftBehind.PrintMode;
    m.OverCapacity = result.leftBehind.OverCapacity;
    m.FitCount = result.leftBehind.FitCount;
    m.FittedSize = result.leftBehind.FittedSize;
}

PrintRunResult PrintDocument(const Module1 &m, PrintSurface &surface, const AskCapacity &ask, int sheets,
    const DrawSheet &draw, OverflowPolicy overflow)
{
    const std::int16_t asked = m.QuestionCount;
    const auto run = std::make_unique<Module1>(m);
    Module1 &w = *run;
    PrintRunResult result;
    std::optional<OverflowPolicy> answer = answerOf(overflow);
    result.outcome = ContainPrintFailure(surface, [&]() -> PrintOutcome {
        SheetPages pages(surface, PageOrderFor(w, sheets));
        surface.setDocumentName(SheetTitleText(w));
        surface.setPaperPlacing(w.options.paper);
        RunSheets drawn(m, w, draw, sheets);
        w.FittedSize = 0;
        SetPrintMetrics(w, surface);
        // Every sheet of a run prints at one size.
        if (w.options.overflow == Overflow::ShrinkFirst)
            FitRunSize(w, surface, drawn, sheets);
        for (int sheet = 1; sheet <= sheets; ++sheet) {
            drawn.use(sheet);
            if (!CheckCapacity(w, surface, ask, answer)) {
                discard(surface);
                return PrintCancelled();
            }
            const QDateTime printedAt = PrintSheetBody(w, pages);
            result.sheets.append(outcomeOf(w));
            result.sheets.last().PrintedAt = printedAt;
        }
        pages.finish();
        surface.endDoc();
        return PrintOutcome {};
    });
    result.metrics = metricsOf(w);
    if (result.printed()) {
        result.leftBehind = result.sheets.first();
    } else {
        // Nothing came out, so the test keeps every question a Yes would have cut.
        result.leftBehind = outcomeOf(w);
        result.leftBehind.QuestionCount = asked;
    }
    return result;
}

QString proposedPdfFile(const Module1 &m)
{
    return QDir(SheetFolder(m)).filePath(SheetFileName(m) + QStringLiteral(".pdf"));
}

int runSheetCount(const Module1 &m)
{
    return std::clamp<int>(m.options.sheetCount, 1, MaxSheetCount);
}

} // namespace sorario
