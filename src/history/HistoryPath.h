// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

inline constexpr char HistoryEnvironment[] = "SORARIO_HISTORY";

// The history file: `chosen` when given, else $SORARIO_HISTORY, else history.sqlite
// in the user's data folder.
QString HistoryPath(const QString &chosen = {});

// history.sqlite in the user's data folder: the history of this computer.
QString DefaultHistoryFile();

} // namespace sorario
