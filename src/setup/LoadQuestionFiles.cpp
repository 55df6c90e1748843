// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/LoadQuestionFiles.h"

#include "platform/Dialogs.h"
#include "shared/Module1.h"

#include <algorithm>

namespace sorario {

LoadOutcome LoadBank(Module1 &m)
{
    return LoadBank(m, ReadQuestionFile);
}

LoadOutcome LoadBank(Module1 &m, const QuestionFileReader &readFile)
{
    LoadedBank bank;
    const LoadOutcome outcome = loadBank(
        m.ChosenFileList.first(std::clamp<int>(m.ChosenFileCount, 0, MaxChosenFiles)), readFile, bank);
    if (m.ChosenFileCount > 0)
        m.FileLines.clear(1, bank.clearedLines);
    for (int i = 1; i <= bank.lastLines.size(); ++i)
        m.FileLines(i) = bank.lastLines[i - 1];
    if (bank.encodedText)
        m.EncodedText = *bank.encodedText;
    for (int f = 1; f <= bank.headers.size(); ++f) {
        for (int s = 1; s <= HeaderLineCount; ++s)
            m.FileHeaders(f, s) = bank.headers[f - 1][static_cast<size_t>(s - 1)];
    }
    for (int q = 1; q <= bank.questions.size(); ++q)
        m.QuestionBank(q) = bank.questions[q - 1];
    m.BankQuestionCount = static_cast<std::int16_t>(bank.questions.size());
    m.PartCount = bank.partCount;
    if (bank.partSize)
        m.PartSize = *bank.partSize;
    m.LoadedTitles = bank.titles;
    return outcome;
}

FileChoice ChooseFiles(Module1 &m, const QStringList &paths)
{
    const FileChoice choice = FileChoiceFor(paths.size());
    if (choice == FileChoice::TooMany)
        return choice;
    m.ChosenFileCount = 0;
    for (const QString &path : paths)
        m.ChosenFileList(++m.ChosenFileCount) = path;
    return choice;
}

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
