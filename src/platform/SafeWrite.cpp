#include "platform/SafeWrite.h"

#include "platform/Cp932.h"
#include "platform/LineFile.h"

#include <QSaveFile>

namespace sorario {

bool writeTextFileAtomically(const QString &path, const QString &text)
{
    const QByteArray bytes = encodeCp932(text).bytes;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
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
