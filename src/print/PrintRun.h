#pragma once

#include "platform/Dialogs.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace sorario {

struct Module1;
class PrintSurface;

inline constexpr int PrintDialogFlags = 0x40004;
inline constexpr int ScaleModeMillimetres = 6;
inline constexpr int PaperB5 = 13;
inline constexpr int OrientationPortrait = 1;

inline const QString CapacityPromptTitle = QStringLiteral("問題行数のチェック");

// Sets up the surface (millimetres, B5, portrait, question font) and the metrics.
// Throws PrintFailure when the font has no usable height, since every line
// capacity divides by it.
void SetPrintMetrics(Module1 &m, PrintSurface &surface);

// The four lines of the question asked when the questions overflow the first page.
QString CapacityPromptText(int fitCount, int questionCount);

// The measuring pass and, when the questions overflow the first page, the capacity
// prompt; sets QuestionCount and PrintMode as the answer says. The prompt is asked
// only while `answer` holds none, so one answer serves every sheet of a run.
// False for Cancel: the caller discards the document.
bool CheckCapacity(Module1 &m, PrintSurface &surface, Dialogs &dialogs,
                   std::optional<MessageAnswer> &answer);

// One sheet after the capacity check: header, questions in PrintMode, and the
// answer page with its own header when answers are attached. Returns the time the
// question page's sheet number was made from.
QDateTime PrintSheetBody(const Module1 &m, PrintSurface &surface);

// The whole print run: print dialog, metrics, measuring pass, capacity prompt,
// header, questions, answer page, end of document. Returns true when a document
// was ended (sent to the printer), false when cancelled or failed. A run that
// fails part-way discards its document, so no half sheet comes out.
bool PrintSheet(Module1 &m, PrintSurface &surface, Dialogs &dialogs);

} // namespace sorario
