// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

namespace sorario {

class PrintLog;

// The log as one JSON array, one object per operation and line, keys in a fixed
// order; numbers in their shortest exact form (10, 12.5, 147.8125).
QByteArray TraceJson(const PrintLog &log);

} // namespace sorario
