// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"

#include <variant>

namespace sorario {

// Where a copy failed: the history read from or the one written to.
enum class CopySide { From, To };

struct CopyFailure
{
    CopySide side = CopySide::From;
    HistoryFault fault = HistoryFault::Unusable;
    QString detail;
};

// Copies every run of `from`, with its marks and points, into `to`, keeping sheet
// numbers: whole or not at all, and once (a run copied before is left as it is).
std::variant<CopyReport, CopyFailure> CopyHistory(const HistoryStore &from, const HistoryStore &to);

// What the copy did, as the teacher reads it.
QString CopyReportText(const CopyReport &report, const QString &to);

} // namespace sorario
