// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/LoadQuestionFiles.h"

#include "platform/Dialogs.h"
#include "shared/Module1.h"

namespace sorario {

void showLoadFailure(const LoadOutcome &stopped, Dialogs &dialogs)
{
    if (stopped.fault == LoadFault::NotWholeQuestions || stopped.fault == LoadFault::EmptyPayload)
        dialogs.beep();
    dialogs.message(LoadStoppedMessage(stopped));
}

void LoadQuestionFiles(Module1 &m, Dialogs &dialogs)
{
    LoadQuestionFiles(m, dialogs, ReadQuestionFile);
}

void LoadQuestionFiles(Module1 &m, Dialogs &dialogs, const QuestionFileReader &readFile)
{
    const LoadOutcome outcome = LoadBank(m, readFile);
    if (outcome.ok())
        return;
    showLoadFailure(outcome, dialogs);
    m.LoadFailed = 1;
}

} // namespace sorario
