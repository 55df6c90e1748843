// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/AnalysisPage.h"

#include "bank/QuestionKinds.h"
#include "history/Marks.h"
#include "history/ScoreBins.h"
#include "print/BarChart.h"
#include "print/ChartCanvas.h"
#include "print/PrintRun.h"
#include "print/PrintSurface.h"
#include "print/WordBreak.h"
#include "shared/ProgramConstants.h"
#include "shared/QuestionRecord.h"

#include <algorithm>
#include <array>

namespace sorario {
namespace {

// The B5 page in millimetres; no line ends below the sheets' own lowest line.
constexpr double PageLeft = 15;
constexpr double PageRight = 167;
constexpr double PageTop = 15;
constexpr double PageBottom = LowestLineBottom;

// Where the table's columns end: the question, then ○ × △ and the rate, right-aligned.
constexpr double QuestionRight = 122;
constexpr std::array<double, 4> CountRights {134, 145, 156, PageRight};

constexpr int Black = 0;
constexpr int GridColor = 0xCCCCCC;

void printAt(PrintSurface &s, double x, double y, const QString &text)
{
    s.setCurrentX(x);
    s.setCurrentY(y);
    s.print(text, false);
}

void printRight(PrintSurface &s, double right, double y, const QString &text)
{
    printAt(s, right - s.textWidth(text), y, text);
}

// `line` from `left` to `right`, broken before a word that reaches the edge, each next
// line `pitch` lower; only measured unless `draw`. The lines it takes.
int printWrapped(
    PrintSurface &s, const DisplayLine &line, double left, double right, double y, double pitch, bool draw)
{
    int lines = 1;
    double x = left;
    for (const DisplayRun &run : line) {
        s.setFontEmphasis(run.bold);
        QStringView rest = run.text;
        while (!rest.isEmpty()) {
            const qsizetype cut = s.findWidthBreak(rest, right - x);
            // English words are kept whole, as on a sheet printed with 英単語を分けない.
            const qsizetype fits = cut == 0 ? rest.size() : KeepWordsWhole(rest, cut, cut - 1, x > left);
            if (fits == 0 && x > left) {
                ++lines;
                x = left;
                continue;
            }
            // A character wider than the column still prints, alone on its line.
            const QString piece = rest.first(std::max<qsizetype>(fits, 1)).toString();
            if (draw)
                printAt(s, x, y + (lines - 1) * pitch, piece);
            x += s.textWidth(piece);
            rest = rest.sliced(piece.size());
            if (!rest.isEmpty()) {
                ++lines;
                x = left;
            }
        }
    }
    s.setFontEmphasis(false);
    return lines;
}

// The histogram from `top`, painted as the window paints it.
double printHistogram(PrintSurface &s, const QString &className, const ScoreSummary &scores, double top)
{
    constexpr double Height = 62;
    s.setFontSize(8);
    SurfaceCanvas canvas(s);
    const BarChart chart = ScoresChart({{className, scores}});
    BarChartPainter(chart, canvas, {PageLeft, top, PageRight, top + Height}).paint();
    return top + Height + 4;
}

double printTableHead(PrintSurface &s, double y)
{
    s.setFontEmphasis(true);
    printAt(s, PageLeft, y, QStringLiteral("問題（正答率の低い順）"));
    const std::array<QString, 4> heads {
        QStringLiteral("○"), QStringLiteral("×"), QStringLiteral("△"), QStringLiteral("正答率")};
    for (std::size_t c = 0; c < heads.size(); ++c)
        printRight(s, CountRights[c], y, heads[c]);
    s.setFontEmphasis(false);
    const double under = y + s.textHeight(QStringLiteral("あ")) + 1;
    s.line(PageLeft, under, PageRight, under, false, Black);
    return under + 1.5;
}

void printQuestions(PrintSurface &s, const QList<QuestionResult> &questions, double y)
{
    s.setFontSize(9);
    const double pitch = s.textHeight(QStringLiteral("あ")) * 1.3;
    y = printTableHead(s, y);
    const QList<DisplayLine> lines = AnalysisQuestionLines(questions);
    for (qsizetype i = 0; i < questions.size(); ++i) {
        const QuestionResult &q = questions[i];
        const DisplayLine &line = lines.value(i);
        const int used = printWrapped(s, line, PageLeft, QuestionRight, y, pitch, false);
        if (y + used * pitch > PageBottom) {
            s.newPage();
            y = printTableHead(s, PageTop);
        }
        printWrapped(s, line, PageLeft, QuestionRight, y, pitch, true);
        const std::array<QString, 4> counts {QString::number(q.right), QString::number(q.wrong),
            QString::number(q.partial), PointsText(q.correctPermille()) + u'%'};
        for (std::size_t c = 0; c < counts.size(); ++c)
            printRight(s, CountRights[c], y, counts[c]);
        y += used * pitch;
        s.line(PageLeft, y - 0.6, PageRight, y - 0.6, false, GridColor);
    }
}

} // namespace

QString AnalysisSummaryText(const QString &className, const Analysis &a)
{
    return QStringLiteral("%1　採点した用紙 %2 枚（%3 回）　平均点 %4　中央値 %5")
        .arg(className)
        .arg(a.scores.count)
        .arg(a.runs)
        .arg(QString::number(a.scores.mean), QString::number(a.scores.median));
}

QString AnalysisScopeText(const AnalysisScope &scope, const QString &runNumber)
{
    if (scope.runId != 0)
        return QStringLiteral("印刷 %1").arg(runNumber);
    const QString from = scope.from ? scope.from->toString(Qt::ISODate) + QStringLiteral(" から") : QString();
    const QString to = scope.to ? scope.to->toString(Qt::ISODate) + QStringLiteral(" まで") : QString();
    if (!scope.from && !scope.to)
        return QStringLiteral("すべての印刷");
    return scope.from && scope.to ? from + u'　' + to : from + to;
}

QList<DisplayLine> AnalysisQuestionLines(const QList<QuestionResult> &questions)
{
    QList<QuestionRecord> records;
    for (const QuestionResult &q : questions)
        records.append(q.question);
    return AnswerDisplayLines(records, FixedOrderKey);
}

void PrintAnalysis(PrintSurface &s, const AnalysisPrint &print)
{
    s.setScaleMode(ScaleMode::Millimetres);
    s.setPaperSize(PaperSize::JisB5);
    s.setOrientation(Orientation::Portrait);
    s.setPaperPlacing(print.paper);
    s.setDocumentName(QStringLiteral("分析 %1").arg(print.className));
    s.setFontName(DefaultFontName);
    s.setFontSize(14);
    s.setFontEmphasis(true);
    printAt(s, PageLeft, PageTop, QStringLiteral("分析　%1").arg(print.className));
    s.setFontEmphasis(false);
    s.setFontSize(10);
    printRight(s, PageRight, PageTop + 2, print.scopeText);
    printAt(s, PageLeft, PageTop + 10, AnalysisSummaryText(print.className, print.analysis));
    const double below = printHistogram(s, print.className, print.analysis.scores, PageTop + 18);
    printQuestions(s, print.analysis.questions, below);
    s.endDoc();
}

} // namespace sorario
