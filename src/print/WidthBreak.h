// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <functional>

namespace sorario {

// Whether text this wide no longer fits where `room` millimetres are left on the line.
inline bool ExceedsRoom(double width, double room)
{
    return width + 10 > room;
}

// The smallest prefix length k in 1..count whose width exceeds `room`, or 0 when
// none does. Same answer as measuring every k in turn, as long as prefix widths
// never shrink as the prefix grows, with a few measurements a line.
qsizetype FindWidthBreak(qsizetype count, const std::function<double(qsizetype)> &prefixWidth, double room);

} // namespace sorario
