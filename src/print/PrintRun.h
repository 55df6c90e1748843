#pragma once

namespace sorario {

struct Module1;
class Dialogs;
class PrintSurface;

inline constexpr int PrintDialogFlags = 0x40004;

// Sets up the surface (millimetres, B5, portrait, question font) and the metrics.
void SetPrintMetrics(Module1 &m, PrintSurface &surface);

// The whole print run: print dialog, metrics, measuring pass, capacity prompt,
// header, questions, answer page, end of document. Returns true when a document
// was ended (sent to the printer), false when cancelled or failed.
bool PrintSheet(Module1 &m, PrintSurface &surface, Dialogs &dialogs);

} // namespace sorario
