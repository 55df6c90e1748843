// SPDX-License-Identifier: GPL-3.0-or-later
// The class history reading its own file back: the runs, the classes, the recent
// questions, a sheet number looked up and its sheets printed again.
//
// Input: a mode byte, then either records stored beside a recorded run (values of
// any type, as another program or a damaged file may hold them), or bytes written
// over a database file at chosen offsets.
#include "FuzzSupport.h"

#include "history/HistoryStore.h"
#include "history/QuestionKey.h"
#include "print/PrintLog.h"
#include "print/PrintRun.h"
#include "print/RecordingSurface.h"
#include "setup/Reprint.h"
#include "setup/SheetPrinting.h"

#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

#include <fuzzer/FuzzedDataProvider.h>

#include <optional>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

const QString Writer = QStringLiteral("fuzz-writer");

QString questionFile()
{
    static const QString path = [] {
        const QString p = scratchFile(QStringLiteral("recorded.qvn"));
        writeFile(p,
            QByteArrayLiteral("Title\r\n2\r\nC1\r\n\r\n\r\n\r\nQ one @a@\r\nh\r\na\r\nQ two\r\n\r\nb\r\n"));
        return p;
    }();
    return path;
}

// A history with one run of two sheets, as the program records it.
const QByteArray &recordedHistory()
{
    static const QByteArray bytes = [] {
        const QString path = scratchFile(QStringLiteral("template.sqlite"));
        RecordedRun run;
        run.className = QStringLiteral("1年A組");
        run.when = QDateTime(QDate(2024, 4, 8), QTime(9, 30));
        run.options.sheet.FontName = DefaultFontName;
        run.options.sheet.FontSize = 10;
        run.options.sheet.SheetLogo = DefaultSheetLogo;
        run.options.sheet.sheetCount = 2;
        run.options.parts = {1, 2};
        run.files = {{questionFile(), FileDigest(questionFile()).value_or(QString())}};
        const QList<QuestionRecord> questions
            = {{QStringLiteral("Q one @a@"), QStringLiteral("h"), QStringLiteral("a")},
                {QStringLiteral("Q two"), {}, QStringLiteral("b")}};
        run.sheets = {{QStringLiteral("04080930-1"), run.when, questions},
            {QStringLiteral("04080930-2"), run.when, questions.mid(1)}};
        FUZZ_CHECK(HistoryStore(path).record(run).ok());
        const QByteArray stored = readFile(path);
        QFile::remove(path);
        return stored;
    }();
    return bytes;
}

QVariant valueFrom(FuzzedDataProvider &in)
{
    switch (in.ConsumeIntegralInRange(0, 6)) {
    case 0:
        return QVariant::fromValue(in.ConsumeIntegral<qint64>());
    case 1:
        return QVariant(in.ConsumeIntegralInRange(-2, 5));
    case 2:
        return QVariant(QMetaType::fromType<QString>());
    case 3:
        return QVariant(in.ConsumeFloatingPoint<double>());
    case 4:
        return QVariant(QByteArray::fromStdString(in.ConsumeRandomLengthString(16)));
    case 5: {
        // A sheet number, a time or a part list: texts the reading parses.
        static const char *const forms[] = {"04080930", "04080930-2", "2024-04-08T09:30:00.000", "1,2,3",
            "-1,x,99999999999", "18446744073709551615"};
        return QVariant(QString::fromLatin1(forms[in.ConsumeIntegralInRange(0, 5)]));
    }
    default:
        return QVariant(QString::fromStdString(in.ConsumeRandomLengthString(24)));
    }
}

// The history of the rows mode: one file for the whole process, kept open by
// the store and by the writer, and put back to the recorded run before each input
// (rows past the run's own deleted, its numbering reset), so that no input pays
// for opening a database.
struct RowsHistory
{
    QString path = scratchFile(QStringLiteral("rows.sqlite"));
    HistoryStore store {path};
    HistoryStore::KeptOpen kept;

    RowsHistory()
    {
        writeFile(path, recordedHistory());
        kept = store.keepOpen();
        FUZZ_CHECK(kept);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), Writer);
        db.setDatabaseName(path);
        FUZZ_CHECK(db.open());
    }
};

RowsHistory &rowsHistory()
{
    static RowsHistory rows;
    return rows;
}

