// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QtPrintSurface.h"

#include "print/FontSubstitution.h"
#include "print/PaintedDocument.h"
#include "print/PaperPlacing.h"
#include "print/PendingPdf.h"
#include "shared/Module1.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <cmath>

namespace sorario {

namespace {

QPageLayout::Orientation qtOrientation(Orientation orientation)
{
    return orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

QPageSize::PageSizeId pageSizeFor(PaperSize paper)
{
    switch (paper) {
    case PaperSize::A3:
        return QPageSize::A3;
    case PaperSize::A4:
        return QPageSize::A4;
    case PaperSize::JisB4:
        return QPageSize::JisB4;
    case PaperSize::JisB5:
        break;
    }
    return QPageSize::JisB5; // not QPageSize::B5, the ISO 176 x 250 size
}

// Colours come as one number holding red in the low byte, then green, then blue.
QColor colorFromValue(int value)
{
    if (value < 0)
        return Qt::black;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

} // namespace

struct QtPrintSurface::Private
{
    QPrinter printer {QPrinter::HighResolution};
    FontCache fonts {printer};
    QPageSize::PageSizeId paper = QPageSize::JisB5;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    Paper placing = Paper::B5;
    FontSpec font {QStringLiteral("ＭＳ Ｐ明朝"), 10, false};
    double x = 0; // without the width of pendingText, see currentX
    double y = 0;
    DisplayList ops;
    int finishedPages = 0;
    bool keep = false;
    DisplayList kept; // the finished document a preview shows
    std::shared_ptr<MeasuredFont> current; // for `font`; empty when it has to be looked up
    // The layout sets x before nearly every print, so the width of printed text
    // is only measured when the position after it is asked for.
    QString pendingText;
    std::shared_ptr<MeasuredFont> pendingFont;

    Private()
    {
        installFontSubstitutions();
        applyPageLayout();
    }

    void applyPageLayout()
    {
        // Full page with no margins: (0, 0) is the corner of the paper.
        printer.setFullPage(true);
        // Pages are drawn on B5 and placed on the chosen paper only when painted.
        const PaperSheet sheet = PaperSheetFor(placing);
        const bool b5 = placing == Paper::B5;
        printer.setPageSize(QPageSize(b5 ? paper : pageSizeFor(sheet.size)));
        printer.setPageOrientation(b5 ? orientation : qtOrientation(sheet.orientation));
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }

    MeasuredFont &measured()
    {
        if (!current || current->resolution != printer.resolution())
            current = fonts.font({font.name, font.points, false}); // emphasis is drawn in plain room
        return *current;
    }

    void fontChanged() { current.reset(); }

    void setX(double newX)
    {
        x = newX;
        pendingFont.reset();
        pendingText.clear();
    }

    double currentX()
    {
        if (pendingFont) {
            x += pendingFont->advance(pendingText) / UnitsPerMm;
            pendingFont.reset();
            pendingText.clear();
        }
        return x;
    }

    bool writesPdf() const { return printer.outputFormat() == QPrinter::PdfFormat; }

    // Checked at the first output, so that a run without a destination stops before
    // it has laid out a whole sheet.
    void requireDestination() const
    {
        if (!writesPdf()) {
            if (!printer.isValid())
                throw PrintFailure(PrintFailureKind::NoPrinter);
            return;
        }
        const QString path = printer.outputFileName();
        if (path.isEmpty())
            throw PrintFailure(PrintFailureKind::NoPrinter);
        const QFileInfo target(path);
        if (!target.absoluteDir().exists())
            throw PrintFailure(PrintFailureKind::PdfFolderMissing, QDir::toNativeSeparators(path));
        if (target.isDir())
            throw PrintFailure(PrintFailureKind::PdfNameIsFolder, QDir::toNativeSeparators(path));
    }

    // A kept document gets its destination only when it is printed.
    void beforeOutput()
    {
        if (ops.isEmpty() && !keep)
            requireDestination();
    }

    int paintToPdf(const DisplayList &list)
    {
        const QString target = printer.outputFileName();
        PendingPdf pending(target);
        printer.setOutputFileName(pending.tempPath());
        try {
            const int pages = list.paint(printer, fonts, placing);
            printer.setOutputFileName(target);
            pending.commit();
            return pages;
        } catch (...) {
            printer.setOutputFileName(target);
            throw;
        }
    }

    int deliver(const DisplayList &list)
    {
        requireDestination();
        applyPageLayout();
        return writesPdf() ? paintToPdf(list) : list.paint(printer, fonts, placing);
    }

    void finishDocument()
    {
        setX(0);
        y = 0;
        ops.clear();
    }
};

QtPrintSurface::QtPrintSurface()
    : m_d(std::make_unique<Private>())
{
}

QtPrintSurface::QtPrintSurface(const QString &pdfPath)
    : QtPrintSurface()
{
    setPdfOutput(pdfPath);
}

QtPrintSurface::~QtPrintSurface() = default;

QPrinter &QtPrintSurface::printer()
{
    return m_d->printer;
}

void QtPrintSurface::setPdfOutput(const QString &pdfPath)
{
    m_d->printer.setOutputFormat(QPrinter::PdfFormat);
    m_d->printer.setOutputFileName(pdfPath);
    m_d->applyPageLayout();
}

int QtPrintSurface::pagesPrinted() const
{
    return m_d->finishedPages;
}

void QtPrintSurface::setScaleMode(ScaleMode)
{
    // Only millimetres are ever asked for; the surface always works in them.
}

void QtPrintSurface::setPaperSize(PaperSize paper)
{
    m_d->paper = pageSizeFor(paper);
    m_d->applyPageLayout();
}

void QtPrintSurface::setOrientation(Orientation orientation)
{
    m_d->orientation = qtOrientation(orientation);
    m_d->applyPageLayout();
}

void QtPrintSurface::setPaperPlacing(Paper paper)
{
    m_d->placing = paper;
    m_d->applyPageLayout();
}

void QtPrintSurface::setDocumentName(const QString &title)
{
    m_d->printer.setDocName(title);
    m_d->printer.setCreator(ProgramTitle);
}

void QtPrintSurface::setFontName(const QString &name)
{
    if (name == m_d->font.name)
        return;
    m_d->font.name = name;
    m_d->fontChanged();
}

QString QtPrintSurface::fontName() const
{
    return m_d->font.name;
}

void QtPrintSurface::setFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0)
        throw PrintFailure(PrintFailureKind::FontSizeInvalid);
    if (points == m_d->font.points)
        return;
    m_d->font.points = points;
    m_d->fontChanged();
}

double QtPrintSurface::fontSize() const
{
    return m_d->font.points;
}

void QtPrintSurface::setFontEmphasis(bool on)
{
    if (on == m_d->font.bold)
        return;
    m_d->font.bold = on;
    m_d->fontChanged();
}

bool QtPrintSurface::fontEmphasis() const
{
    return m_d->font.bold;
}

void QtPrintSurface::setCurrentX(double x)
{
    m_d->setX(x);
}

void QtPrintSurface::setCurrentY(double y)
{
    m_d->y = y;
}

double QtPrintSurface::currentX() const
{
    return m_d->currentX();
}

double QtPrintSurface::currentY() const
{
    return m_d->y;
}

double QtPrintSurface::textWidth(const QString &text)
{
    return m_d->measured().advance(text) / UnitsPerMm;
}

double QtPrintSurface::textHeight(const QString &)
{
    return m_d->measured().lineHeight;
}

void QtPrintSurface::print(const QString &text, bool lineEnd)
{
    if (!text.isEmpty()) {
        m_d->beforeOutput();
        // The position is the text's top left corner; Qt draws from the baseline.
        const QPointF baseline(m_d->currentX() * UnitsPerMm, m_d->y * UnitsPerMm + m_d->measured().ascent);
        m_d->ops.text(baseline, text, m_d->font);
    }
    if (lineEnd) {
        m_d->y += textHeight(text);
        m_d->setX(0);
    } else if (!text.isEmpty()) {
        // currentX() was just brought up to date above.
        m_d->pendingText = text;
        m_d->pendingFont = m_d->current;
    }
}

void QtPrintSurface::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    m_d->beforeOutput();
    m_d->ops.line(QPointF(x1, y1) * UnitsPerMm, QPointF(x2, y2) * UnitsPerMm, colorFromValue(color), box);
    m_d->setX(x2);
    m_d->y = y2;
}

