// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

// The 1-based lines of a plain file's questions whose answer line is empty: they load
// and print, but the answer page and the text file show nothing for them.
QList<int> EmptyAnswerLines(const QStringList &lines);

QString EmptyAnswerMessage();

} // namespace sorario