void store(FuzzedDataProvider &in)
{
    rowsHistory();
    QSqlDatabase db = QSqlDatabase::database(Writer, false);
    FUZZ_CHECK(db.transaction());
    QSqlQuery query(db);
    // The recorded run: one run with one file, two sheets and three questions.
    static const char *const resets[] = {"DELETE FROM runs WHERE rowid <> 1",
        "DELETE FROM files WHERE rowid <> 1", "DELETE FROM sheets WHERE rowid NOT IN (1, 2)",
        "DELETE FROM questions WHERE rowid NOT IN (1, 2, 3)",
        "UPDATE sqlite_sequence SET seq = CASE name WHEN 'runs' THEN 1 ELSE 2 END"};
    for (const char *reset : resets)
        FUZZ_CHECK(query.exec(QString::fromLatin1(reset)));
    FUZZ_CHECK(db.commit());
    // Each row on its own, so that one refused row leaves the others: SQLite rolls
    // back a whole transaction where a run numbered at the top of the rowid range
    // leaves no number for the next one.
    static const QString inserts[] = {
        QStringLiteral("INSERT INTO runs (id, class, at, output, answer_layout, attach_answers, font_name,"
                       " font_size, sheet_logo, sheet_count, all_parts, parts, seed)"
                       " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
        QStringLiteral("INSERT INTO files (run_id, position, path, digest) VALUES (?, ?, ?, ?)"),
        QStringLiteral("INSERT INTO sheets (id, run_id, number, at) VALUES (?, ?, ?, ?)"),
        QStringLiteral("INSERT INTO questions (sheet_id, position, key, question, hint, answer)"
                       " VALUES (?, ?, ?, ?, ?, ?)"),
    };
    static const int columns[] = {13, 4, 4, 6};
    for (int row = 0; row < 12 && in.remaining_bytes() > 0; ++row) {
        const int table = in.ConsumeIntegralInRange(0, 3);
        query.prepare(inserts[table]);
        for (int c = 0; c < columns[table]; ++c) {
            // Files mostly name the recorded question file, so that a reprint gets far.
            if (table == 1 && c >= 2 && in.ConsumeBool())
                query.addBindValue(c == 2 ? questionFile() : FileDigest(questionFile()).value_or(QString()));
            else
                query.addBindValue(valueFrom(in));
        }
        query.exec(); // a row the schema refuses is simply not there
    }
}

void overwrite(FuzzedDataProvider &in, QByteArray &bytes)
{
    while (in.remaining_bytes() > 2) {
        const auto at = in.ConsumeIntegralInRange<qsizetype>(0, bytes.size() - 1);
        bytes[at] = in.ConsumeIntegral<char>();
    }
}

void reprint(const RecordedRun &run, const QList<int> &positions)
{
    SilentDialogs dialogs;
    const ReprintOutcome reprint = reprintOf(run, positions);
    if (!reprint.ok())
        return;
    RecordingSurface surface;
    PrintSheets(reprint.value.job, reprint.value.files, surface, dialogs);
    FUZZ_CHECK(!(surface.log().ended() && surface.log().killed()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    std::optional<HistoryStore> overwritten;
    HistoryStore::KeptOpen open;
    if (in.ConsumeBool()) {
        store(in);
    } else {
        const QString path = scratchFile(QStringLiteral("history.sqlite"));
        QFile::remove(path + QStringLiteral("-wal"));
        QFile::remove(path + QStringLiteral("-shm"));
        QByteArray bytes = recordedHistory();
        overwrite(in, bytes);
        writeFile(path, bytes);
        overwritten.emplace(path);
        open = overwritten->keepOpen();
    }
    const HistoryStore &history = overwritten ? *overwritten : rowsHistory().store;
    const HistoryOutcome<QList<RecordedRun>> runs = history.runs();
    const HistoryOutcome<QStringList> classes = history.classes();
    if (!runs.ok() || !classes.ok())
        return 0;
    for (const RecordedRun &run : runs.value)
        FUZZ_CHECK(classes.value.contains(run.className));
    const QString className = classes.value.value(0);
    const HistoryOutcome<RecentUse> recent = history.recentUse(className, in.ConsumeIntegralInRange(-1, 4));
    if (recent.ok())
        for (const QString &key : recent.value.recent)
            FUZZ_CHECK(recent.value.lastGiven.contains(key));

    // A sheet number as the teacher types it, from what the history lists.
    QString number;
    for (const RecordedRun &run : runs.value)
        for (const RecordedSheet &sheet : run.sheets)
            number = sheet.sheetNumber;
    static const QRegularExpression sheetNumber(QStringLiteral("^\\d{8}(-\\d+)?$"));
    const bool typedExactly = sheetNumber.match(number).hasMatch();
    const HistoryOutcome<QList<FoundSheets>> found = history.findSheets(number, QString());
    if (!found.ok() || found.value.isEmpty())
        return 0;
    const FoundSheets &sheets = found.value.first();
    for (int k : sheets.sheets) {
        FUZZ_CHECK(k >= 0 && k < sheets.run.sheets.size());
        if (typedExactly && number.contains(u'-'))
            FUZZ_CHECK(sheets.run.sheets[k].sheetNumber == number);
    }
    if (!sheets.sheets.isEmpty())
        reprint(sheets.run, sheets.sheets);
    return 0;
}
