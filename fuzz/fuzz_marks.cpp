// SPDX-License-Identifier: GPL-3.0-or-later
// The marks table of `marks --set`: every input is read or refused with its line,
// and the rows read are recorded in a history and read back as they were, also
// when set twice; rows
// another program or damage left in the marks tables read as marks of the run's
// sheets all the same, and points left in run_points read as a teacher's points or none.
//
// Input: the table's bytes, for a run of two sheets of 10 and 3 questions; after a
// separator, rows written straight into the marks tables.
#include "FuzzSupport.h"

#include "history/HistoryStore.h"
#include "history/MarksCsv.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <fuzzer/FuzzedDataProvider.h>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

const QString Writer = QStringLiteral("fuzz-marks-writer");

// One history for the process, kept open, its marks removed before each input.
struct MarkedHistory
{
    QString path = scratchFile(QStringLiteral("marks.sqlite"));
    HistoryStore store {path};
    HistoryStore::KeptOpen kept;
    RecordedRun run;

    MarkedHistory()
    {
        RecordedRun recorded;
        recorded.className = QStringLiteral("1年A組");
        recorded.when = QDateTime(QDate(2024, 4, 8), QTime(9, 30));
        recorded.files = {{QStringLiteral("/q.qvn"), QStringLiteral("d")}};
        QList<QuestionRecord> questions;
        for (int q = 1; q <= 10; ++q)
            questions.append({QStringLiteral("Q%1").arg(q), {}, QStringLiteral("A%1").arg(q)});
        recorded.sheets = {{QStringLiteral("04080930-1"), recorded.when, questions},
            {QStringLiteral("04080930-2"), recorded.when, questions.mid(0, 3)}};
        FUZZ_CHECK(store.record(recorded).ok());
        kept = store.keepOpen();
        FUZZ_CHECK(kept);
        run = store.runs().value.value(0);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Writer);
        db.setDatabaseName(path);
        FUZZ_CHECK(db.open());
    }

    void clear() const
    {
        QSqlQuery query(QSqlDatabase::database(Writer, false));
        FUZZ_CHECK(query.exec(QStringLiteral("DELETE FROM marks")));
        FUZZ_CHECK(query.exec(QStringLiteral("DELETE FROM answer_sheets")));
        FUZZ_CHECK(query.exec(QStringLiteral("DELETE FROM run_points")));
        // A row numbered at the top of the range leaves no number for the next one.
        FUZZ_CHECK(query.exec(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = 'answer_sheets'")));
    }
};

QVariant valueFrom(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0:
        return QVariant(in.ConsumeIntegralInRange(-1, 70));
    case 1:
        return QVariant::fromValue(in.ConsumeIntegral<qint64>());
    case 2:
        return QVariant(QMetaType::fromType<QString>());
    default:
        return QVariant(QString::fromStdString(in.ConsumeRandomLengthString(8)));
    }
}

// Rows as any program could write them, each on its own, one the schema refuses left out.
void writeRows(const QByteArray &bytes)
{
    FuzzedDataProvider in(reinterpret_cast<const std::uint8_t *>(bytes.constData()), bytes.size());
    QSqlQuery query(QSqlDatabase::database(Writer, false));
    for (int row = 0; row < 16 && in.remaining_bytes() > 0; ++row) {
        const int table = in.ConsumeIntegralInRange(0, 2);
        query.prepare(table == 0
                ? QStringLiteral("INSERT INTO answer_sheets (id, sheet_id, pupil) VALUES (?, ?, ?)")
                : table == 1
                ? QStringLiteral("INSERT INTO marks (answer_id, position, mark) VALUES (?, ?, ?)")
                : QStringLiteral("INSERT INTO run_points (run_id, points) VALUES (?, ?)"));
        for (int c = 0; c < (table == 2 ? 2 : 3); ++c)
            query.addBindValue(valueFrom(in));
        query.exec();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const MarkedHistory history;
    const QList<int> counts {10, 3};
    const QList<QByteArray> pieces = splitInput(data, size, 2);
    const MarksCsvOutcome read = ReadMarksCsv(pieces[0], counts);
    if (!read.ok()) {
        FUZZ_CHECK(read.fault->line >= 0);
        FUZZ_CHECK(!MarksCsvMessage(read).isEmpty());
        return 0;
    }
    QSet<int> pupils;
    for (const MarkedSheet &row : read.value) {
        FUZZ_CHECK(row.sheet >= 1 && row.sheet <= counts.size());
        FUZZ_CHECK(row.marks.size() == counts[row.sheet - 1]);
        FUZZ_CHECK(row.pupil >= 0 && row.pupil <= MaxPupil);
        FUZZ_CHECK(row.pupil == 0 || !pupils.contains(row.pupil));
        pupils.insert(row.pupil);
    }
    history.clear();
    FUZZ_CHECK(history.store.recordMarks(history.run, read.value).ok());
    const HistoryOutcome<QList<MarkedSheet>> back = history.store.marks(history.run);
    FUZZ_CHECK(back.ok() && back.value == read.value);
    // Set again, the same table leaves the marks as they were: no row without a number twice.
    FUZZ_CHECK(history.store.recordMarks(history.run, read.value).ok());
    FUZZ_CHECK(history.store.marks(history.run).value == read.value);
    if (pieces.size() < 2)
        return 0;
    writeRows(pieces[1]);
    const HistoryOutcome<QList<MarkedSheet>> written = history.store.marks(history.run);
    FUZZ_CHECK(written.ok());
    for (const MarkedSheet &row : written.value) {
        FUZZ_CHECK(row.sheet >= 1 && row.sheet <= counts.size());
        FUZZ_CHECK(row.marks.size() == counts[row.sheet - 1]);
        FUZZ_CHECK(row.pupil >= 0 && row.pupil <= MaxPupil);
    }
    // Points another program left are the teacher's points or none.
    const HistoryOutcome<std::optional<int>> points = history.store.runPoints(history.run);
    FUZZ_CHECK(points.ok() && (!points.value || PointsInRange(*points.value)));
    FUZZ_CHECK(history.store.analysis({.runId = history.run.id}).ok());
    return 0;
}
