// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace sorario {

class Dialogs;

// Why 「書き出し」 wrote nothing. The detail is the message of the area that refused
// (the loader, the format, the write); the file's name for UnknownName.
enum class BankExportFault {
    UnknownName, // neither .xml (Moodle XML) nor .gift or .txt (GIFT)
    NotLoadable, // the loader would refuse the lines
    NotHeld, // a line the format cannot hold
    WriteFailed,
};
using BankExportOutcome = Outcome<BankExportFault>;

// The edited lines as the learning system's question bank that `path`'s name asks
// for, as the command line writes a file of them; never over `filePath`, the
// question file they came from (empty for a new one). Whole or not at all.
BankExportOutcome writeOnlineBank(const QString &path, const QStringList &lines, const QString &filePath);

QString bankExportMessage(const BankExportOutcome &failed);

// 「書き出し」: asks where, proposing `folder`, writes, and shows why when it wrote
// nothing. The file written, for the window to say.
std::optional<QString> exportOnlineBank(
    Dialogs &dialogs, const QStringList &lines, const QString &filePath, const QString &folder);

// 「CSV に書き出す」 the same way, never over `filePath`.
std::optional<QString> exportQuestionCsv(
    Dialogs &dialogs, const QStringList &lines, const QString &filePath, const QString &folder);

} // namespace sorario
