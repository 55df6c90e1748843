// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ClassRunFault.h"
#include "history/HistoryFault.h"
#include "history/HistoryRecord.h"
#include "history/RecentRule.h"
#include "history/ReviewRule.h"
#include "print/PrintRun.h"
#include "shared/Clock.h"
#include "shared/SheetDraw.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

namespace sorario {

struct Module1;
class HistoryStore;

// The sheets of a text export: each whole, numbered from the clock as a print would be.
QList<SheetOutcome> ExportedSheets(const Module1 &m);

// A print or export for a named class (for no class it only keeps what each sheet
// drew). Each sheet is drawn from the range without
// what the class had on its last tests; afterwards the sheets that came out are
// recorded. The draw itself is the program's own; only its pool shrinks.
class ClassRun
{
public:
    ClassRun(Module1 &m, const HistoryStore &store, QString className, int avoidRecent,
        ReviewDraw review = ReviewDraw::None);
    // Gives back a number the run did not record, and the clock.
    ~ClassRun();
    ClassRun(const ClassRun &) = delete;
    ClassRun &operator=(const ClassRun &) = delete;

    // Takes the run's sheet number from the history, holding the clock at that time
    // until the run ends so that every sheet carries it, and reads the class's recent
    // sheets for the range now decided. What the teacher is to be told: a history
    // that cannot be used (the run then avoids nothing, prints, and records nothing),
    // or how many questions repeat. With a review, the questions the class is to
    // review (ties in `seed`'s order) come first on every sheet, drawn from no pool.
    // A review for pupils makes one sheet for each pupil marked (m.options.sheetCount until
    // the run ends), each with that pupil's review first, then the class's.
    // Refused when the run cannot go ahead at all; told by whoever runs it.
    ClassRunOutcome<QStringList> prepare(quint64 seed = 0);
    // Whether the history could not be used: the run avoids nothing and records nothing.
    bool withoutHistory() const { return m_withoutHistory; }
    // Questions a sheet takes back from the recent ones because too few others remain.
    int repeats() const;
    const QSet<QString> &recent() const { return m_use.recent; }

    // `draw` over the shrunk pool; what each sheet drew is kept for the record.
    DrawSheet wrap(DrawSheet draw);
    // What sheet k (from 1) drew, in draw order.
    const QList<QList<QuestionRecord>> &drawn() const { return m_drawn; }
    // Puts `question` in place `position` (from 1) of sheet `sheet`'s draw.
    void replace(int sheet, int position, const QuestionRecord &question);

    // Records the sheets that came out, one per drawn sheet; why, when nothing was
    // recorded. Nothing to record for no class, nor after the history failed.
    HistoryOutcome<> record(RunOutput output, quint64 seed, const QList<SheetOutcome> &sheets);
    // The sheet numbers of the last record, one per sheet.
    const QStringList &sheetNumbers() const { return m_numbers; }

private:
    Module1 &m_module;
    const HistoryStore &m_store;
    QString m_className;
    int m_avoidRecent = 0;
    ReviewDraw m_review = ReviewDraw::None;
    // What a sheet takes: its review first (range slots, in the sheet's order), the
    // rest drawn from its pool.
    struct SheetPlan
    {
        int pupil = 0;
        QList<int> reviewSlots;
        ShrunkPool pool;
    };
    SheetPlan planFor(const QStringList &keys, QList<int> review, int pupil) const;
    const SheetPlan *planOf(int sheet) const;
    QList<SheetPlan> m_plans; // one for each sheet, or one for them all
    QList<RecordedFile> m_files;
    RecentUse m_use;
    bool m_shrink = false;
    bool m_withoutHistory = false;
    std::optional<std::int16_t> m_sheetCountBefore;
    QList<QList<QuestionRecord>> m_drawn;
    QStringList m_numbers;
    QString m_reserved; // the run's number while it is not recorded
    std::optional<Clock> m_clockBefore;
};

} // namespace sorario
