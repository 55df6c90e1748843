// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/PrintFailureNotice.h"

#include "platform/Dialogs.h"
#include "print/PrintRun.h"
#include "shared/Module1.h"

namespace sorario {

void showPrintFailure(Dialogs &dialogs, const PrintOutcome &outcome)
{
    if (outcome.kind == PrintOutcome::Kind::Failed)
        dialogs.message(outcome.reason, ProgramTitle);
}

} // namespace sorario
