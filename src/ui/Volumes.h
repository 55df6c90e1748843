// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace sorario {

// A mounted volume: what this platform has for the original platform's drives.
struct Volume
{
    QString root; // "/", "/media/usb", "C:/"
    QString label; // shown beside the root when the volume has a name
};

// The mounted volumes a teacher can hold files on (system mounts left out), root first.
QList<Volume> MountedVolumes();

// The volume of `path`: the entry of `volumes` whose root is the longest leading
// part of it; -1 when none is.
int VolumeOf(const QList<Volume> &volumes, const QString &path);

// Whether the volume can be listed now (a medium present, mounted, readable).
bool VolumeReady(const QString &root);

// The text Drive1 shows for a volume.
QString VolumeText(const Volume &volume);

} // namespace sorario
