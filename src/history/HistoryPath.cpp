// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryPath.h"

#include <QStandardPaths>

namespace sorario {

QString HistoryPath(const QString &chosen)
{
    if (!chosen.isEmpty())
        return chosen;
    const QString fromEnvironment = qEnvironmentVariable(HistoryEnvironment);
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return DefaultHistoryFile();
}

QString DefaultHistoryFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/sorario/history.sqlite");
}

} // namespace sorario
