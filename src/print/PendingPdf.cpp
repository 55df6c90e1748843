// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PendingPdf.h"

#include "platform/SafeWrite.h"
#include "print/PrintSurface.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

namespace sorario {

namespace {

// A writer that ran out of disk space leaves a file cut short; a whole PDF ends
// with its end-of-file marker.
bool endsLikeWholePdf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() < 32)
        return false;
    if (!file.seek(file.size() - 32))
        return false;
    return file.read(32).contains("%%EOF");
}

// The temporary file is private to its owner; the finished PDF gets the rights a
// newly created file would, or those of the file it replaces.
QFileDevice::Permissions finishedPermissions(const QString &target)
{
    const QFileInfo existing(target);
    if (existing.exists())
        return existing.permissions();
#ifdef Q_OS_WIN
    // Windows keeps only "read-only" of these; a new file is not.
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser | QFileDevice::WriteUser;
#else
    const mode_t mask = ::umask(0);
    ::umask(mask);
    const mode_t mode = 0666 & ~mask;
    QFileDevice::Permissions perms;
    if (mode & S_IRUSR)
        perms |= QFileDevice::ReadOwner | QFileDevice::ReadUser;
    if (mode & S_IWUSR)
        perms |= QFileDevice::WriteOwner | QFileDevice::WriteUser;
    if (mode & S_IRGRP)
        perms |= QFileDevice::ReadGroup;
    if (mode & S_IWGRP)
        perms |= QFileDevice::WriteGroup;
    if (mode & S_IROTH)
        perms |= QFileDevice::ReadOther;
    if (mode & S_IWOTH)
        perms |= QFileDevice::WriteOther;
    return perms;
#endif
}

} // namespace

PendingPdf::PendingPdf(const QString &targetPath)
    : m_target(writeThroughPath(QFileInfo(targetPath).absoluteFilePath()))
{
    if (const WriteOutcome refused = checkWriteTarget(m_target); !refused.ok())
        throw PrintFailure(PrintFailureKind::PdfTargetRefused, writeFailureMessage(refused, m_target));
    const QFileInfo info(m_target);
    // The name keeps the .pdf ending so that QPrinter stays on PDF output.
    // QTemporaryFile only closes its handle when it goes, and Windows moves no open
    // file: it names the file, and the file is this object's from then on.
    QTemporaryFile temp(info.dir().filePath(QStringLiteral(".%1.XXXXXX.pdf").arg(info.completeBaseName())));
    if (!temp.open())
        throw PrintFailure(
            PrintFailureKind::PdfNotCreated, QDir::toNativeSeparators(m_target) + u'\n' + temp.errorString());
    temp.setAutoRemove(false);
    m_tempPath = temp.fileName();
}

PendingPdf::~PendingPdf()
{
    if (!m_placed)
        QFile::remove(m_tempPath);
}

QString PendingPdf::tempPath() const
{
    return m_tempPath;
}

void PendingPdf::commit()
{
    if (!endsLikeWholePdf(m_tempPath))
        throw PrintFailure(PrintFailureKind::PdfIncomplete, QDir::toNativeSeparators(m_target));
    QFile::setPermissions(m_tempPath, finishedPermissions(m_target));
    if (const WriteOutcome placed = replaceFileWith(m_tempPath, m_target); !placed.ok())
        throw PrintFailure(PrintFailureKind::PdfNotPlaced,
            QDir::toNativeSeparators(m_target) + u'\n' + writeFailureReason(placed));
    m_placed = true;
}

} // namespace sorario
