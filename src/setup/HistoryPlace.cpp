// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/HistoryPlace.h"

#include "history/HistoryLocation.h"
#include "history/HistoryPath.h"
#include "history/HistoryStore.h"
#include "platform/Dialogs.h"
#include "settings/PrintOptionsFile.h"
#include "setup/SettingsFiles.h"
#include "shared/ProgramConstants.h"

#include <QHash>
#include <QSettings>
#include <QUrl>
#include <QUrlQuery>

namespace sorario {
namespace {

const QString ServerKey = QStringLiteral("history/server");

} // namespace

QString ServerUri(const ServerChoice &server)
{
    QUrl url;
    url.setScheme(QStringLiteral("postgresql"));
    url.setUserName(server.user);
    url.setHost(server.host);
    url.setPort(server.port);
    url.setPath(u'/' + server.database);
    if (!server.verifyCertificate)
        url.setQuery(QStringLiteral("sslmode=require"));
    return url.toString(QUrl::FullyEncoded);
}

std::optional<ServerChoice> ServerChoiceOf(const QString &location)
{
    const std::optional<ServerAddress> address = ServerAddressOf(location);
    if (!address)
        return std::nullopt;
    const QString mode = QUrlQuery(QUrl(location)).queryItemValue(QStringLiteral("sslmode"));
    return ServerChoice {address->host, address->port, address->database, address->user,
        mode.isEmpty() || mode == QLatin1String("verify-full")};
}

QString WindowHistoryLocation(const Module1 &m)
{
    if (!qEnvironmentVariableIsEmpty(HistoryEnvironment))
        return HistoryPath();
    const QString server
        = readSettingsFile(PrintOptionsFilePath(settingsFoldersOf(m))).value(ServerKey).toString();
    return ServerChoiceOf(server) ? server : DefaultHistoryFile();
}

void RememberHistoryServer(const Module1 &m, const std::optional<ServerChoice> &server)
{
    updateOptionsFile(settingsFoldersOf(m), [&server](QSettings &file) {
        if (server)
            file.setValue(ServerKey, ServerUri(*server));
        else
            file.remove(ServerKey);
    });
}

bool WantsPassword(HistoryFault fault, const QString &detail)
{
    return fault == HistoryFault::LoginRefused && detail.contains(QLatin1String("no password supplied"));
}

QString SessionLocation(const QString &location, const QString &password)
{
    static QHash<QString, QString> typed;
    if (!IsServerHistory(location))
        return location;
    QUrl url(location);
    url.setPassword({});
    const QString key = url.toString(QUrl::FullyEncoded);
    if (!password.isEmpty())
        typed.insert(key, password);
    if (!typed.contains(key))
        return location;
    url.setPassword(typed.value(key));
    return url.toString(QUrl::FullyEncoded);
}

bool SignInAgain(Dialogs &dialogs, HistoryStore &store, HistoryFault fault, const QString &detail)
{
    if (!WantsPassword(fault, detail))
        return false;
    const std::optional<QString> password = dialogs.passwordBox(
        QStringLiteral("クラスの履歴のサーバー %1 のパスワード：").arg(ShownLocation(store.path())),
        ProgramTitle);
    if (!password)
        return false;
    store = HistoryStore(SessionLocation(store.path(), *password));
    return true;
}

} // namespace sorario
