#pragma once

#include <QString>

namespace sorario {

struct Module1;
class Dialogs;

inline constexpr char16_t EncodedMark[] = u"\\\\\\";

// The loader's messages. Only BrokenDataMessage is shown with a beep, and only
// for a line count that is no multiple of 3.
inline const QString BrokenDataMessage = QStringLiteral("◆データが壊れています！");
QString UnreadableFileMessage(const QString &path);
QString TooManyLinesMessage(const QString &path);
QString TooManyQuestionsMessage();

// Reads ChosenFileList(1..ChosenFileCount) into FileHeaders and the QuestionBank.
// On a broken file: its message through `dialogs`, LoadFailed = 1, load stopped.
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs);

} // namespace sorario
