// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"
#include "shared/QuestionRecord.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

namespace sorario {

// Which marks an analysis counts: those of one recorded run, or of a class's runs
// printed within the dates (inclusive; either end may be open).
struct AnalysisScope
{
    qint64 runId = 0; // one run when not 0; the class and dates are then not used
    QString className = {};
    std::optional<QDate> from = std::nullopt;
    std::optional<QDate> to = std::nullopt;
};

// One answer sheet with at least one mark, as the history counts it.
struct SheetTally
{
    qint64 runId = 0;
    int questions = 0; // on its sheet, marked or not
    int right = 0;
    int partial = 0;
    std::optional<int> setPoints = std::nullopt; // per question, in tenths, when set for its run
};

inline constexpr int HistogramBins = 10;

// The scores of the answer sheets, in points.
struct ScoreSummary
{
    int count = 0;
    double mean = 0; // to a hundredth of a point
    double median = 0;
    // Bin b holds the scores from 10·b to under 10·b + 10 points; the last also 100
    // and over (a sheet of 7 questions at 14.3 points each makes 100.1).
    std::array<int, HistogramBins> histogram {};
    QList<int> tenths; // every sheet's score in tenths, lowest first
    int fullTenths = 0; // the most any of its sheets was out of (FullTenths)
};

// One question, by its key, over every sheet it was marked on.
struct QuestionResult
{
    QString key;
    QuestionRecord question; // as it printed
    int right = 0;
    int wrong = 0;
    int partial = 0;

    int marked() const { return right + wrong + partial; }
    // Per mille of the marks, △ counting half as in the score; rounded half up.
    int correctPermille() const;
};

struct Analysis
{
    int runs = 0; // with a marked answer sheet
    ScoreSummary scores;
    QList<QuestionResult> questions; // weakest first, then by key
};

// The summary of what the history counted: every sheet scored by the sheet's own
// rule (ScoreTenths at the PointsTenths of its run), the questions ordered weakest first.
Analysis Analyse(const QList<SheetTally> &sheets, QList<QuestionResult> questions);

// Why a period cannot be counted.
enum class PeriodFault {
    NotADate, // the detail is the text given
    Backward, // it ends before it begins
};
template <typename T = std::monostate> using PeriodOutcome = Outcome<PeriodFault, T>;

// A date as given for a period (2026-12-01).
PeriodOutcome<QDate> PeriodDate(const QString &text);
// Whether a run of `day` falls within the scope's period, both ends counted.
bool InPeriod(const AnalysisScope &scope, const QDate &day);
// Whether the scope's period, where it has both ends, runs forward.
PeriodOutcome<> CheckPeriod(const AnalysisScope &scope);
// The refusal as the teacher reads it.
QString PeriodFailureMessage(PeriodFault fault, const QString &detail);
template <typename T> QString PeriodFailureMessage(const PeriodOutcome<T> &refused)
{
    return PeriodFailureMessage(*refused.fault, refused.detail);
}
QString NoMarksMessage(const AnalysisScope &scope);

} // namespace sorario
