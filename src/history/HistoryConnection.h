// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryFault.h"
#include "history/PrintOptionColumns.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

#include <stdexcept>

namespace sorario {

// Why the history failed, on its way up to the one place that reports it.
struct HistoryFailure : std::runtime_error
{
    HistoryFailure(HistoryFault fault, const QString &detail);
    explicit HistoryFailure(const QSqlError &error);

    HistoryFault fault;
    QString detail;
};

// How a call uses the file. Reading never changes it; the first write of a run
// checks the file whole before anything is written into it.
enum class HistoryAccess { Read, Write, WriteChecked };

// One opened history, closed and forgotten at the end.
class HistoryConnection
{
public:
    HistoryConnection(const QString &path, HistoryAccess access);
    ~HistoryConnection();
    HistoryConnection(const HistoryConnection &) = delete;
    HistoryConnection &operator=(const HistoryConnection &) = delete;

    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    bool writes() const { return m_access != HistoryAccess::Read; }
    // A database with no tables yet: an empty history.
    bool empty() const { return m_empty; }

    QSqlQuery exec(const QString &sql, const QVariantList &values = {}) const;
    HistorySql sql() const;

private:
    void open(const QString &path);
    void release() const;

    QString m_name;
    HistoryAccess m_access;
    bool m_empty = false;
};

// The next row; a row that cannot be read fails the whole call, since SQLite starts
// the call's other reads over after such a failure and carrying on would not end.
bool nextRow(QSqlQuery &query);

// Whether the file is there to be read: Absent is a history not made yet.
enum class HistoryPresence { Present, Absent, Unreachable };
HistoryPresence PresenceOf(const QString &path);

} // namespace sorario
