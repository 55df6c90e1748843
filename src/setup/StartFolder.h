// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

// Whether the copy running is installed (its settings kept with the user) rather
// than a portable folder that keeps them beside the program.
bool IsInstalledCopy(const Module1 &m);

// Where the main window starts. A question file handed to the program (one opened
// from the desktop) starts it in that file's folder. An installed copy starts in the
// folder last used, or in `documents` the first time or when that folder is gone
// (where it was started when there is none): its own folder holds libraries, not the
// teacher's files. A portable copy starts where it was started, `current`.
QString StartFolder(
    const Module1 &m, const QStringList &arguments, const QString &current, const QString &documents);

// Keeps the folder the main window showed last, for an installed copy's next start.
void RememberStartFolder(const Module1 &m, const QString &folder);

} // namespace sorario
