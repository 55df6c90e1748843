// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include "history/ClassNames.h"
#include "history/QuestionKey.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include <memory>
#include <optional>
#include <stdexcept>

namespace sorario {
namespace {

const QStringList Schema = {
    QStringLiteral("CREATE TABLE IF NOT EXISTS runs (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                   " class TEXT NOT NULL, at TEXT NOT NULL, output INTEGER NOT NULL,"
                   " answer_layout INTEGER, attach_answers INTEGER, font_name TEXT, font_size INTEGER,"
                   " sheet_logo TEXT, sheet_count INTEGER, all_parts INTEGER, parts TEXT, seed TEXT)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS files (run_id INTEGER NOT NULL REFERENCES runs(id),"
                   " position INTEGER NOT NULL, path TEXT NOT NULL, digest TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS sheets (id INTEGER PRIMARY KEY AUTOINCREMENT,"
                   " run_id INTEGER NOT NULL REFERENCES runs(id), number TEXT NOT NULL, at TEXT NOT NULL)"),
    QStringLiteral("CREATE TABLE IF NOT EXISTS questions (sheet_id INTEGER NOT NULL REFERENCES sheets(id),"
                   " position INTEGER NOT NULL, key TEXT NOT NULL, question TEXT NOT NULL,"
                   " hint TEXT NOT NULL, answer TEXT NOT NULL)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS sheets_number ON sheets(number)"),
    QStringLiteral("CREATE INDEX IF NOT EXISTS questions_sheet ON questions(sheet_id)"),
};

// A failed statement: its reason travels up to the one place that reports it.
struct SqlFailure : std::runtime_error
{
    explicit SqlFailure(const QSqlError &error)
        : std::runtime_error(error.text().toStdString())
    {
    }
};

// A row that cannot be read fails the whole call: SQLite starts the call's other
// reads over after such a failure, so carrying on would read them without end.
bool nextRow(QSqlQuery &query)
{
    if (query.next())
        return true;
    if (query.lastError().isValid())
        throw SqlFailure(query.lastError());
    return false;
}

QString timeText(const QDateTime &when)
{
    return when.toString(Qt::ISODateWithMs);
}

QDateTime timeOf(const QVariant &text)
{
    return QDateTime::fromString(text.toString(), Qt::ISODateWithMs);
}

} // namespace

// One opened database, closed and forgotten at the end.
class HistoryConnection
{
public:
    explicit HistoryConnection(const QString &path)
        : m_name(QStringLiteral("sorario-history-%1").arg(counter.fetchAndAddRelaxed(1)))
    {
        // A damaged file fails here; the destructor would not run, so the
        // connection (and the open file) is let go before the failure goes on.
        try {
            open(path);
        } catch (...) {
            release();
            throw;
        }
    }
    ~HistoryConnection() { release(); }
    HistoryConnection(const HistoryConnection &) = delete;
    HistoryConnection &operator=(const HistoryConnection &) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }

    QSqlQuery exec(const QString &sql, const QVariantList &values = {}) const
    {
        QSqlQuery query(db());
        query.setForwardOnly(true);
        if (!query.prepare(sql))
            throw SqlFailure(query.lastError());
        for (const QVariant &value : values) {
            // A null text would be stored as NULL, which no comparison with text matches.
            const bool nullText = value.typeId() == QMetaType::QString && value.toString().isNull();
            query.addBindValue(nullText ? QVariant(QStringLiteral("")) : value);
        }
        if (!query.exec())
            throw SqlFailure(query.lastError());
        return query;
    }

private:
    void open(const QString &path) const
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setDatabaseName(path);
        // Another copy of the program may be writing: wait for it rather than fail.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
        if (!db.open())
            throw SqlFailure(db.lastError());
        exec(QStringLiteral("PRAGMA journal_mode=WAL"));
        for (const QString &statement : Schema)
            exec(statement);
    }

    void release() const
    {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isOpen()) {
                db.rollback();
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(m_name);
    }

    static inline QAtomicInt counter;
    QString m_name;
};

