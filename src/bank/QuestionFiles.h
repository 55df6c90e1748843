#pragma once

namespace sorario {

struct Module1;
class Dialogs;

inline constexpr char16_t EncodedMark[] = u"\\\\\\";

// Reads ChosenFileList(1..ChosenFileCount) into FileHeaders and the QuestionBank.
// On a broken file: its message through `dialogs`, LoadFailed = 1, load stopped.
void LoadQuestionFiles(Module1 &m, Dialogs &dialogs);

} // namespace sorario
