#pragma once

#include <QString>

namespace sorario {

struct Module1;
class Dialogs;

// With AnswerLayout 2: the answer goes into each drawn question's first bracket pair.
void ExchangeBracketAndAnswer(Module1 &m);

// The whole export file as text (CR LF line ends), from the drawn questions.
QString BuildTestText(const Module1 &m);

// Writes BuildTestText to `path` whole or not at all.
bool WriteTestTextTo(const Module1 &m, const QString &path);

// Save dialog, then the file; silent on cancel and failure.
void WriteTestTextFile(const Module1 &m, Dialogs &dialogs);

} // namespace sorario
