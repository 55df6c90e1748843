// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

namespace sorario {

struct QuestionRecord;

// Names a question by its three texts, so that the history still knows it after
// the questions of a file have been reordered or moved to another file.
QString QuestionKey(const QuestionRecord &question);

// The digest of a file's bytes; nothing when it cannot be read.
std::optional<QString> FileDigest(const QString &path);

} // namespace sorario
