// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sorario {

class Dialogs;
struct PrintOutcome;

// A failed print run says why, in the program's own message box; any other outcome
// says nothing. The windows' one way of showing a print failure.
void showPrintFailure(Dialogs &dialogs, const PrintOutcome &outcome);

} // namespace sorario
