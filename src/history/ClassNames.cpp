// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ClassNames.h"

#include <QSettings>

namespace sorario {
namespace {

constexpr int MaxRemembered = 50;
const QString ClassesKey = QStringLiteral("classes");

QSettings userSettings()
{
    return QSettings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("sorario"), QStringLiteral("classes"));
}

} // namespace

QStringList RememberedClasses()
{
    return userSettings().value(ClassesKey).toStringList();
}

void RememberClass(const QString &name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return;
    QStringList names = RememberedClasses();
    names.removeAll(trimmed);
    names.prepend(trimmed);
    userSettings().setValue(ClassesKey, names.mid(0, MaxRemembered));
}

} // namespace sorario
