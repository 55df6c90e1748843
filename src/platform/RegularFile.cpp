// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/RegularFile.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace sorario {

namespace {

// Opened without blocking, and its kind taken from the open file itself, so a path
// swapped for a FIFO after a look cannot stall the read.
std::optional<FileReadFault> openRegular(const QString &path, QFile &file)
{
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR ? FileReadFault::Missing : FileReadFault::Unreadable;
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return S_ISDIR(st.st_mode) ? FileReadFault::Missing : FileReadFault::NotRegular;
    }
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return FileReadFault::Unreadable;
    }
    return std::nullopt;
#else
    const QFileInfo info(path);
    if (!info.exists() || info.isDir())
        return FileReadFault::Missing;
    if (!info.isFile())
        return FileReadFault::NotRegular;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return FileReadFault::Unreadable;
    return std::nullopt;
#endif
}

} // namespace

FileBytes readRegularFile(const QString &path, qint64 maxBytes)
{
    if (path.isEmpty())
        return FileBytes::failed(FileReadFault::Missing);
    QFile file;
    if (const std::optional<FileReadFault> refused = openRegular(path, file))
        return FileBytes::failed(*refused);
    const qint64 size = file.size();
    if (size > maxBytes)
        return FileBytes::failed(FileReadFault::TooLarge);
    // A file that grows while read is not read half: one byte more than it had tells.
    QByteArray bytes = file.read(size + 1);
    if (file.error() != QFileDevice::NoError)
        return FileBytes::failed(FileReadFault::Unreadable);
    if (bytes.size() > size)
        return FileBytes::failed(FileReadFault::Unreadable);
    return bytes;
}

} // namespace sorario
