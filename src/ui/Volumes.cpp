// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace sorario {

namespace {

#ifndef Q_OS_WIN
bool isSystemMount(const QString &root)
{
    static const QString prefixes[] = {QStringLiteral("/proc"), QStringLiteral("/sys"),
        QStringLiteral("/dev"), QStringLiteral("/run"), QStringLiteral("/boot"), QStringLiteral("/snap"),
        QStringLiteral("/var/lib"), QStringLiteral("/tmp")};
    // Removable media are mounted under /run/media on many desktops.
    if (root.startsWith(QStringLiteral("/run/media/")))
        return false;
    for (const QString &p : prefixes)
        if (root == p || root.startsWith(p + u'/'))
            return true;
    return false;
}
#endif

// Drive letters and folder names on Windows are the same in either case.
constexpr Qt::CaseSensitivity PathCase =
#ifdef Q_OS_WIN
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

bool isUnder(const QString &path, const QString &root)
{
    // "/" and "C:/" end with their separator; "C:" is that drive too.
    if (root.endsWith(u'/'))
        return path.startsWith(root, PathCase)
            || (root.size() > 1 && path.compare(root.chopped(1), PathCase) == 0);
    return path.compare(root, PathCase) == 0 || path.startsWith(root + u'/', PathCase);
}

} // namespace

#ifdef Q_OS_WIN
// The drive letters, as the system's own drive list shows them; a drive without its
// medium is listed too, and VolumeReady says it is not ready.
QList<Volume> MountedVolumes()
{
    QList<Volume> volumes;
    const QFileInfoList drives = QDir::drives();
    for (const QFileInfo &drive : drives) {
        const QString root = drive.absolutePath();
        const QStorageInfo info(root);
        volumes.append({root, info.isReady() ? info.name() : QString()});
    }
    return volumes;
}
#else
QList<Volume> MountedVolumes()
{
    QList<Volume> volumes;
    const QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    for (const QStorageInfo &info : mounted) {
        const QString root = info.rootPath();
        if (root.isEmpty() || isSystemMount(root))
            continue;
        bool seen = false;
        for (const Volume &v : std::as_const(volumes))
            seen = seen || v.root == root;
        if (seen)
            continue;
        const QString name = info.name();
        volumes.append({root, name == root ? QString() : name});
    }
    std::stable_sort(
        volumes.begin(), volumes.end(), [](const Volume &a, const Volume &b) { return a.root < b.root; });
    return volumes;
}
#endif

int VolumeOf(const QList<Volume> &volumes, const QString &path)
{
    int best = -1;
    for (int i = 0; i < volumes.size(); ++i) {
        if (isUnder(path, volumes[i].root)
            && (best < 0 || volumes[i].root.size() > volumes[best].root.size()))
            best = i;
    }
    return best;
}

bool VolumeReady(const QString &root)
{
    const QStorageInfo info(root);
    const QFileInfo dir(root);
    return info.isValid() && info.isReady() && dir.isDir() && dir.isReadable() && dir.isExecutable();
}

QString VolumeText(const Volume &volume)
{
#ifdef Q_OS_WIN
    const QString root = volume.root.endsWith(u'/') ? volume.root.chopped(1) : volume.root; // "C:"
#else
    const QString &root = volume.root;
#endif
    return volume.label.isEmpty() ? root : root + QStringLiteral("  [") + volume.label + u']';
}

} // namespace sorario
