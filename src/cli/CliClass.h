// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"
#include "setup/ClassRun.h"
#include "shared/SheetDraw.h"

#include <QCommandLineParser>
#include <QJsonObject>

#include <functional>
#include <memory>

namespace sorario {

struct Module1;

namespace cli {

// --class, --avoid-recent, --review and --history of print, text and odt.
void addClassOptions(QCommandLineParser &parser);
// Throws UsageError for --avoid-recent out of 0..20, --review not class or pupils,
// either without --class, --review pupils with --sheets.
[[nodiscard]] int checkClassOptions(const QCommandLineParser &parser);
// The files a run reads: those named, and the history when --class records into it.
QStringList runInputs(const QCommandLineParser &parser);

// A run for the class named by --class; without one it leaves the run as it is.
// The history's own failures are told on standard error and never stop the run.
class CliClassRun
{
public:
    CliClassRun(Module1 &m, const QCommandLineParser &parser);

    // `draw`, for a class over the range less its recent questions; none, the
    // reason told, when the run is refused.
    DrawSheet wrap(const DrawSheet &draw, quint64 seed);
    bool refused() const;
    // Records the sheets that came out and adds their numbers to the summary.
    void record(RunOutput output, const QList<SheetOutcome> &sheets, QJsonObject &summary);

private:
    std::unique_ptr<HistoryStore> m_store;
    std::unique_ptr<ClassRun> m_run;
    quint64 m_seed = 0;
    ClassRunOutcome<QStringList> m_prepared;
};

class BatchDialogs;

// Writes `out` for the sheets `draw` gives; ExitOk once it is written.
using ExportWrite
    = std::function<int(Module1 &m, const DrawSheet &draw, BatchDialogs &dialogs, const QString &out)>;

// text and odt: the range, draw and class options and -o (`what` it names), then the
// load, the range, `write`, and for a class the record and its sheet numbers.
int runExport(const QStringList &args, const QString &command, const QString &what, const ExportWrite &write);

} // namespace cli
} // namespace sorario
