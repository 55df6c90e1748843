// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SafeWrite.h"

#include "platform/Cp932.h"
#include "platform/LineFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <cstdio>
#endif

namespace sorario {
namespace {

// Deeper than any real chain of links; a loop ends here still on a link.
constexpr int MaxLinkDepth = 40;

} // namespace

QString writeFailureReason(const WriteOutcome &failed)
{
    switch (*failed.fault) {
    case WriteFault::OutputIsInput:
        return QStringLiteral("出力先が元のファイルと同じです。元のファイルを残すため、別のファイル名を指定"
                              "して下さい。");
    case WriteFault::NotAFile:
        return QStringLiteral("出力先がファイルではありません（フォルダ、装置、パイプなど）。別のファイル名を"
                              "指定して下さい。");
    case WriteFault::Failed:
        break;
    }
    return failed.detail.isEmpty() ? QStringLiteral("unknown error") : failed.detail;
}

QString writeFailureMessage(const WriteOutcome &failed, const QString &path)
{
    if (failed.fault == WriteFault::Failed)
        return QStringLiteral("◆ファイルを書き込めません。\n") + path + u'\n' + writeFailureReason(failed);
    return u'◆' + writeFailureReason(failed) + u'\n' + path;
}

bool sameFile(const QString &a, const QString &b)
{
    const QFileInfo fa(a);
    const QFileInfo fb(b);
    if (fa.exists() && fb.exists())
        return fa.canonicalFilePath() == fb.canonicalFilePath();
    return fa.absoluteFilePath() == fb.absoluteFilePath();
}

QString writeThroughPath(const QString &path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < MaxLinkDepth && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.filePath();
}

WriteOutcome checkWriteTarget(const QString &path, const QStringList &inputs)
{
    for (const QString &input : inputs)
        if (sameFile(path, input))
            return WriteOutcome::failed(WriteFault::OutputIsInput);
    // Renamed over, a device or FIFO would become a plain file; a loop of links, a file.
    const QFileInfo target(writeThroughPath(path));
    if (target.isSymLink() || (target.exists() && !target.isFile()))
        return WriteOutcome::failed(WriteFault::NotAFile);
    return {};
}

WriteOutcome replaceFileWith(const QString &finished, const QString &target)
{
#ifdef Q_OS_WIN
    // The C library's rename refuses an existing target here.
    const QString from = QDir::toNativeSeparators(finished);
    const QString to = QDir::toNativeSeparators(target);
    const bool moved = MoveFileExW(reinterpret_cast<const wchar_t *>(from.utf16()),
        reinterpret_cast<const wchar_t *>(to.utf16()), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
#else
    // Unlike QFile::rename, rename() replaces an existing target in one step.
    const bool moved
        = std::rename(QFile::encodeName(finished).constData(), QFile::encodeName(target).constData()) == 0;
#endif
    return moved ? WriteOutcome() : WriteOutcome::failed(WriteFault::Failed, qt_error_string());
}

PendingWrite::PendingWrite(const QString &path, QByteArrayView bytes)
    : m_outcome(checkWriteTarget(path))
{
    if (!m_outcome.ok())
        return;
    m_file = std::make_unique<QSaveFile>(path);
    // Unbuffered, so that a short write (disk full, size limit) shows here:
    // a buffered flush at commit takes a partial write for success.
    if (!m_file->open(QIODevice::WriteOnly | QIODevice::Unbuffered)
        || m_file->write(bytes.data(), bytes.size()) != bytes.size()) {
        m_outcome = WriteOutcome::failed(WriteFault::Failed, m_file->errorString());
        m_file.reset(); // the temporary file goes with it
    }
}

PendingWrite::~PendingWrite() = default;

WriteOutcome PendingWrite::commit()
{
    if (m_file && !m_file->commit())
        m_outcome = WriteOutcome::failed(WriteFault::Failed, m_file->errorString());
    m_file.reset();
    return m_outcome;
}

WriteOutcome writeBytesAtomically(const QString &path, QByteArrayView bytes)
{
    PendingWrite pending(path, bytes);
    return pending.commit();
}

WriteOutcome writeTextFileAtomically(const QString &path, const QString &text)
{
    return writeBytesAtomically(path, encodeCp932(text).bytes);
}

std::optional<QByteArray> lineFileBytes(const QStringList &lines)
{
    QByteArray bytes = encodeCp932(joinCrLf(lines)).bytes;
    // Rare code-page text is also well-formed UTF-8 and would read back as other
    // text: such a file is better not written than written wrong.
    if (decodeFileText(bytes).encoding != TextEncoding::ShiftJis)
        return std::nullopt;
    return bytes;
}

WriteOutcome writeLineFileAtomically(const QString &path, const QStringList &lines)
{
    const std::optional<QByteArray> bytes = lineFileBytes(lines);
    if (!bytes)
        return WriteOutcome::failed(WriteFault::Failed,
            QStringLiteral("Shift-JIS で書くと UTF-8 の文字として読まれてしまう行があります。"));
    return writeBytesAtomically(path, *bytes);
}

} // namespace sorario
