// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Readme.h"

#include "platform/LineFile.h"
#include "platform/ProgramFolder.h"
#include "shared/Module1.h"

namespace sorario {

void LoadReadme(Module1 &m)
{
    const QString path = ReadmePath(m);
    m.ReadmeText.clear();
    const LineFileRead read = readLineFile(path);
    if (read.status != LineFileRead::Status::Ok) {
        m.ReadmeText = ReadmeMissingText;
        return;
    }
    QString text;
    for (const QString &line : read.lines)
        text += line + QStringLiteral("\r\n");
    m.ReadmeText = text;
}

} // namespace sorario
