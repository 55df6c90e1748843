// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistorySql.h"

#include "history/HistoryBackend.h"

#include <exception>

namespace sorario {

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
