// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryFault.h"
#include "history/ReviewRule.h"

#include <QString>
#include <QStringList>

namespace sorario {

// Why a run for a class cannot go ahead at all.
enum class ClassRunProblem {
    HistoryUnusable, // a review for pupils has no sheet without the history
    NoMarkedPupil, // the detail names the class
    PupilsExported, // a pupil's sheet says whose it is only in its printed header
};

struct ClassRunFault
{
    ClassRunProblem problem;
    HistoryFault history = HistoryFault::Unusable; // HistoryUnusable: why, the detail SQLite's words
};

template <typename T = std::monostate> using ClassRunOutcome = Outcome<ClassRunFault, T>;

// Whether a run with `review` may be written to a file rather than printed.
ClassRunOutcome<> CheckExportable(ReviewDraw review);

// Why a run that printed was not recorded.
QString NotRecordedMessage(const QString &historyPath, const HistoryOutcome<> &recorded);

// Whether to print when the history cannot be used, as the window asks it: `notice`
// says why; the questions of the class's last tests cannot be left out when
// `avoidRecent` asked for it.
QString PrintWithoutHistoryQuestion(const QString &notice, int avoidRecent);

// The refusal as the teacher reads it; `historyPath` is the history the run used.
QString ClassRunFailureMessage(const QString &historyPath, const ClassRunFault &fault, const QString &detail);

template <typename T>
QString ClassRunFailureMessage(const QString &historyPath, const ClassRunOutcome<T> &refused)
{
    return ClassRunFailureMessage(historyPath, *refused.fault, refused.detail);
}

} // namespace sorario
