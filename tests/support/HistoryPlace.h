// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
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

// In a suite's initTestCase: its second run goes on only with a server to run against.
#define SORARIO_SERVER_RUN()                                                                                 \
    do {                                                                                                     \
        if (qEnvironmentVariable("SORARIO_TEST_BACKEND") == QLatin1String("postgresql")                      \
            && (sorario::test::serverUnderTest().isEmpty()                                                   \
                || !QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))))                               \
            QSKIP("no PostgreSQL server under test: set SORARIO_TEST_POSTGRES (tests/server/cluster.sh)");   \
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
    QSqlDatabase admin = QSqlDatabase::database(QStringLiteral("test-admin"));
    if (!admin.isValid()) {
        const QUrl url(server);
        admin = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("test-admin"));
        admin.setHostName(url.host());
        admin.setPort(url.port(5432));
        admin.setDatabaseName(url.path().mid(1));
        admin.setUserName(url.userName());
        if (!admin.open())
            qFatal("the server under test: %s", qPrintable(admin.lastError().text()));
        QSqlQuery(admin).exec(QStringLiteral("SET client_min_messages = warning"));
    }
    const QString schema = QStringLiteral("t%1_%2").arg(QCoreApplication::applicationPid()).arg(made.size());
    QSqlQuery(admin).exec(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(schema));
    if (!QSqlQuery(admin).exec(QStringLiteral("CREATE SCHEMA %1").arg(schema)))
        qFatal("the server under test: %s", qPrintable(admin.lastError().text()));
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
