// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class QSaveFile;

namespace sorario {

enum class WriteFault {
    OutputIsInput, // the target is (resolves to) a file the run reads
    NotAFile, // a folder, device, FIFO or socket, which a written file would replace
    Failed, // the system's reason, in the detail, says why
};

// A write done whole, or why it was not.
using WriteOutcome = Outcome<WriteFault>;

// The system's words, or the program's own when it refused.
QString writeFailureReason(const WriteOutcome &failed);

// As the teacher reads it: what happened, the file, and the system's reason.
QString writeFailureMessage(const WriteOutcome &failed, const QString &path);

// Links and other spellings of one file count as that file.
bool sameFile(const QString &a, const QString &b);

// Where a write to `path` lands: a symlink is followed to the file it names, so that
// the link stays a link.
QString writeThroughPath(const QString &path);

// Whether `path` may take a written file: refused when it is (resolves to) one of
// `inputs`, or is something other than a regular file or a link to one.
WriteOutcome checkWriteTarget(const QString &path, const QStringList &inputs = {});

// Moves a finished and closed file over `target` in one step, replacing what was
// there; on failure both are as they were and the reason is the system's.
WriteOutcome replaceFileWith(const QString &finished, const QString &target);

// A whole file written beside its target, put in place only by commit(); dropped
// unless committed, so that a run puts all its files in place or none.
class PendingWrite
{
public:
    PendingWrite(const QString &path, QByteArrayView bytes);
    ~PendingWrite();
    PendingWrite(const PendingWrite &) = delete;
    PendingWrite &operator=(const PendingWrite &) = delete;

    // The write so far: refused, failed, or ready to commit.
    const WriteOutcome &outcome() const { return m_outcome; }
    WriteOutcome commit();

private:
    std::unique_ptr<QSaveFile> m_file;
    WriteOutcome m_outcome;
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
