// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sorario {

class PrintLog;
class PrintSurface;

// Carries out the logged operations again on another surface, each text at its
// logged position, font and emphasis: a layout made with the fixed metrics can
// so be drawn with real fonts. Throws PrintFailure as the surface does.
void ReplayOperations(const PrintLog &log, PrintSurface &surface);
// Only the drawing and the page breaks, onto a document already begun.
void ReplayDrawing(const PrintLog &log, PrintSurface &surface);

} // namespace sorario
