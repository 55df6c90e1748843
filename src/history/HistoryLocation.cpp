// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryLocation.h"

#include <QDir>
#include <QUrl>
#include <QUrlQuery>

namespace sorario {

bool IsServerHistory(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://"))
        || location.startsWith(QLatin1String("postgres://"));
}

std::optional<ServerAddress> ServerAddressOf(const QString &uri)
{
    if (!IsServerHistory(uri))
        return std::nullopt;
    const QUrl url(uri, QUrl::StrictMode);
    const QString database = url.path().mid(1);
    if (!url.isValid() || url.host().isEmpty() || database.isEmpty() || database.contains(u'/'))
        return std::nullopt;
    ServerAddress address;
    address.host = url.host();
    address.port = url.port(5432);
    address.database = database;
    address.user = url.userName();
    address.password = url.password();
    QStringList options;
    bool sslModeSet = false;
    for (const auto &[key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        // QPSQL splits its options at ";" and passes each on as key=value.
        if (key.contains(u';') || value.contains(u';') || key.contains(u'=') || key.isEmpty())
            return std::nullopt;
        options.append(key + u'=' + value);
        sslModeSet = sslModeSet || key == QLatin1String("sslmode");
    }
    // Marks are pupils' records: the server's name is checked against its certificate
    // unless the teacher chose otherwise in the URI or in libpq's environment.
    if (!sslModeSet && qEnvironmentVariableIsEmpty("PGSSLMODE"))
        options.append(QStringLiteral("sslmode=verify-full"));
    address.options = options.join(u';');
    return address;
}

QString ShownLocation(const QString &location)
{
    if (!IsServerHistory(location))
        return QDir::toNativeSeparators(location);
    const std::optional<ServerAddress> server = ServerAddressOf(location);
    if (!server)
        return location.section(u'@', -1);
    return QStringLiteral("%1:%2/%3").arg(server->host).arg(server->port).arg(server->database)
        + (server->user.isEmpty() ? QString() : QStringLiteral("（%1）").arg(server->user));
}

} // namespace sorario
