// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

// The line that ItemReader::readText reads back as `value`. Values are written as
// they are, except that one holding an ASCII comma or starting with a blank or tab
// is put in double quotes, which would otherwise cut or trim it on the next start.
// A value that itself holds a double quote cannot be quoted and is written as is.
QString TextItemLine(const QString &value);

} // namespace sorario
