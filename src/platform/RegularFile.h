// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QByteArray>
#include <QString>

namespace sorario {

// Why a file's bytes could not be had. A FIFO or a device would block or never end,
// so only regular files (or a link to one) are read, and never past a size known
// before the read.
enum class FileReadFault { Missing, NotRegular, TooLarge, Unreadable };

using FileBytes = Outcome<FileReadFault, QByteArray>;

// The whole of a regular file of at most maxBytes; larger is refused before reading.
FileBytes readRegularFile(const QString &path, qint64 maxBytes);

} // namespace sorario
