// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryBackend.h"
#include "history/HistoryFault.h"
#include "history/HistorySql.h"

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
    // In the words of the database that reported it.
    HistoryFailure(const QSqlError &error, QSqlDriver::DbmsType type);

    HistoryFault fault;
    QString detail;
};

// How a call uses the history. Reading never changes it; the first write of a run
// checks it whole before anything is written into it.
enum class HistoryAccess { Read, Write, WriteChecked };

// One opened history, closed and forgotten at the end.
class HistoryConnection
{
public:
    HistoryConnection(const QString &location, HistoryAccess access);
    ~HistoryConnection();
    HistoryConnection(const HistoryConnection &) = delete;
    HistoryConnection &operator=(const HistoryConnection &) = delete;

    const QString &name() const { return m_name; }
    QSqlDatabase db() const { return QSqlDatabase::database(m_name, false); }
    HistoryAccess access() const { return m_access; }
    bool writes() const { return m_access != HistoryAccess::Read; }
    // A database with no tables yet: an empty history.
    bool empty() const { return m_empty; }
    const HistoryBackend &backend() const { return m_backend; }

    QSqlQuery exec(const QString &sql, const QVariantList &values = {}) const;
    HistorySql sql() const;

private:
    void release() const;

    QString m_name;
    HistoryAccess m_access;
    const HistoryBackend &m_backend;
    bool m_empty = false;
};

// The next row; a row that cannot be read fails the whole call, since SQLite starts
// the call's other reads over after such a failure and carrying on would not end.
bool nextRow(QSqlQuery &query);

HistoryPresence PresenceOf(const QString &location);

} // namespace sorario
