// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ClassNames.h"

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

// classes.ini in the user's settings folder, where earlier versions kept the class
// choice and a class list of their own: read, never written.
QString OldClassesFile();

// The set-up window's last class choice, kept in Sorario.ini with the print options;
// until one is kept there, the one `oldFile` holds.
ClassChoice LastClassChoice(const Module1 &m, const QString &oldFile = OldClassesFile());
void RememberClassChoice(const Module1 &m, const ClassChoice &choice);

// The classes offered: those the history recorded (newest first), then the names
// typed into the list `oldFile` kept, one name each. A name there that no run was
// ever recorded for is not lost.
QStringList OfferedClasses(const QStringList &recorded, const QString &oldFile = OldClassesFile());

} // namespace sorario
