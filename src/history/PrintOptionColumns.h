// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryRecord.h"
#include "history/HistorySql.h"

namespace sorario {

// The paper, line breaks, fit, page order, fitted sizes and file headings, kept
// in columns of their own that older files gain when opened (in one transaction,
// so that two programs opening one file add them once).
void AddPrintOptionColumns(const HistorySql &sql);

// Stores them for the run `runId`, whose sheets were stored as `sheetIds`, in order.
void WritePrintOptions(
    const HistorySql &sql, const QVariant &runId, const RecordedRun &run, const QVariantList &sheetIds);

// Reads them into `run`, whose files and sheets were read in order.
void ReadPrintOptions(const HistorySql &sql, const QVariant &runId, RecordedRun &run);

} // namespace sorario
