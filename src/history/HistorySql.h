// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlQuery>
#include <QVariant>

#include <functional>

namespace sorario {

class HistoryBackend;

// The history's statements as the store runs them: each throws on failure.
struct HistorySql
{
    std::function<QSqlQuery(const QString &sql, const QVariantList &values)> exec;
    std::function<bool(QSqlQuery &query)> next;
    const HistoryBackend *backend = nullptr;
};

// Inserts `values` as rows of `columns` values each into `into` ("INSERT INTO t (a, b)"),
// many rows to a statement: a server answers each statement over the network.
void InsertRows(const HistorySql &sql, const QString &into, int columns, const QVariantList &values);

// Runs `work` in a write transaction taken at once, committed when it returns and
// rolled back when it throws (the failure goes on).
void InWriteTransaction(const HistorySql &sql, const std::function<void()> &work);

} // namespace sorario
