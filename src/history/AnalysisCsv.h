// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "platform/SafeWrite.h"

#include <QByteArray>

namespace sorario {

// The analysis as a table a spreadsheet opens: the score summary, the histogram,
// then one row per question, weakest first, each block after a blank row. UTF-8 with
// the byte order mark, CR LF after every row, cells quoted and guarded against
// being opened as formulas as the question table's are.
QByteArray AnalysisCsvBytes(const Analysis &analysis);

// Writes that table whole or not at all.
WriteOutcome WriteAnalysisCsv(const QString &path, const Analysis &analysis);

} // namespace sorario
