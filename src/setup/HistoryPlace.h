// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryFault.h"

#include <QString>

#include <optional>

namespace sorario {

struct Module1;
class Dialogs;
class HistoryStore;

// A grade team's server as 「履歴の保存先」 shows it. Its password is never kept.
struct ServerChoice
{
    QString host;
    int port = 5432;
    QString database;
    QString user;
    bool verifyCertificate = true; // sslmode=verify-full; else require (encrypted, not checked)

    bool operator==(const ServerChoice &) const = default;
};

// The connection URI of the choice, and the choice a URI makes (none for a file, or
// a URI the dialog cannot show).
QString ServerUri(const ServerChoice &server);
std::optional<ServerChoice> ServerChoiceOf(const QString &location);

// Where the windows keep the history: $SORARIO_HISTORY when set, else the server chosen
// in 「履歴の保存先」 (Sorario.ini [history] server), else this computer's file.
QString WindowHistoryLocation(const Module1 &m);
// Keeps the choice in Sorario.ini: a server, or none for this computer.
void RememberHistoryServer(const Module1 &m, const std::optional<ServerChoice> &server);

// Whether the server turned the connection down for want of a password, which the
// teacher is then asked for, once each session.
bool WantsPassword(HistoryFault fault, const QString &detail);
// The location with the password typed for it this session, kept in memory only: with
// `password` that one, from now on.
QString SessionLocation(const QString &location, const QString &password = {});
// After `fault`, when the server wants a password: asks the teacher for it and signs
// `store` in with it. False when it wanted none, or the teacher cancelled.
bool SignInAgain(Dialogs &dialogs, HistoryStore &store, HistoryFault fault, const QString &detail);

} // namespace sorario
