// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryConnection.h"

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QTest>
#include <QUrl>
#include <QUrlQuery>

namespace sorario::test {

// The throwaway server a suite's second run keeps its histories on (see
// tests/server/cluster.sh); none for the first run.
inline QString serverUnderTest()
{
    if (qEnvironmentVariable("SORARIO_TEST_BACKEND") != QLatin1String("postgresql"))
        return {};
    return qEnvironmentVariable("SORARIO_TEST_POSTGRES");
}

// In a suite's initTestCase: its second run goes on only with a server to run against;
// a server named without the driver to reach it fails, so that CI never skips it unseen.
#define SORARIO_SERVER_RUN()                                                                                 \
    do {                                                                                                     \
        if (qEnvironmentVariable("SORARIO_TEST_BACKEND") != QLatin1String("postgresql"))                     \
            break;                                                                                           \
        if (sorario::test::serverUnderTest().isEmpty())                                                      \
            QSKIP("no PostgreSQL server under test: set SORARIO_TEST_POSTGRES (tests/server/cluster.sh)");   \
        if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))                                       \
            QFAIL("SORARIO_TEST_POSTGRES names a server, but Qt's QPSQL driver is not installed");           \
    } while (false)

// Where a test keeps the history it would keep in `file`: there, or with a server under
// test a schema of its own on it, made empty the first time the file is named.
inline QString historyAt(const QString &file)
{
    const QString server = serverUnderTest();
    if (server.isEmpty())
        return file;
    static QHash<QString, QString> made;
    if (const auto it = made.constFind(file); it != made.cend())
        return *it;
    const QString schema = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(made.size());
    try {
        // Through the program's own connection to the server, as the histories go.
        const HistoryConnection admin(server, HistoryAccess::Read);
        admin.exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
        admin.exec(QStringLiteral("CREATE SCHEMA %1").arg(schema));
    } catch (const HistoryFailure &e) {
        qFatal("the server under test: %s", qPrintable(e.detail));
    }
    QUrl url(server);
    QUrlQuery query(url);
    query.addQueryItem(QStringLiteral("options"), QStringLiteral("-csearch_path=%1").arg(schema));
    url.setQuery(query);
    return *made.insert(file, url.toString());
}

} // namespace sorario::test

// A test of what only a history file has: its own faults and its older versions.
#define SORARIO_FILE_ONLY(what)                                                                              \
    do {                                                                                                     \
        if (!sorario::test::serverUnderTest().isEmpty())                                                     \
            QSKIP("a history file only: " what);                                                             \
    } while (false)
