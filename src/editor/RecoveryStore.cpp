// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/RecoveryStore.h"

#include "platform/LineFile.h"
#include "platform/SafeWrite.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace sorario {
namespace {

const QString Suffix = QStringLiteral(".recovery");

} // namespace

RecoveryStore::RecoveryStore(QString folder)
    : m_folder(std::move(folder))
{
    if (m_folder.isEmpty())
        m_folder
            = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString RecoveryStore::fileFor(const QString &originalPath) const
{
    const QByteArray key = QCryptographicHash::hash(originalPath.toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(m_folder).filePath(QString::fromLatin1(key.left(16)) + Suffix);
}

// UTF-8 with the mark, so that a character Shift-JIS cannot hold survives until
// the teacher mends it; the first line is the path the copy belongs to.
bool RecoveryStore::keep(const Copy &copy) const
{
    if (!QDir().mkpath(m_folder))
        return false;
    const QString text = joinCrLf(QStringList {copy.originalPath} + copy.lines);
    return writeBytesAtomically(fileFor(copy.originalPath), QByteArray("\xEF\xBB\xBF") + text.toUtf8()).ok();
}

void RecoveryStore::discard(const QString &originalPath) const
{
    QFile::remove(fileFor(originalPath));
}

QList<RecoveryStore::Copy> RecoveryStore::pending() const
{
    QList<Copy> copies;
    const QDir dir(m_folder);
    for (const QString &name : dir.entryList({u'*' + Suffix}, QDir::Files, QDir::Time)) {
        LineFileRead read = readLineFile(dir.filePath(name));
        if (read.status != LineFileRead::Status::Ok || read.lines.isEmpty())
            continue;
        const QString original = read.lines.takeFirst();
        copies.append({original, read.lines, dir.filePath(name)});
    }
    return copies;
}

void RecoveryStore::drop(const Copy &copy) const
{
    QFile::remove(copy.storedAt);
}

void RecoveryStore::adopt(const Copy &copy) const
{
    const QString own = fileFor(copy.originalPath);
    // The old file stays when the copy could not be kept anew: the edits are in no other file.
    if (copy.storedAt != own && keep(copy))
        QFile::remove(copy.storedAt);
}

} // namespace sorario
