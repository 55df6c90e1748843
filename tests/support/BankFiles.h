#pragma once

#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QStringList>

#include <memory>

namespace sorario::test {

// Stands for a chosen file that is not on the disk.
inline const QStringList MissingFile{QStringLiteral("<missing>")};

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

// Writes each file into `folder` under a new name, chooses them all and loads.
inline void loadFiles(Module1 &m, const QString &folder, const QList<QStringList> &files, ScriptedDialogs &dialogs)
{
    static int written = 0;
    m.ChosenFileCount = 0;
    m.LoadFailed = 0;
    for (const QStringList &lines : files) {
        const QString path = QDir(folder).filePath(QStringLiteral("f%1.qvn").arg(++written));
        if (lines != MissingFile)
            writeSjisLines(path, lines);
        m.ChosenFileList(++m.ChosenFileCount) = path;
    }
    LoadQuestionFiles(m, dialogs);
}

inline std::unique_ptr<Module1> loadFiles(const QString &folder, const QList<QStringList> &files,
                                          ScriptedDialogs &dialogs)
{
    auto m = std::make_unique<Module1>();
    loadFiles(*m, folder, files, dialogs);
    return m;
}

} // namespace sorario::test
