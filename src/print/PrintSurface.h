// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintFailure.h"
#include "shared/PrintChoices.h"

#include <QString>
#include <QStringView>
#include <QtGlobal>

namespace sorario {

// The printer object's property values the run uses.
enum class ScaleMode { Millimetres = 6 };
enum class PaperSize { A3 = 8, A4 = 9, JisB4 = 12, JisB5 = 13 };
enum class Orientation { Portrait = 1, Landscape = 2 };

// The printer object the print run draws on: millimetres from the top left of the
// page, a font face and size in points, one emphasis style, a current position.
// Implementations throw PrintFailure when they cannot go on.
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;

    PrintSurface() = default;
    Q_DISABLE_COPY(PrintSurface)

    virtual void setScaleMode(ScaleMode mode) = 0;
    virtual void setPaperSize(PaperSize paper) = 0;
    virtual void setOrientation(Orientation orientation) = 0;
    // The title the document carries (a PDF's metadata, the printer queue's job name).
    virtual void setDocumentName(const QString &title) { (void)title; }
    // The paper the finished pages go onto; what is drawn stays on the B5 page.
    virtual void setPaperPlacing(Paper paper) { (void)paper; }

    virtual void setFontName(const QString &name) = 0;
    virtual QString fontName() const = 0;
    virtual void setFontSize(double points) = 0;
    virtual double fontSize() const = 0;
    virtual void setFontEmphasis(bool on) = 0;
    virtual bool fontEmphasis() const = 0;

    virtual void setCurrentX(double x) = 0;
    virtual void setCurrentY(double y) = 0;
    virtual double currentX() const = 0;
    virtual double currentY() const = 0;

    virtual double textWidth(const QString &text) = 0;
    virtual double textHeight(const QString &text) = 0;
    // Where `text` has to break on a line with `room` millimetres left: the
    // smallest prefix length that exceeds it, 0 when the whole fits. Measures
    // prefixes with textWidth; a surface whose widths add up can do it in one pass.
    virtual qsizetype findWidthBreak(QStringView text, double room);

    // Prints at (currentX, currentY). Without a line end the position moves to the
    // end of the text; with one it moves to the start of the next line.
    virtual void print(const QString &text, bool lineEnd) = 0;
    virtual void line(double x1, double y1, double x2, double y2, bool box, int color) = 0;

    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    virtual void killDoc() = 0;
};

} // namespace sorario
