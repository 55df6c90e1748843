#include "bank/QuestionFiles.h"

namespace sorario {
void LoadQuestionFiles(Module1 &, Dialogs &) {}
} // namespace sorario
