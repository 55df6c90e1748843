// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Volumes.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>

namespace sorario {

namespace {

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

bool isUnder(const QString &path, const QString &root)
{
    if (root == QLatin1String("/"))
        return path.startsWith(u'/');
    return path == root || path.startsWith(root + u'/');
}

} // namespace

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
    return volume.label.isEmpty() ? volume.root : volume.root + QStringLiteral("  [") + volume.label + u']';
}

} // namespace sorario
