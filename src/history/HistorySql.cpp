// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistorySql.h"

#include "history/HistoryBackend.h"

#include <QStringList>

#include <exception>

namespace sorario {

void InsertRows(const HistorySql &sql, const QString &into, int columns, const QVariantList &values)
{
    // Well under either database's limit of values to a statement.
    constexpr qsizetype RowsAStatement = 100;
    const QString row = u'(' + QStringList(columns, QStringLiteral("?")).join(QStringLiteral(", ")) + u')';
    for (qsizetype first = 0; first < values.size(); first += columns * RowsAStatement) {
        const QVariantList some = values.mid(first, columns * RowsAStatement);
        const qsizetype rows = some.size() / columns;
        sql.exec(into + QStringLiteral(" VALUES ") + QStringList(rows, row).join(QStringLiteral(", ")), some);
    }
}

void InWriteTransaction(const HistorySql &sql, const std::function<void()> &work)
{
    for (const QString &statement : sql.backend->beginWrite())
        sql.exec(statement, {});
    try {
        work();
        sql.exec(QStringLiteral("COMMIT"), {});
    } catch (...) {
        try {
            sql.exec(QStringLiteral("ROLLBACK"), {});
        } catch (const std::exception &) {
            // The failure that made it roll back is the one to report.
        }
        throw;
    }
}

} // namespace sorario
