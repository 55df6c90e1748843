// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "history/CopiedRun.h"
#include "history/HistoryFault.h"
#include "history/HistoryRecord.h"
#include "history/Marks.h"
#include "history/RecentRule.h"
#include "history/ReviewRule.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace sorario {

// The sheets of a run that carry one sheet number: all of them for the run's
// number, one for the "-k" form.
struct FoundSheets
{
    RecordedRun run;
    QList<int> sheets; // positions in run.sheets, from 0
};

class HistoryConnection;
enum class HistoryAccess;

// The class history: one SQLite file, created at the first record. Every call opens
// the file, does its work and closes it again, so two copies of the program can share
// it (write-ahead log, and a wait while the other one writes). Reading never changes
// the file; writing refuses a file that is damaged or is not a history.
class HistoryStore
{
public:
    explicit HistoryStore(QString path);

    const QString &path() const { return m_path; }

    // Keeps an existing file open for the calls made while the returned handle
    // lives, so that several calls in a row open it once. Null when there is no
    // file yet or it cannot be opened; the calls then open it each, as always.
    using KeptOpen = std::shared_ptr<HistoryConnection>;
    [[nodiscard]] KeptOpen keepOpen() const;

    // Takes the number of a run printed at `when` before it prints: the minute's own
    // number for its first run, else one with letters (see RunNumber.h). Checks the
    // file first; the number is the run's until recorded or released.
    HistoryOutcome<QString> reserveNumber(const QDateTime &when) const;
    // Gives back a number reserved for a run that was not recorded.
    void releaseNumber(const QString &number) const;

    // Adds the run whole or not at all, with the number it reserved (none: the file is
    // checked now); why, when nothing was added.
    HistoryOutcome<> record(const RecordedRun &run, const QString &number = {}) const;

    // Adds runs of another history, oldest first, whole or not at all (see AddCopiedRun).
    HistoryOutcome<CopyReport> addRuns(const QList<CopiedRun> &runs) const;

    // Runs of one class (all classes for an empty name), newest first. Class names
    // are matched by ClassKey here and below.
    HistoryOutcome<QList<RecordedRun>> runs(const QString &className = {}) const;

    // The classes recorded, the one recorded last first, each by its latest spelling.
    HistoryOutcome<QStringList> classes() const;

    // What the class had on its last `tests` recorded runs (every sheet of a run is
    // that one test), and when it last had each question it was ever given.
    HistoryOutcome<RecentUse> recentUse(const QString &className, int tests) const;

    // The runs with a sheet numbered `number` (a run's number, or with "-k" one sheet),
    // of one class or of all, newest first. More than one only among records made
    // before numbers took letters.
    HistoryOutcome<QList<FoundSheets>> findSheets(const QString &number, const QString &className = {}) const;

    // The answer sheets marked for `run` (as this history gave it), in the order entered.
    HistoryOutcome<QList<MarkedSheet>> marks(const RecordedRun &run) const;
    // Adds the rows to the run whole or not at all; a row with a pupil number takes
    // the place of that pupil's row, rows without one those of their sheets (see MarkTables.h).
    HistoryOutcome<> recordMarks(const RecordedRun &run, const QList<MarkedSheet> &rows) const;
    // Takes the pupil's row out of the run, whole or not at all.
    HistoryOutcome<> removeMarks(const RecordedRun &run, int pupil) const;
    // The points per question set for `run`, in tenths; none while the default holds
    // (see PointsTenths).
    HistoryOutcome<std::optional<int>> runPoints(const RecordedRun &run) const;
    // Sets them (MinPointsTenths to MaxPointsTenths), or with none goes back to the default.
    HistoryOutcome<> setRunPoints(const RecordedRun &run, std::optional<int> tenths) const;

    // The scores and the questions' rates of the marks within `scope` (see Analysis.h).
    HistoryOutcome<Analysis> analysis(const AnalysisScope &scope) const;
    // The class's tests with their marks, oldest first, for its review (see ReviewRule.h);
    // for ReviewDraw::Pupils with each pupil's own.
    HistoryOutcome<QList<ReviewTest>> reviewTests(
        const QString &className, ReviewDraw whose = ReviewDraw::Class) const;

    // Test seam: runs between the writes of one record; an exception thrown there
    // is a fault in the middle of the record.
    std::function<void()> betweenWrites;

private:
    template <typename T, typename Work> HistoryOutcome<T> answer(T empty, Work work) const;
    template <typename Work> HistoryOutcome<> write(HistoryAccess access, Work work) const;

    QString m_path;
    mutable std::weak_ptr<HistoryConnection> m_kept;
};

} // namespace sorario
