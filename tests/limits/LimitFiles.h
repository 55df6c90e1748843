#pragma once

#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "support/TestFiles.h"

#include <QStringList>

namespace sorario::test {

// Six header lines, then `questions` questions tagged with `tag`.
inline QStringList questionFile(const QString &title, const QString &parts, int questions,
                                const QString &tag = QStringLiteral("q"))
{
    QStringList lines{title, parts, QStringLiteral("S"), QString(), QString(), QString()};
    lines.reserve(6 + 3 * questions);
    for (int q = 1; q <= questions; ++q)
        lines << tag + QString::number(q) << QStringLiteral("h") << QStringLiteral("a") + QString::number(q);
    return lines;
}

// `count` lines numbered from 1: a file of exactly that many lines.
inline QStringList lineRun(int count)
{
    QStringList lines;
    lines.reserve(count);
    for (int i = 1; i <= count; ++i)
        lines << QString::number(i);
    return lines;
}

inline QStringList encodedFile(const QStringList &lines)
{
    return {QString::fromUtf16(EncodedMark) + EncodeLines(lines)};
}

} // namespace sorario::test
