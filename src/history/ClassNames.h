// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

// The class names used before, most recent first, kept in the user's own settings
// (not in the program's settings file, which stays as it always was).
QStringList RememberedClasses();

// Puts `name` first among the remembered names.
void RememberClass(const QString &name);

} // namespace sorario
