// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace sorario {

// Fills DrawnQuestions for sheet `sheet` (from 1) of a run. The print engine and the
// text export take it from their caller, so they need not know where questions come from.
using DrawSheet = std::function<void(int sheet)>;

} // namespace sorario
