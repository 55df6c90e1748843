// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/QuestionKey.h"

#include "platform/LineFile.h"
#include "platform/RegularFile.h"
#include "shared/QuestionRecord.h"

#include <QCryptographicHash>

namespace sorario {

QString QuestionKey(const QuestionRecord &question)
{
    // The three texts are lines of a file: a line break cannot occur inside one.
    const QString joined = question.QuestionText + u'\n' + question.Hint + u'\n' + question.Answer;
    return QString::fromLatin1(QCryptographicHash::hash(joined.toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::optional<QString> FileDigest(const QString &path)
{
    // A FIFO in a question file's place would block the hash for ever; a larger file no
    // run could have read.
    const FileBytes bytes = readRegularFile(path, MaxLineFileBytes);
    if (!bytes.ok())
        return std::nullopt;
    return QString::fromLatin1(QCryptographicHash::hash(bytes.value, QCryptographicHash::Sha256).toHex());
}

} // namespace sorario
