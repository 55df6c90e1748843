// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace sorario::fuzz {

// A broken property is a finding like a crash: abort so libFuzzer keeps the
// input.
#define FUZZ_CHECK(cond)                                                                                     \
    do {                                                                                                     \
        if (!(cond)) {                                                                                       \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #cond);                    \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// Marks where one file of a multi-file input ends. Shift-JIS text never holds
// NUL, so seeds made of real files are split only where they were joined.
inline constexpr char Separator[] = {'\0', '-', '-', '\0'};
inline constexpr std::size_t SeparatorSize = sizeof Separator;

// The input cut at the first maxPieces - 1 separators; the last piece keeps the
// rest.
inline QList<QByteArray> splitInput(const std::uint8_t *data, std::size_t size, int maxPieces)
{
    QList<QByteArray> pieces;
    const char *p = reinterpret_cast<const char *>(data);
    std::size_t left = size;
    while (pieces.size() + 1 < maxPieces) {
        const void *hit = left ? memmem(p, left, Separator, SeparatorSize) : nullptr;
        if (!hit)
            break;
        const auto len = static_cast<std::size_t>(static_cast<const char *>(hit) - p);
        pieces.append(QByteArray(p, static_cast<qsizetype>(len)));
        p += len + SeparatorSize;
        left -= len + SeparatorSize;
    }
    pieces.append(QByteArray(p, static_cast<qsizetype>(left)));
    return pieces;
}

// One scratch folder per fuzzing process, reused by every input; in memory
// where the system offers it, so that the files of millions of inputs never
// reach a disk.
inline const QString &scratchFolder()
{
    static const QString parent
        = QFileInfo(QStringLiteral("/dev/shm")).isWritable() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    static QTemporaryDir dir(parent + QStringLiteral("/sorario-fuzz-XXXXXX"));
    if (!dir.isValid()) {
        std::fprintf(stderr, "no scratch folder\n");
        std::abort();
    }
    static const QString path = dir.path();
    return path;
}

inline QString scratchFile(const QString &name)
{
    return scratchFolder() + u'/' + name;
}

inline void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    FUZZ_CHECK(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(f.write(bytes) == bytes.size());
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Dialogs that show nothing: messages are counted, the print dialog is accepted
// and message boxes with a choice get `answer`.
class SilentDialogs : public Dialogs
{
public:
    explicit SilentDialogs(MessageAnswer answer = MessageAnswer::Ok)
        : m_answer(answer)
    {
    }

    int messages = 0;
    int beeps = 0;
    int questions = 0;

    MessageAnswer messageBox(const QString &, MessageButtons buttons, MessageIcon, const QString &) override
    {
        if (buttons == MessageButtons::Ok) {
            ++messages;
            return MessageAnswer::Ok;
        }
        ++questions;
        return m_answer;
    }
    void beep() override { ++beeps; }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<FontChoice> fontDialog(const QString &, int, FontDialogFlags) override
    {
        return std::nullopt;
    }
    bool printDialog(QPrinter *, PrintDialogFlags) override { return true; }
    std::optional<QString> saveDialog(const FileDialogOptions &) override { return std::nullopt; }
    std::optional<QString> openDialog(const FileDialogOptions &) override { return std::nullopt; }

private:
    MessageAnswer m_answer;
};

} // namespace sorario::fuzz
