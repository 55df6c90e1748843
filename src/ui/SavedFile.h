// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QLabel;

namespace sorario {

// What a window's status line says once a file is written: where it went, so that a
// teacher who took the proposed folder without looking still finds it.
QString savedFileText(const QString &path);
// The same on a status line; a run that wrote no file (it printed) leaves the line empty.
void showSavedFile(QLabel &status, const QString &path);

} // namespace sorario