namespace {

using Connection = HistoryConnection;

// The connection a call works on: the one kept open, or its own for the call.
class CallConnection
{
public:
    CallConnection(const std::weak_ptr<Connection> &kept, const QString &path)
        : m_kept(kept.lock())
    {
        if (!m_kept)
            m_own.emplace(path);
    }
    const Connection &operator*() const { return m_kept ? *m_kept : *m_own; }

private:
    std::shared_ptr<Connection> m_kept;
    std::optional<Connection> m_own;
};

QString partsText(const QList<int> &parts)
{
    QStringList items;
    for (int part : parts)
        items.append(QString::number(part));
    return items.join(u',');
}

QList<int> partsOf(const QString &text)
{
    QList<int> parts;
    for (const QString &item : text.split(u',', Qt::SkipEmptyParts))
        parts.append(item.toInt());
    return parts;
}

RecordedRun loadRun(const Connection &c, QSqlQuery &row)
{
    RecordedRun run;
    const qint64 id = row.value(0).toLongLong();
    run.className = row.value(1).toString();
    run.when = timeOf(row.value(2));
    run.output = row.value(3).toInt() == 2 ? RunOutput::Exported : RunOutput::Printed;
    RunOptions &o = run.options;
    o.answerLayout = row.value(4).toInt();
    o.attachAnswers = row.value(5).toInt();
    o.fontName = row.value(6).toString();
    o.fontSize = row.value(7).toInt();
    o.sheetLogo = row.value(8).toString();
    o.sheetCount = row.value(9).toInt();
    o.allParts = row.value(10).toInt() == 1;
    o.parts = partsOf(row.value(11).toString());
    o.seed = row.value(12).toString().toULongLong();

    QSqlQuery files
        = c.exec(QStringLiteral("SELECT path, digest FROM files WHERE run_id = ? ORDER BY position"), {id});
    while (nextRow(files))
        run.files.append({files.value(0).toString(), files.value(1).toString()});
    QSqlQuery sheets
        = c.exec(QStringLiteral("SELECT id, number, at FROM sheets WHERE run_id = ? ORDER BY id"), {id});
    while (nextRow(sheets)) {
        RecordedSheet sheet {sheets.value(1).toString(), timeOf(sheets.value(2)), {}};
        QSqlQuery q = c.exec(QStringLiteral("SELECT question, hint, answer FROM questions"
                                            " WHERE sheet_id = ? ORDER BY position"),
            {sheets.value(0)});
        while (nextRow(q))
            sheet.questions.append({q.value(0).toString(), q.value(1).toString(), q.value(2).toString()});
        run.sheets.append(sheet);
    }
    return run;
}

// " class IN (?, ...)" over the stored spellings of `className`, and those names.
std::pair<QString, QVariantList> classMatch(const Connection &c, const QString &className)
{
    QStringList stored;
    for (QSqlQuery row = c.exec(QStringLiteral("SELECT DISTINCT class FROM runs")); nextRow(row);)
        stored.append(row.value(0).toString());
    const QStringList names = SpellingsOf(stored, className);
    return {QStringLiteral(" class IN (%1)").arg(QStringList(names.size(), QStringLiteral("?")).join(u',')),
        QVariantList(names.cbegin(), names.cend())};
}

const QString RunColumns
    = QStringLiteral("SELECT id, class, at, output, answer_layout, attach_answers, font_name, font_size,"
                     " sheet_logo, sheet_count, all_parts, parts, seed FROM runs");

} // namespace

HistoryStore::HistoryStore(QString path)
    : m_path(std::move(path))
{
}

HistoryStore::KeptOpen HistoryStore::keepOpen() const
{
    if (KeptOpen kept = m_kept.lock())
        return kept;
    if (!QFileInfo::exists(m_path))
        return nullptr;
    try {
        KeptOpen kept = std::make_shared<HistoryConnection>(m_path);
        m_kept = kept;
        return kept;
    } catch (const SqlFailure &) {
        return nullptr; // each call reports it
    }
}

template <typename T, typename Work> HistoryAnswer<T> HistoryStore::answer(T empty, Work work) const
{
    // Reading never creates the file: no history yet is an empty one.
    if (!QFileInfo::exists(m_path))
        return {std::move(empty), {}};
    try {
        const CallConnection connection(m_kept, m_path);
        return {work(*connection), {}};
    } catch (const SqlFailure &e) {
        return {std::move(empty), HistoryFailureMessage(m_path, QString::fromStdString(e.what()))};
    }
}

QString HistoryStore::record(const RecordedRun &run) const
{
    const QFileInfo file(m_path);
    if (!QDir().mkpath(file.absolutePath()))
        return HistoryFailureMessage(m_path, QStringLiteral("no folder for the file"));
    try {
        const CallConnection connection(m_kept, m_path);
        const Connection &c = *connection;
        if (!c.db().transaction())
            throw SqlFailure(c.db().lastError());
        // Nothing of a failed record stays, also on a connection kept open after it.
        const auto rollback = [](const Connection *open) { open->db().rollback(); };
        std::unique_ptr<const Connection, decltype(rollback)> uncommitted(&c, rollback);
        const RunOptions &o = run.options;
        const QVariant id
            = c.exec(QStringLiteral("INSERT INTO runs (class, at, output, answer_layout, attach_answers,"
                                    " font_name, font_size, sheet_logo, sheet_count, all_parts, parts, seed)"
                                    " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                   {run.className, timeText(run.when), run.output == RunOutput::Exported ? 2 : 1,
                       o.answerLayout, o.attachAnswers, o.fontName, o.fontSize, o.sheetLogo, o.sheetCount,
                       o.allParts ? 1 : 0, partsText(o.parts), QString::number(o.seed)})
                  .lastInsertId();
        for (qsizetype f = 0; f < run.files.size(); ++f)
            c.exec(QStringLiteral("INSERT INTO files (run_id, position, path, digest) VALUES (?, ?, ?, ?)"),
                {id, f + 1, run.files[f].path, run.files[f].digest});
        if (betweenWrites)
            betweenWrites();
        for (const RecordedSheet &sheet : run.sheets) {
            const QVariant sheetId
                = c.exec(QStringLiteral("INSERT INTO sheets (run_id, number, at) VALUES (?, ?, ?)"),
                       {id, sheet.sheetNumber, timeText(sheet.printedAt)})
                      .lastInsertId();
            for (qsizetype q = 0; q < sheet.questions.size(); ++q) {
                const QuestionRecord &r = sheet.questions[q];
                c.exec(
                    QStringLiteral("INSERT INTO questions (sheet_id, position, key, question, hint, answer)"
                                   " VALUES (?, ?, ?, ?, ?, ?)"),
                    {sheetId, q + 1, QuestionKey(r), r.QuestionText, r.Hint, r.Answer});
            }
        }
        if (!c.db().commit())
            throw SqlFailure(c.db().lastError());
        uncommitted.release();
        return {};
    } catch (const SqlFailure &e) {
        return HistoryFailureMessage(m_path, QString::fromStdString(e.what()));
    } catch (const std::exception &e) {
        return HistoryFailureMessage(m_path, QString::fromStdString(e.what()));
    }
}

