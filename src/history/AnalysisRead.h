// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "history/HistorySql.h"

namespace sorario {

// The marks within `scope`, counted in the database: `classMatch` is the condition
// on runs.class that names the scope's class, with `names` its values. Each
// statement reads the scope's marks once, whatever the number of runs.
Analysis ReadAnalysis(
    const HistorySql &sql, const AnalysisScope &scope, const QString &classMatch, const QVariantList &names);

} // namespace sorario
