// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintSurface.h"

#include <QString>

#include <memory>

class QPrinter;

namespace sorario {

// The print surface on paper: QPainter on a QPrinter set to JIS B5 portrait, with
// millimetre coordinates from the top left of the sheet. It prints either to the
// printer chosen in the print dialog or to a PDF file. Emphasis prints as bold.
//
// Drawing is kept until endDoc and only then painted, so that killDoc (or a run
// that fails half-way) sends nothing to the printer and writes no file.
class QtPrintSurface : public PrintSurface
{
public:
    QtPrintSurface(); // the system's default printer
    explicit QtPrintSurface(const QString &pdfPath); // a PDF file, written only at endDoc
    ~QtPrintSurface() override;

    // The printer the print dialog configures.
    QPrinter &printer();
    // Switch to PDF output (used by the command line and by scripted print dialogs).
    void setPdfOutput(const QString &pdfPath);
    // B5 pages of the last document ended with endDoc; 0 before, after killDoc, and
    // when the document held no output (then nothing is printed or written).
    int pagesPrinted() const;

    // For a print preview: endDoc keeps the finished document instead of printing
    // it, and the run needs no destination yet.
    void setKeepDocument(bool keep);
    bool hasKeptDocument() const;
    // Paints the kept document on printer() as it is now, as a preview records it.
    void paintKeptDocument();
    // Prints the kept document to printer()'s destination as endDoc would have, and
    // returns its pages. Throws PrintFailure as endDoc does.
    int printKeptDocument();

    void setScaleMode(ScaleMode mode) override;
    void setPaperSize(PaperSize paper) override;
    void setOrientation(Orientation orientation) override;
    void setDocumentName(const QString &title) override;
    void setPaperPlacing(Paper paper) override;
    void setFontName(const QString &name) override;
    QString fontName() const override;
    void setFontSize(double points) override;
    double fontSize() const override;
    void setFontEmphasis(bool on) override;
    bool fontEmphasis() const override;
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override;
    double currentY() const override;
    double textWidth(const QString &text) override;
    double textHeight(const QString &text) override;
    void print(const QString &text, bool lineEnd) override;
    void line(double x1, double y1, double x2, double y2, bool box, int color) override;
    void newPage() override;
    void endDoc() override;
    void killDoc() override;

private:
    struct Private;
    std::unique_ptr<Private> m_d;
};

} // namespace sorario
