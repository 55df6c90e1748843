// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintReplay.h"

#include "print/PrintLog.h"
#include "print/PrintSurface.h"

namespace sorario {

void ReplayOperations(const PrintLog &log, PrintSurface &surface)
{
    surface.setDocumentName(log.documentName());
    surface.setPaperPlacing(log.paper());
    surface.setScaleMode(ScaleMode::Millimetres);
    surface.setPaperSize(PaperSize::JisB5);
    surface.setOrientation(Orientation::Portrait);
    ReplayDrawing(log, surface);
}

void ReplayDrawing(const PrintLog &log, PrintSurface &surface)
{
    using K = PrintOperation::Kind;
    for (const PrintOperation &op : log.operations()) {
        switch (op.kind) {
        case K::Text:
            surface.setFontName(op.font);
            surface.setFontSize(op.size);
            surface.setFontEmphasis(op.emphasis);
            surface.setCurrentX(op.x);
            surface.setCurrentY(op.y);
            surface.print(op.text, op.lineEnd);
            break;
        case K::Line:
            surface.line(op.x1, op.y1, op.x2, op.y2, op.box, op.color);
            break;
        case K::NewPage:
            surface.newPage();
            break;
        case K::EndDoc:
            surface.endDoc();
            break;
        case K::KillDoc:
            surface.killDoc();
            break;
        }
    }
}

} // namespace sorario