void QtPrintSurface::newPage()
{
    m_d->beforeOutput();
    m_d->ops.pageBreak();
    m_d->setX(0);
    m_d->y = 0;
}

void QtPrintSurface::endDoc()
{
    m_d->finishedPages = 0;
    if (m_d->keep) {
        m_d->kept.clear();
        if (m_d->ops.hasOutput())
            m_d->kept.swap(m_d->ops);
        m_d->finishDocument();
        return;
    }
    if (!m_d->ops.hasOutput()) {
        m_d->finishDocument();
        return;
    }
    try {
        m_d->finishedPages = m_d->deliver(m_d->ops);
    } catch (...) {
        m_d->finishDocument();
        throw;
    }
    m_d->finishDocument();
}

void QtPrintSurface::killDoc()
{
    m_d->finishedPages = 0;
    m_d->kept.clear();
    m_d->finishDocument();
}

void QtPrintSurface::setKeepDocument(bool keep)
{
    m_d->keep = keep;
}

bool QtPrintSurface::hasKeptDocument() const
{
    return !m_d->kept.isEmpty();
}

void QtPrintSurface::paintKeptDocument()
{
    if (!m_d->kept.isEmpty())
        m_d->kept.paint(m_d->printer, m_d->fonts, m_d->placing);
}

int QtPrintSurface::printKeptDocument()
{
    m_d->finishedPages = 0;
    if (m_d->kept.isEmpty())
        return 0;
    m_d->finishedPages = m_d->deliver(m_d->kept);
    return m_d->finishedPages;
}

} // namespace sorario
