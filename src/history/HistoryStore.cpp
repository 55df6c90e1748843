// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include "history/AnalysisRead.h"
#include "history/CallConnection.h"
#include "history/ClassNames.h"
#include "history/HistoryConnection.h"
#include "history/MarkTables.h"
#include "history/PrintOptionColumns.h"
#include "history/QuestionKey.h"
#include "history/ReviewRead.h"
#include "history/RunNumber.h"
#include "history/RunRows.h"
#include "print/SheetHeader.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

#include <memory>
#include <optional>

namespace sorario {
namespace {

using Connection = HistoryConnection;

// " class IN (?, ...)" over the stored spellings of `className`, and those names.
std::pair<QString, QVariantList> classMatch(const Connection &c, const QString &className)
{
    QStringList stored;
    for (QSqlQuery row = c.exec(QStringLiteral("SELECT DISTINCT class FROM runs")); nextRow(row);)
        stored.append(row.value(0).toString());
    const QStringList names = SpellingsOf(stored, className);
    // An empty list would be no SQL on a server.
    if (names.isEmpty())
        return {QStringLiteral(" 1 = 0"), {}};
    return {QStringLiteral(" class IN (%1)").arg(QStringList(names.size(), QStringLiteral("?")).join(u',')),
        QVariantList(names.cbegin(), names.cend())};
}

} // namespace

HistoryStore::HistoryStore(QString path)
    : m_path(std::move(path))
{
}

HistoryStore::KeptOpen HistoryStore::keepOpen() const
{
    if (KeptOpen kept = m_kept.lock())
        return kept;
    if (PresenceOf(m_path) != HistoryPresence::Present)
        return nullptr;
    try {
        KeptOpen kept = std::make_shared<HistoryConnection>(m_path, HistoryAccess::Write);
        m_kept = kept;
        return kept;
    } catch (const HistoryFailure &) {
        return nullptr; // each call reports it
    }
}

template <typename T, typename Work> HistoryOutcome<T> HistoryStore::answer(T empty, Work work) const
{
    // Reading never creates the file: no history yet is an empty one.
    switch (PresenceOf(m_path)) {
    case HistoryPresence::Absent:
        return {std::move(empty)};
    case HistoryPresence::Unreachable:
        return HistoryOutcome<T>::failed(HistoryFault::Unreachable);
    case HistoryPresence::Present:
        break;
    }
    try {
        const CallConnection connection(m_kept, m_path, HistoryAccess::Read);
        if ((*connection).empty())
            return {std::move(empty)};
        return {work(*connection)};
    } catch (const HistoryFailure &e) {
        return HistoryOutcome<T>::failed(e.fault, e.detail);
    }
}

template <typename Work> HistoryOutcome<> HistoryStore::write(HistoryAccess access, Work work) const
{
    if (PresenceOf(m_path) == HistoryPresence::Unreachable)
        return HistoryOutcome<>::failed(HistoryFault::Unreachable);
    try {
        const CallConnection connection(m_kept, m_path, access);
        work(*connection);
        return {};
    } catch (const HistoryFailure &e) {
        return HistoryOutcome<>::failed(e.fault, e.detail);
    } catch (const std::exception &e) {
        return HistoryOutcome<>::failed(HistoryFault::Unusable, QString::fromStdString(e.what()));
    }
}

HistoryOutcome<QString> HistoryStore::reserveNumber(const QDateTime &when) const
{
    QString reserved;
    const HistoryOutcome<> written = write(HistoryAccess::Write, [&](const Connection &c) {
        const QString minute = SheetNumber(when, 0);
        WriteTransaction transaction(c);
        QSet<QString> taken;
        // Every number that starts with the minute sorts from it to the minute and "~".
        QSqlQuery numbers = c.exec(QStringLiteral("SELECT number FROM sheets WHERE number >= ? AND number < ?"
                                                  " UNION SELECT number FROM run_numbers"
                                                  " WHERE number >= ? AND number < ?"),
            {minute, minute + u'~', minute, minute + u'~'});
        while (nextRow(numbers))
            taken.insert(RunNumberOf(numbers.value(0).toString()));
        reserved = FreeRunNumber(minute, taken);
        c.exec(QStringLiteral("INSERT INTO run_numbers (number) VALUES (?)"), {reserved});
        transaction.commit();
    });
    if (!written.ok())
        return HistoryOutcome<QString>::failed(*written.fault, written.detail);
    return {reserved};
}

void HistoryStore::releaseNumber(const QString &number) const
{
    // A number left behind only makes the next run of that minute take a letter.
    (void)write(HistoryAccess::WriteChecked, [&](const Connection &c) {
        c.exec(QStringLiteral("DELETE FROM run_numbers WHERE number = ? AND run_id IS NULL"), {number});
    });
}

HistoryOutcome<> HistoryStore::record(const RecordedRun &run, const QString &number) const
{
    // A run that took its number has had the file checked already.
    const HistoryAccess access = number.isEmpty() ? HistoryAccess::Write : HistoryAccess::WriteChecked;
    return write(access, [&](const Connection &c) {
        WriteTransaction transaction(c);
        const QVariant id = InsertRun(c, run, betweenWrites);
        // The number stays this run's; one another run holds is not taken over.
        if (!number.isEmpty()
            && c.exec(
                    QStringLiteral(
                        "INSERT INTO run_numbers (number, run_id) VALUES (?, ?) ON CONFLICT"
                        " (number) DO UPDATE SET run_id = excluded.run_id WHERE run_numbers.run_id IS NULL"),
                    {number, id})
                    .numRowsAffected()
                != 1)
            throw HistoryFailure(HistoryFault::Unusable, QStringLiteral("the sheet number is another run's"));
        transaction.commit();
    });
}

HistoryOutcome<CopyReport> HistoryStore::addRuns(const QList<CopiedRun> &runs) const
{
    CopyReport report;
    const HistoryOutcome<> written = write(HistoryAccess::Write, [&](const Connection &c) {
        WriteTransaction transaction(c);
        report = {};
        for (const CopiedRun &copied : runs)
            AddCopiedRun(c, copied, report, betweenWrites);
        transaction.commit();
    });
    if (!written.ok())
        return HistoryOutcome<CopyReport>::failed(*written.fault, written.detail);
    return {report};
}

HistoryOutcome<QList<RecordedRun>> HistoryStore::runs(const QString &className) const
{
    return answer<QList<RecordedRun>>({}, [&](const Connection &c) {
        QList<RecordedRun> runs;
        const auto [match, names] = classMatch(c, className);
        QSqlQuery row = c.exec(
            RunColumns() + QStringLiteral(" WHERE ? = '' OR") + match + QStringLiteral(" ORDER BY id DESC"),
            QVariantList {className} + names);
        while (nextRow(row))
            runs.append(LoadRun(c, row));
        return runs;
    });
}

HistoryOutcome<QStringList> HistoryStore::classes() const
{
    return answer<QStringList>({}, [&](const Connection &c) {
        QStringList names;
        QSqlQuery row = c.exec(QStringLiteral("SELECT class FROM runs GROUP BY class ORDER BY MAX(id) DESC"));
        while (nextRow(row))
            names.append(row.value(0).toString());
        return OneNameEach(names);
    });
}

HistoryOutcome<RecentUse> HistoryStore::recentUse(const QString &className, int tests) const
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
                + QStringLiteral(" ORDER BY id DESC LIMIT ?) AS last_tests"),
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

HistoryOutcome<QList<FoundSheets>> HistoryStore::findSheets(
    const QString &typed, const QString &className) const
{
    // The number may be typed as printed, sheet code and all; a digit more on either side is
    // another number, never a part of one that is recorded.
    static const QRegularExpression numberPattern(QStringLiteral("(?<!\\d)\\d{8}[A-Za-z]*(-\\d+)?(?!\\d)"));
    QString number;
    for (auto it = numberPattern.globalMatch(typed); it.hasNext();)
        number = it.next().captured().toLower();
    return answer<QList<FoundSheets>>({}, [&](const Connection &c) {
        QList<FoundSheets> found;
        if (number.isEmpty())
            return found;
        const bool oneSheet = number.contains(u'-');
        QSqlQuery row = c.exec(RunColumns()
                + QStringLiteral(" WHERE id IN (SELECT run_id FROM sheets WHERE number = ? OR number LIKE ?)"
                                 " AND (? = '' OR class = ?) ORDER BY id DESC"),
            {number, oneSheet ? number : number + QStringLiteral("-%"), className, className});
        while (nextRow(row)) {
            FoundSheets hit {LoadRun(c, row), {}};
            for (int k = 0; k < hit.run.sheets.size(); ++k)
                if (!oneSheet || hit.run.sheets[k].sheetNumber == number)
                    hit.sheets.append(k);
            found.append(hit);
        }
        return found;
    });
}

HistoryOutcome<QList<MarkedSheet>> HistoryStore::marks(const RecordedRun &run) const
{
    return answer<QList<MarkedSheet>>({}, [&](const Connection &c) { return ReadMarks(c.sql(), run.id); });
}

HistoryOutcome<> HistoryStore::recordMarks(const RecordedRun &run, const QList<MarkedSheet> &rows) const
{
    HistoryOutcome<> marked;
    const HistoryOutcome<> written = write(HistoryAccess::Write, [&](const Connection &c) {
        InWriteTransaction(c.sql(), [&] { marked = WriteMarks(c.sql(), run.id, rows); });
    });
    return written.ok() ? marked : written;
}

HistoryOutcome<> HistoryStore::removeMarks(const RecordedRun &run, int pupil) const
{
    return write(HistoryAccess::Write, [&](const Connection &c) {
        InWriteTransaction(c.sql(), [&] { RemovePupilMarks(c.sql(), run.id, pupil); });
    });
}

HistoryOutcome<std::optional<int>> HistoryStore::runPoints(const RecordedRun &run) const
{
    return answer<std::optional<int>>(
        {}, [&](const Connection &c) { return ReadRunPoints(c.sql(), run.id); });
}

HistoryOutcome<> HistoryStore::setRunPoints(const RecordedRun &run, std::optional<int> tenths) const
{
    HistoryOutcome<> set;
    const HistoryOutcome<> written = write(HistoryAccess::Write, [&](const Connection &c) {
        InWriteTransaction(c.sql(), [&] { set = WriteRunPoints(c.sql(), run.id, tenths); });
    });
    return written.ok() ? set : written;
}

HistoryOutcome<Analysis> HistoryStore::analysis(const AnalysisScope &scope) const
{
    return answer<Analysis>({}, [&](const Connection &c) {
        const auto [match, names] = classMatch(c, scope.className);
        return ReadAnalysis(c.sql(), scope, match, names);
    });
}

HistoryOutcome<QList<ReviewTest>> HistoryStore::reviewTests(const QString &className, ReviewDraw whose) const
{
    return answer<QList<ReviewTest>>({}, [&](const Connection &c) {
        const auto [match, names] = classMatch(c, className);
        return ReadReviewTests(c.sql(), match, names, whose);
    });
}

} // namespace sorario
