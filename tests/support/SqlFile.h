// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

namespace sorario::test {

// One statement on an SQLite file, as another program would run it.
inline void sql(const QString &file, const QString &statement)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("sql"));
        db.setDatabaseName(file);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(statement));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("sql"));
}

} // namespace sorario::test
