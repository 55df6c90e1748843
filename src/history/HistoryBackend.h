// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryFault.h"

#include <QSet>
#include <QSqlDriver>
#include <QStringList>

namespace sorario {

class HistoryConnection;
struct HistorySql;
enum class HistoryAccess;

// Whether the history is there to be read: Absent is one not made yet.
enum class HistoryPresence { Present, Absent, Unreachable };

// Where a history is kept: an SQLite file on this computer, or a grade team's
// PostgreSQL database. What the SQL of the two says differently is said here, once
// for each; everything else is the same statements on both.
class HistoryBackend
{
public:
    virtual ~HistoryBackend() = default;

    virtual HistoryPresence presence(const QString &location) const = 0;
    // Opens the connection named c.name() for c's access; a write makes the tables, or
    // brings them up to date, whole or not at all. Whether it holds no tables yet.
    virtual bool open(const HistoryConnection &c, const QString &location) const = 0;
    // Whether a query's rows are read one by one as they are used, rather than all at
    // once: a server's connection can stream only one query at a time, and the store
    // reads the rows of one query while it runs others.
    virtual bool readsRowByRow() const = 0;
    // What begins a write that keeps what it reads true until it commits.
    virtual QStringList beginWrite() const = 0;
    // The version the history's tables are at (see MarkTables.h), and what they have.
    virtual int schemaVersion(const HistorySql &sql) const = 0;
    virtual QStringList tables(const HistorySql &sql) const = 0;
    virtual QSet<QString> columns(const HistorySql &sql, const QString &table) const = 0;
    // The kind of a failure the database reported, and its own words worth showing.
    virtual HistoryFault faultOf(const QSqlError &error) const = 0;
    virtual QString detailOf(const QSqlError &error) const = 0;
};

const HistoryBackend &BackendFor(const QString &location);
const HistoryBackend &BackendFor(QSqlDriver::DbmsType type);

} // namespace sorario
