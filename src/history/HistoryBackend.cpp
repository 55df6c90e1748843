// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryBackend.h"

#include "history/HistoryLocation.h"

namespace sorario {

const HistoryBackend &SqliteBackend();
const HistoryBackend &PostgresBackend();

const HistoryBackend &BackendFor(const QString &location)
{
    return IsServerHistory(location) ? PostgresBackend() : SqliteBackend();
}

const HistoryBackend &BackendFor(QSqlDriver::DbmsType type)
{
    return type == QSqlDriver::PostgreSQL ? PostgresBackend() : SqliteBackend();
}

} // namespace sorario
