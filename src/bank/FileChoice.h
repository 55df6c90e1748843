// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

enum class FileChoice { Chosen, NoneSelected, TooMany };

// Whether `count` files can be loaded together: ChosenFileList holds 100.
FileChoice FileChoiceFor(qsizetype count);

QString TooManyFilesMessage();

} // namespace sorario