HistoryAnswer<QList<RecordedRun>> HistoryStore::runs(const QString &className) const
{
    return answer<QList<RecordedRun>>({}, [&](const Connection &c) {
        QList<RecordedRun> runs;
        const auto [match, names] = classMatch(c, className);
        QSqlQuery row = c.exec(
            RunColumns + QStringLiteral(" WHERE ? = '' OR") + match + QStringLiteral(" ORDER BY id DESC"),
            QVariantList {className} + names);
        while (nextRow(row))
            runs.append(loadRun(c, row));
        return runs;
    });
}

HistoryAnswer<QStringList> HistoryStore::classes() const
{
    return answer<QStringList>({}, [&](const Connection &c) {
        QStringList names;
        QSqlQuery row = c.exec(QStringLiteral("SELECT class FROM runs GROUP BY class ORDER BY MAX(id) DESC"));
        while (nextRow(row))
            names.append(row.value(0).toString());
        return OneNameEach(names);
    });
}

HistoryAnswer<RecentUse> HistoryStore::recentUse(const QString &className, int tests) const
{
    return answer<RecentUse>({}, [&](const Connection &c) {
        RecentUse use;
        const auto [match, names] = classMatch(c, className);
        // Every sheet of a run is the one test the run gave: runs are what is counted.
        QSqlQuery last = c.exec(QStringLiteral("SELECT q.key, MAX(s.run_id) FROM questions q"
                                               " JOIN sheets s ON q.sheet_id = s.id"
                                               " JOIN runs ON s.run_id = runs.id WHERE")
                + match + QStringLiteral(" GROUP BY q.key"),
            names);
        while (nextRow(last))
            use.lastGiven.insert(last.value(0).toString(), last.value(1).toLongLong());
        // The class's runs from the K-th newest on are exactly its last K.
        QSqlQuery oldest = c.exec(QStringLiteral("SELECT MIN(id) FROM (SELECT id FROM runs WHERE") + match
                + QStringLiteral(" ORDER BY id DESC LIMIT ?)"),
            names + QVariantList {tests});
        if (tests > 0 && nextRow(oldest) && !oldest.value(0).isNull()) {
            const qint64 from = oldest.value(0).toLongLong();
            for (auto it = use.lastGiven.cbegin(); it != use.lastGiven.cend(); ++it)
                if (it.value() >= from)
                    use.recent.insert(it.key());
        }
        return use;
    });
}

HistoryAnswer<std::optional<FoundSheets>> HistoryStore::findSheets(const QString &typed) const
{
    // The number may be typed as printed, sheet code and all.
    static const QRegularExpression numberPattern(QStringLiteral("\\d{8}(-\\d+)?"));
    QString number;
    for (auto it = numberPattern.globalMatch(typed); it.hasNext();)
        number = it.next().captured();
    return answer<std::optional<FoundSheets>>(std::nullopt, [&](const Connection &c) {
        std::optional<FoundSheets> found;
        if (number.isEmpty())
            return found;
        QSqlQuery hit = c.exec(QStringLiteral("SELECT run_id FROM sheets WHERE number = ? OR number LIKE ?"
                                              " ORDER BY id DESC LIMIT 1"),
            {number, number.contains(u'-') ? number : number + QStringLiteral("-%")});
        if (!nextRow(hit))
            return found;
        QSqlQuery row = c.exec(RunColumns + QStringLiteral(" WHERE id = ?"), {hit.value(0)});
        if (!nextRow(row))
            return found;
        found = FoundSheets {loadRun(c, row), {}};
        for (int k = 0; k < found->run.sheets.size(); ++k)
            if (!number.contains(u'-') || found->run.sheets[k].sheetNumber == number)
                found->sheets.append(k);
        return found;
    });
}

QString HistoryFailureMessage(const QString &path, const QString &detail)
{
    return QStringLiteral("クラスの履歴を使えませんでした。\n") + QDir::toNativeSeparators(path)
        + QStringLiteral("\n") + detail;
}

} // namespace sorario
