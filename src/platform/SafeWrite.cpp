// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SafeWrite.h"

#include "platform/Cp932.h"
#include "platform/LineFile.h"

#include <QSaveFile>

namespace sorario {

WriteOutcome writeBytesAtomically(const QString &path, QByteArrayView bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, size limit) shows here:
    // a buffered flush at commit takes a partial write for success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return WriteOutcome::failed(file.errorString());
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return WriteOutcome::failed(reason);
    }
    if (!file.commit())
        return WriteOutcome::failed(file.errorString());
    return WriteOutcome::written();
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
        return WriteOutcome::failed(QStringLiteral("the Shift-JIS text would read back as UTF-8"));
    return writeBytesAtomically(path, *bytes);
}

} // namespace sorario
