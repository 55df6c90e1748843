// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/QuestionKey.h"

#include "shared/QuestionRecord.h"

#include <QCryptographicHash>
#include <QFile>

namespace sorario {

QString QuestionKey(const QuestionRecord &question)
{
    // The three texts are lines of a file: a line break cannot occur inside one.
    const QString joined = question.QuestionText + u'\n' + question.Hint + u'\n' + question.Answer;
    return QString::fromLatin1(QCryptographicHash::hash(joined.toUtf8(), QCryptographicHash::Sha256).toHex());
}

std::optional<QString> FileDigest(const QString &path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace sorario
