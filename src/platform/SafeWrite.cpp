#include "platform/SafeWrite.h"

#include "platform/Cp932.h"
#include "platform/LineFile.h"

#include <QSaveFile>

namespace sorario {

bool writeTextFileAtomically(const QString &path, const QString &text)
{
    return writeBytesAtomically(path, encodeCp932(text).bytes);
}

bool writeBytesAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    // Unbuffered, so that a short write (disk full, size limit) shows here:
    // a buffered flush at commit takes a partial write for success.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool writeLineFileAtomically(const QString &path, const QStringList &lines)
{
    return writeTextFileAtomically(path, joinCrLf(lines));
}

} // namespace sorario
