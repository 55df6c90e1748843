// SPDX-License-Identifier: GPL-3.0-or-later
// What every test builds on: question files, bytes on disk, a full disk, the command line.
#pragma once

#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "platform/Cp932.h"
#include "setup/LoadQuestionFiles.h"
#include "shared/Module1.h"

#include "support/Rows.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <type_traits>
#include <variant>
#ifndef Q_OS_WIN
#include <sys/resource.h>
#endif

namespace sorario::test {

// A test that opens this namespace names the product's types and literals unqualified.
using namespace ::sorario;
using namespace Qt::StringLiterals;

inline QByteArray sjis(const QString &text)
{
    return encodeCp932(text).bytes;
}

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// Lines as Shift-JIS with CR LF after each; returns the path.
inline QString writeSjisLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += sjis(line) + "\r\n";
    writeBytes(path, bytes);
    return path;
}

// An outcome's fault kind and detail, empty when it holds its value: a failed comparison names it.
template <typename Fault, typename T> QString failureOf(const Outcome<Fault, T> &outcome)
{
    if (outcome.ok())
        return {};
    if constexpr (std::is_enum_v<Fault>)
        return u"fault %1: "_s.arg(int(*outcome.fault)) + outcome.detail;
    else if constexpr (requires { outcome.fault->index(); }) // one of several areas' kinds
        return u"fault %1.%2: "_s.arg(outcome.fault->index())
                   .arg(std::visit([](auto kind) { return int(kind); }, *outcome.fault))
            + outcome.detail;
    else
        return u"fault %1: "_s.arg(int(outcome.fault->problem)) + outcome.detail;
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The one question-file builder: six header lines, then `questions` questions
// "<tag>k" with the hint and answer "ak".
inline QStringList questionFile(const QString &title, const QString &parts, int questions,
    const QString &tag = u"q"_s, const QString &hint = u"h"_s)
{
    QStringList lines {title, parts, u"S"_s, QString(), QString(), QString()};
    for (int q = 1; q <= questions; ++q)
        lines << tag + QString::number(q) << hint << u"a"_s + QString::number(q);
    return lines;
}

// `count` lines numbered from 1.
inline QStringList lineRun(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QString::number(i);
    return lines;
}

inline QStringList encodedFile(const QStringList &lines)
{
    return {QString::fromUtf16(EncodedMark) + EncodeLines(lines)};
}

// Stands for a chosen file that is not on the disk.
inline const QStringList MissingFile {u"<missing>"_s};

// Writes each file into `folder` under a new name, chooses them all and loads.
inline std::unique_ptr<Module1> loadFiles(const QString &folder, const QList<QStringList> &files,
    ScriptedDialogs &dialogs, std::unique_ptr<Module1> m = {})
{
    static int written = 0;
    if (!m)
        m = std::make_unique<Module1>();
    m->ChosenFileCount = 0;
    m->LoadFailed = 0;
    for (const QStringList &lines : files) {
        const QString path = QDir(folder).filePath(u"f%1.qvn"_s.arg(++written));
        if (lines != MissingFile)
            writeSjisLines(path, lines);
        m->ChosenFileList(++m->ChosenFileCount) = path;
    }
    LoadQuestionFiles(*m, dialogs);
    return m;
}

// Every entry under a folder with its bytes: a refused or failed write must leave
// this as it was (old files whole, no temporary file, sources kept, links and
// FIFOs what they were).
inline QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
        QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QFileInfo info = it.fileInfo();
        entries.insert(QDir(root).relativeFilePath(path),
            info.isSymLink()    ? "<link to " + QFile::encodeName(info.symLinkTarget()) + '>'
                : info.isDir()  ? QByteArray("<folder>")
                : info.isFile() ? readBytes(path)
                                : QByteArray("<no file>"));
    }
    return entries;
}

#ifdef Q_OS_WIN
// Windows gives a process no file-size limit: a full disk is tried on Linux only.
using rlim_t = quint64;
inline constexpr bool CanLimitFileSize = false;

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t) { }
    bool ok() const { return false; }
};
#else
inline constexpr bool CanLimitFileSize = true;

// A full disk as root meets it (permission bits do not stop root): writes past this
// size fail with EFBIG instead of raising SIGXFSZ. Safe in a child process.
inline bool limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit {};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    return setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

// The same for this process, while in scope.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        m_ok = limitFileSize(bytes);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    Q_DISABLE_COPY(FileSizeLimit)
    bool ok() const { return m_ok; }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};
#endif

// Marks a row that needs what only POSIX has (links as files, FIFOs, device nodes,
// fork, file-size limits), so that Windows skips it saying why.
#ifdef Q_OS_WIN
#define SORARIO_POSIX_ONLY(what) QSKIP("Linux only: " what)
#else
#define SORARIO_POSIX_ONLY(what)                                                                             \
    do {                                                                                                     \
    } while (false)
#endif

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QString err;

    QJsonObject json() const { return QJsonDocument::fromJson(out).object(); }
};

// Runs sorario-cli with `args`, in `folder` when one is given, on a disk with `diskRoom`
// bytes left when that is not 0; exit code -1 when it did not finish, or crashed.
inline CliRun runCli(const QStringList &args, const QString &folder = QString(), rlim_t diskRoom = 0)
{
    QProcess p;
    // As started by root or over ssh: standard error must still hold only the program's own messages.
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(u"XDG_RUNTIME_DIR"_s);
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(folder);
#ifdef Q_OS_WIN
    Q_UNUSED(diskRoom);
#else
    if (diskRoom > 0)
        p.setChildProcessModifier([diskRoom] { limitFileSize(diskRoom); });
#endif
    p.start(QStringLiteral(SORARIO_CLI), args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
        return {};
    return {p.exitCode(), p.readAllStandardOutput(), QString::fromUtf8(p.readAllStandardError())};
}

} // namespace sorario::test
