// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

namespace sorario {

inline const QString EditorTitle = QStringLiteral("問題ファイル編集");

// The open and save dialogs of the editor, for question files, CSV tables and
// learning systems' question banks.
enum class FileUse { Open, Save };
FileDialogOptions questionFileDialog(const QString &title, FileUse use);
FileDialogOptions csvFileDialog(const QString &title, FileUse use);
// Saving a learning system's question bank: Moodle XML or GIFT.
FileDialogOptions onlineBankDialog(const QString &title);

} // namespace sorario
