// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryConnection.h"
#include "history/HistoryLocation.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace sorario::test {

// One statement on an SQLite file, as another program would run it, or on a history
// on the server under test.
inline void sql(const QString &file, const QString &statement)
{
    if (IsServerHistory(file)) {
        QVERIFY(HistoryConnection(file, HistoryAccess::Read).exec(statement).isActive());
        return;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sql"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(statement));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sql"));
}

} // namespace sorario::test
