// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace sorario {

// A grade team's history on a PostgreSQL server, from a libpq connection URI
// ("postgresql://user@host:port/dbname?sslmode=…").
struct ServerAddress
{
    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString password; // only when the URI carries one; never stored by the program
    QString options; // libpq's own, "key=value" separated by ";", as QPSQL takes them
};

// Whether the history named is on a server rather than in a file.
bool IsServerHistory(const QString &location);

// The server a URI names; none when it is not one this program can use.
std::optional<ServerAddress> ServerAddressOf(const QString &uri);

// How a message names the history: the file's native path, or the server and
// database without the password.
QString ShownLocation(const QString &location);

} // namespace sorario
