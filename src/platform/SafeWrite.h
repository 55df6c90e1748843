#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

// Writes a whole Shift-JIS text file or nothing: the bytes go to a temporary file
// in the target's folder, which is flushed and renamed over the target only when
// complete. On failure the old file (if any) is as it was and no temporary remains.
bool writeTextFileAtomically(const QString &path, const QString &text);

// The same for bytes as they stand.
bool writeBytesAtomically(const QString &path, const QByteArray &bytes);

// The same for lines, each ended by CR LF.
bool writeLineFileAtomically(const QString &path, const QStringList &lines);

} // namespace sorario
