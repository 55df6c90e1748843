#include "print/PrintRun.h"

#include "platform/Dialogs.h"
#include "print/PrintSurface.h"
#include "print/QuestionLayouts.h"
#include "print/SheetHeader.h"
#include "print/SheetRun.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <cmath>

namespace sorario {
namespace {

constexpr double FirstPageHeight = 195;
constexpr double NextPageHeight = 220;

} // namespace

void SetPrintMetrics(Module1 &m, PrintSurface &surface)
{
    surface.setScaleMode(ScaleModeMillimetres);
    surface.setPaperSize(PaperB5);
    surface.setOrientation(OrientationPortrait);
    if (m.FontSize <= 0)
        throw PrintFailure("font size must be positive");
    surface.setFontName(m.FontName);
    surface.setFontSize(m.FontSize);
    const double height = surface.textHeight(QStringLiteral("あ"));
    if (!std::isfinite(height) || height > 1e6)
        throw PrintFailure("the question font has no usable height");
    const auto charHeight = static_cast<std::int32_t>(RoundHalfEven(height));
    if (charHeight < 1)
        throw PrintFailure("the question font is too small to print");
    m.CharHeight = charHeight;
    m.LineWidth = 175;
    m.LineSpacing = 1.2f;
    const double spacing = m.LineSpacing; // single precision: 1.2000000476837158
    m.FirstPageLines = static_cast<std::int32_t>(std::floor(FirstPageHeight / (m.CharHeight * spacing)));
    m.NextPageLines = static_cast<std::int32_t>(std::floor(NextPageHeight / (spacing * m.CharHeight)));
}

QString CapacityPromptText(int fitCount, int questionCount)
{
    return QStringLiteral("●問題数がＢ５用紙への印刷範囲をこえます。") + NumberText(fitCount)
        + QStringLiteral(" 問にして、印刷しますか。") + CrLf + QStringLiteral("[Yes]    ")
        + NumberText(fitCount) + QStringLiteral("問で印刷。") + CrLf + QStringLiteral("[No]     ")
        + NumberText(questionCount) + QStringLiteral("問で印刷。") + CrLf
        + QStringLiteral("[Cancel] キャンセルして戻る。");
}

bool CheckCapacity(Module1 &m, PrintSurface &surface, Dialogs &dialogs,
                   std::optional<MessageAnswer> &answer)
{
    m.PrintMode = 1;
    m.OverCapacity = 0;
    MeasureQuestions(m, surface);
    if (m.OverCapacity != 1)
        return true;

    if (!answer)
        answer = dialogs.messageBox(CapacityPromptText(m.FitCount, m.QuestionCount),
                                    MessageButtons::YesNoCancel, MessageIcon::Question,
                                    CapacityPromptTitle);
    if (*answer == MessageAnswer::Yes) {
        m.QuestionCount = m.FitCount;
        m.PrintMode = 1;
        return true;
    }
    if (*answer == MessageAnswer::No) {
        m.PrintMode = 2;
        return true;
    }
    return false;
}

QDateTime PrintSheetBody(const Module1 &m, PrintSurface &surface)
{
    const QDateTime printedAt = m.clock.now();
    PrintHeader(m, surface, printedAt);
    if (m.PrintMode == 1)
        PrintQuestionsFitted(m, surface);
    else
        PrintQuestionsAll(m, surface);

    if (m.AttachAnswers == 1) {
        surface.newPage();
        PrintHeader(m, surface);
        PrintAnswerSheet(m, surface);
    }
    return printedAt;
}

bool PrintSheet(Module1 &m, PrintSurface &surface, Dialogs &dialogs)
{
    if (!dialogs.printDialog(surface, PrintDialogFlags))
        return false;
    return PrintDocument(m, surface, dialogs, 1, {});
}

} // namespace sorario
