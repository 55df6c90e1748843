#pragma once

#include <QString>

#include <stdexcept>

namespace sorario {

// A failure of the surface or of the run; ends the print run at once.
class PrintFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// The printer object the print run draws on: millimetres from the top left of the
// page, a font face and size in points, one emphasis style, a current position.
// Implementations throw PrintFailure when they cannot go on.
class PrintSurface
{
public:
    virtual ~PrintSurface() = default;

    virtual void setScaleMode(int mode) = 0;      // 6: millimetres
    virtual void setPaperSize(int paper) = 0;     // 13: B5 (182 x 257 mm)
    virtual void setOrientation(int orientation) = 0; // 1: portrait

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

    // Prints at (currentX, currentY). Without a line end the position moves to the
    // end of the text; with one it moves to the start of the next line.
    virtual void print(const QString &text, bool lineEnd) = 0;
    virtual void line(double x1, double y1, double x2, double y2, bool box, int color) = 0;

    virtual void newPage() = 0;
    virtual void endDoc() = 0;
    virtual void killDoc() = 0;
};

} // namespace sorario
