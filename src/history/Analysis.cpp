// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Analysis.h"

#include "history/Marks.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace sorario {
namespace {

// Twice the right marks: △ counts one, ○ two.
qint64 halves(const QuestionResult &q)
{
    return 2 * q.right + q.partial;
}

int scoreTenths(const SheetTally &sheet)
{
    // The counts stand for the sheet's marks: the score is the sheet's own rule.
    QList<Mark> marks(sheet.right, Mark::Right);
    marks.append(QList<Mark>(sheet.partial, Mark::Partial));
    return ScoreTenths(marks, PointsTenths(sheet.setPoints, sheet.questions));
}

ScoreSummary summary(const QList<SheetTally> &sheets)
{
    ScoreSummary s;
    QList<int> &tenths = s.tenths;
    qint64 sum = 0;
    for (const SheetTally &sheet : sheets) {
        const int score = scoreTenths(sheet);
        tenths.append(score);
        sum += score;
        ++s.histogram[std::min(score / 100, HistogramBins - 1)];
        s.fullTenths = std::max(s.fullTenths, FullTenths(sheet.setPoints, sheet.questions));
    }
    s.count = static_cast<int>(tenths.size());
    if (tenths.isEmpty())
        return s;
    std::sort(tenths.begin(), tenths.end());
    const qsizetype mid = tenths.size() / 2;
    s.median = tenths.size() % 2 == 1 ? tenths[mid] / 10.0 : (tenths[mid - 1] + tenths[mid]) / 20.0;
    s.mean = std::round(static_cast<double>(sum) * 10.0 / static_cast<double>(tenths.size())) / 100.0;
    return s;
}

} // namespace

int QuestionResult::correctPermille() const
{
    const qint64 twice = 2 * static_cast<qint64>(marked());
    return twice > 0 ? static_cast<int>((halves(*this) * 1000 + twice / 2) / twice) : 0;
}

Analysis Analyse(const QList<SheetTally> &sheets, QList<QuestionResult> questions)
{
    Analysis a;
    QSet<qint64> runs;
    for (const SheetTally &sheet : sheets)
        runs.insert(sheet.runId);
    a.runs = static_cast<int>(runs.size());
    a.scores = summary(sheets);
    // Compared as fractions, so that no rounding puts two rates in the wrong order.
    std::stable_sort(
        questions.begin(), questions.end(), [](const QuestionResult &x, const QuestionResult &y) {
            const qint64 left = halves(x) * y.marked();
            const qint64 right = halves(y) * x.marked();
            return left != right ? left < right : x.key < y.key;
        });
    a.questions = std::move(questions);
    return a;
}

PeriodOutcome<QDate> PeriodDate(const QString &text)
{
    const QDate date = QDate::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd"));
    if (!date.isValid())
        return PeriodOutcome<QDate>::failed(PeriodFault::NotADate, text);
    return date;
}

bool InPeriod(const AnalysisScope &scope, const QDate &day)
{
    return (!scope.from || day >= *scope.from) && (!scope.to || day <= *scope.to);
}

PeriodOutcome<> CheckPeriod(const AnalysisScope &scope)
{
    if (scope.from && scope.to && *scope.to < *scope.from)
        return PeriodOutcome<>::failed(PeriodFault::Backward);
    return {};
}

QString PeriodFailureMessage(PeriodFault fault, const QString &detail)
{
    if (fault == PeriodFault::Backward)
        return QStringLiteral("期間の終わりが始まりより前です。");
    return QStringLiteral("「%1」は日付ではありません。2026-12-01 のように書いてください。").arg(detail);
}

QString NoMarksMessage(const AnalysisScope &scope)
{
    if (scope.runId != 0)
        return QStringLiteral("この印刷はまだ採点されていません。");
    return QStringLiteral("クラス「%1」には、この期間に採点された用紙がありません。").arg(scope.className);
}

} // namespace sorario
