// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/SavedFile.h"

#include <QDir>
#include <QLabel>

namespace sorario {

QString savedFileText(const QString &path)
{
    return QStringLiteral("保存しました: %1").arg(QDir::toNativeSeparators(path));
}

void showSavedFile(QLabel &status, const QString &path)
{
    status.setText(path.isEmpty() ? QString() : savedFileText(path));
}

} // namespace sorario
