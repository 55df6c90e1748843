// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/FileChoice.h"

#include "shared/Module1.h"
#include "shared/TextHelpers.h"

namespace sorario {

FileChoice FileChoiceFor(qsizetype count)
{
    if (count == 0)
        return FileChoice::NoneSelected;
    return count > MaxChosenFiles ? FileChoice::TooMany : FileChoice::Chosen;
}

QString TooManyFilesMessage()
{
    return QStringLiteral("一度に選べる問題ファイルは") + NumberText(MaxChosenFiles)
        + QStringLiteral(" までです。選ぶファイルを減らして下さい。");
}

FileChoice ChooseFiles(Module1 &m, const QStringList &paths)
{
    const FileChoice choice = FileChoiceFor(paths.size());
    if (choice == FileChoice::TooMany)
        return choice;
    m.ChosenFileCount = 0;
    for (const QString &path : paths)
        m.ChosenFileList(++m.ChosenFileCount) = path;
    return choice;
}

} // namespace sorario
