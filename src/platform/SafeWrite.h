// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

namespace sorario {

// A write done whole, or the reason it was not (the system's words).
class [[nodiscard]] WriteOutcome
{
public:
    static WriteOutcome written() { return WriteOutcome(QString()); }
    static WriteOutcome failed(const QString &reason)
    {
        return WriteOutcome(reason.isEmpty() ? QStringLiteral("unknown error") : reason);
    }

    bool ok() const { return m_reason.isEmpty(); }
    explicit operator bool() const { return ok(); }
    const QString &reason() const { return m_reason; }

private:
    explicit WriteOutcome(QString reason)
        : m_reason(std::move(reason))
    {
    }
    QString m_reason;
};

// Writes a whole file or nothing: the bytes go to a temporary file in the target's
// folder, which is flushed and renamed over the target only when complete. On
// failure the old file (if any) is as it was and no temporary remains.
WriteOutcome writeBytesAtomically(const QString &path, QByteArrayView bytes);

// The same for a Shift-JIS text file.
WriteOutcome writeTextFileAtomically(const QString &path, const QString &text);

// The bytes of lines in a file, each ended by CR LF; nothing when those bytes would
// read back as UTF-8 (see decodeFileText).
std::optional<QByteArray> lineFileBytes(const QStringList &lines);

// Writes lineFileBytes whole or not at all; refused when there are none.
WriteOutcome writeLineFileAtomically(const QString &path, const QStringList &lines);

} // namespace sorario
