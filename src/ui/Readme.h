// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

struct Module1;

inline const QString ReadmeMissingText = QStringLiteral("・・・リードミーテキストファイルがありません・・・");

// Readme.txt of m.ProgramFolder into m.ReadmeText, each line followed by CR LF;
// a missing or unreadable file gives ReadmeMissingText.
void LoadReadme(Module1 &m);

} // namespace sorario
