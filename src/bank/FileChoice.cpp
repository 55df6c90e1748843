// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/FileChoice.h"

#include "shared/ProgramConstants.h"
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

} // namespace sorario
