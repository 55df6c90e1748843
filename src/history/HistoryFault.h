// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QString>

namespace sorario {

// Why the class history could not be used.
enum class HistoryFault {
    Unusable, // any other reason: the system's own words follow
    Damaged,
    NotAHistory, // another database, or no database at all
    Unreachable, // a folder on the way cannot be entered, or is no folder
    NoFolder, // the folder for a new history cannot be made
    Busy,
    ReadOnly,
    DiskFull,
    LogUnread, // committed records wait in a log that cannot be read from where the file is
    ServerAway, // the server does not answer, or the connection was lost
    LoginRefused,
    CertificateRefused, // the server's certificate could not be checked, or TLS failed
    NoRights, // the server's user may not do what the history needs
    BadAddress, // not a connection URI this program can use
    NoServerDriver, // this build has no PostgreSQL driver
};

// The history's failure as the teacher reads it: the reason, the file or server, and
// the system's own words where they tell more.
QString HistoryFailureMessage(const QString &location, HistoryFault fault, const QString &detail = {});

// What the history gave, or why it could not be used.
template <typename T = std::monostate> using HistoryOutcome = Outcome<HistoryFault, T>;

template <typename T> QString HistoryFailureMessage(const QString &path, const HistoryOutcome<T> &failed)
{
    return HistoryFailureMessage(path, *failed.fault, failed.detail);
}

} // namespace sorario
