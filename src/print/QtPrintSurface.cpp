#include "print/QtPrintSurface.h"

// Placeholder so the tree links until the real surface lands.
namespace sorario {
struct QtPrintSurface::Private {};
QtPrintSurface::QtPrintSurface() = default;
QtPrintSurface::QtPrintSurface(const QString &) {}
QtPrintSurface::~QtPrintSurface() = default;
QPrinter &QtPrintSurface::printer() { throw PrintFailure("no printer"); }
void QtPrintSurface::setPdfOutput(const QString &) {}
int QtPrintSurface::pagesPrinted() const { return 0; }
void QtPrintSurface::setScaleMode(int) {}
void QtPrintSurface::setPaperSize(int) {}
void QtPrintSurface::setOrientation(int) {}
void QtPrintSurface::setFontName(const QString &) {}
QString QtPrintSurface::fontName() const { return {}; }
void QtPrintSurface::setFontSize(double) {}
double QtPrintSurface::fontSize() const { return 0; }
void QtPrintSurface::setFontEmphasis(bool) {}
bool QtPrintSurface::fontEmphasis() const { return false; }
void QtPrintSurface::setCurrentX(double) {}
void QtPrintSurface::setCurrentY(double) {}
double QtPrintSurface::currentX() const { return 0; }
double QtPrintSurface::currentY() const { return 0; }
double QtPrintSurface::textWidth(const QString &) { return 0; }
double QtPrintSurface::textHeight(const QString &) { return 0; }
void QtPrintSurface::print(const QString &, bool) {}
void QtPrintSurface::line(double, double, double, double, bool, int) {}
void QtPrintSurface::newPage() {}
void QtPrintSurface::endDoc() {}
void QtPrintSurface::killDoc() {}
void installFontSubstitutions() {}
} // namespace sorario
