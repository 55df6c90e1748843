// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TextItemLine.h"

namespace sorario {

QString TextItemLine(const QString &value)
{
    const bool cut = value.contains(u',');
    const bool trimmed = !value.isEmpty() && (value.front() == u' ' || value.front() == u'\t');
    if ((cut || trimmed) && !value.contains(u'"'))
        return u'"' + value + u'"';
    return value;
}

} // namespace sorario
