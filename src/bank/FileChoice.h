// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

enum class FileChoice { Chosen, NoneSelected, TooMany };

// Whether `count` files can be loaded together: ChosenFileList holds 100.
FileChoice FileChoiceFor(qsizetype count);

QString TooManyFilesMessage();

// Fills ChosenFileList/ChosenFileCount with `paths`, in order. Too many files are
// refused and nothing changes.
FileChoice ChooseFiles(Module1 &m, const QStringList &paths);

} // namespace sorario
