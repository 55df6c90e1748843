// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QtPrintSurface.h"

#include "print/FontSubstitution.h"
#include "print/PaintedDocument.h"
#include "print/PaperPlacing.h"
#include "print/PdfFile.h"
#include "shared/PrintChoices.h"
#include "shared/ProgramConstants.h"

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

} // namespace

struct QtPrintSurface::Private
{
    QPrinter m_printer {QPrinter::HighResolution};
    FontCache m_fonts {m_printer};
    QPageSize::PageSizeId m_paper = QPageSize::JisB5;
    QPageLayout::Orientation m_orientation = QPageLayout::Portrait;
    Paper m_placing = Paper::B5;
    FontSpec m_font {QStringLiteral("ＭＳ Ｐ明朝"), 10, false};
    double m_x = 0; // without the width of m_pendingText, see currentX
    double m_y = 0;
    DisplayList m_ops;
    int m_finishedPages = 0;
    bool m_keep = false;
    DisplayList m_kept; // the finished document a preview shows
    std::shared_ptr<MeasuredFont> m_current; // for `m_font`; empty when it has to be looked up
    // The layout sets x before nearly every print, so the width of printed text
    // is only measured when the position after it is asked for.
    QString m_pendingText;
    std::shared_ptr<MeasuredFont> m_pendingFont;

    Private()
    {
        installFontSubstitutions();
        applyPageLayout();
    }

    void applyPageLayout()
    {
        // Full page with no margins: (0, 0) is the corner of the paper.
        m_printer.setFullPage(true);
        // Pages are drawn on B5 and placed on the chosen paper only when painted.
        const PaperSheet sheet = PaperSheetFor(m_placing);
        const bool b5 = m_placing == Paper::B5;
        m_printer.setPageSize(QPageSize(b5 ? m_paper : pageSizeFor(sheet.size)));
        m_printer.setPageOrientation(b5 ? m_orientation : qtOrientation(sheet.orientation));
        m_printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }

    MeasuredFont &measured()
    {
        if (!m_current || m_current->m_resolution != m_printer.resolution())
            m_current = m_fonts.font({m_font.name, m_font.points, false}); // emphasis is drawn in plain room
        return *m_current;
    }

    void fontChanged() { m_current.reset(); }

    void setX(double newX)
    {
        m_x = newX;
        m_pendingFont.reset();
        m_pendingText.clear();
    }

    double currentX()
    {
        if (m_pendingFont) {
            m_x += m_pendingFont->advance(m_pendingText) / UnitsPerMm;
            m_pendingFont.reset();
            m_pendingText.clear();
        }
        return m_x;
    }

    bool writesPdf() const { return m_printer.outputFormat() == QPrinter::PdfFormat; }

    // Checked at the first output, so that a run without a destination stops before
    // it has laid out a whole sheet.
    void requireDestination() const
    {
        if (!writesPdf()) {
            if (!m_printer.isValid())
                throw PrintFailure(PrintFailureKind::NoPrinter);
            return;
        }
        const QString path = m_printer.outputFileName();
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
        if (m_ops.isEmpty() && !m_keep)
            requireDestination();
    }

    int paintToPdf(const DisplayList &list) { return paintPdfFile(list, m_printer, m_fonts, m_placing); }

    int deliver(const DisplayList &list)
    {
        requireDestination();
        applyPageLayout();
        return writesPdf() ? paintToPdf(list) : list.paint(m_printer, m_fonts, m_placing);
    }

    void finishDocument()
    {
        setX(0);
        m_y = 0;
        m_ops.clear();
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
    return m_d->m_printer;
}

void QtPrintSurface::setPdfOutput(const QString &pdfPath)
{
    m_d->m_printer.setOutputFormat(QPrinter::PdfFormat);
    m_d->m_printer.setOutputFileName(pdfPath);
    m_d->applyPageLayout();
}

int QtPrintSurface::pagesPrinted() const
{
    return m_d->m_finishedPages;
}

void QtPrintSurface::setScaleMode(ScaleMode)
{
    // Only millimetres are ever asked for; the surface always works in them.
}

void QtPrintSurface::setPaperSize(PaperSize paper)
{
    m_d->m_paper = pageSizeFor(paper);
    m_d->applyPageLayout();
}

void QtPrintSurface::setOrientation(Orientation orientation)
{
    m_d->m_orientation = qtOrientation(orientation);
    m_d->applyPageLayout();
}

void QtPrintSurface::setPaperPlacing(Paper paper)
{
    m_d->m_placing = paper;
    m_d->applyPageLayout();
}

void QtPrintSurface::setDocumentName(const QString &title)
{
    m_d->m_printer.setDocName(title);
    m_d->m_printer.setCreator(ProgramTitle);
}

void QtPrintSurface::setFontName(const QString &name)
{
    if (name == m_d->m_font.name)
        return;
    m_d->m_font.name = name;
    m_d->fontChanged();
}

QString QtPrintSurface::fontName() const
{
    return m_d->m_font.name;
}

void QtPrintSurface::setFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0)
        throw PrintFailure(PrintFailureKind::FontSizeInvalid);
    if (points == m_d->m_font.points)
        return;
    m_d->m_font.points = points;
    m_d->fontChanged();
}

double QtPrintSurface::fontSize() const
{
    return m_d->m_font.points;
}

void QtPrintSurface::setFontEmphasis(bool on)
{
    if (on == m_d->m_font.bold)
        return;
    m_d->m_font.bold = on;
    m_d->fontChanged();
}

bool QtPrintSurface::fontEmphasis() const
{
    return m_d->m_font.bold;
}

void QtPrintSurface::setCurrentX(double x)
{
    m_d->setX(x);
}

void QtPrintSurface::setCurrentY(double y)
{
    m_d->m_y = y;
}

double QtPrintSurface::currentX() const
{
    return m_d->currentX();
}

double QtPrintSurface::currentY() const
{
    return m_d->m_y;
}

double QtPrintSurface::textWidth(const QString &text)
{
    return m_d->measured().advance(text) / UnitsPerMm;
}

double QtPrintSurface::textHeight(const QString &)
{
    return m_d->measured().m_lineHeight;
}

void QtPrintSurface::print(const QString &text, bool lineEnd)
{
    if (!text.isEmpty()) {
        m_d->beforeOutput();
        // The position is the text's top left corner; Qt draws from the baseline.
        const QPointF baseline(
            m_d->currentX() * UnitsPerMm, m_d->m_y * UnitsPerMm + m_d->measured().m_ascent);
        m_d->m_ops.text(baseline, text, m_d->m_font);
    }
    if (lineEnd) {
        m_d->m_y += textHeight(text);
        m_d->setX(0);
    } else if (!text.isEmpty()) {
        // currentX() was just brought up to date above.
        m_d->m_pendingText = text;
        m_d->m_pendingFont = m_d->m_current;
    }
}

void QtPrintSurface::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    m_d->beforeOutput();
    m_d->m_ops.line(QPointF(x1, y1) * UnitsPerMm, QPointF(x2, y2) * UnitsPerMm, ColorFromValue(color), box);
    m_d->setX(x2);
    m_d->m_y = y2;
}

void QtPrintSurface::newPage()
{
    m_d->beforeOutput();
    m_d->m_ops.pageBreak();
    m_d->setX(0);
    m_d->m_y = 0;
}

void QtPrintSurface::endDoc()
{
    m_d->m_finishedPages = 0;
    if (m_d->m_keep) {
        m_d->m_kept.clear();
        if (m_d->m_ops.hasOutput())
            m_d->m_kept.swap(m_d->m_ops);
        m_d->finishDocument();
        return;
    }
    if (!m_d->m_ops.hasOutput()) {
        m_d->finishDocument();
        return;
    }
    try {
        m_d->m_finishedPages = m_d->deliver(m_d->m_ops);
    } catch (...) {
        m_d->finishDocument();
        throw;
    }
    m_d->finishDocument();
}

void QtPrintSurface::killDoc()
{
    m_d->m_finishedPages = 0;
    m_d->m_kept.clear();
    m_d->finishDocument();
}

void QtPrintSurface::setKeepDocument(bool keep)
{
    m_d->m_keep = keep;
}

bool QtPrintSurface::hasKeptDocument() const
{
    return !m_d->m_kept.isEmpty();
}

void QtPrintSurface::paintKeptDocument()
{
    if (!m_d->m_kept.isEmpty())
        m_d->m_kept.paint(m_d->m_printer, m_d->m_fonts, m_d->m_placing);
}

int QtPrintSurface::printKeptDocument()
{
    m_d->m_finishedPages = 0;
    if (m_d->m_kept.isEmpty())
        return 0;
    m_d->m_finishedPages = m_d->deliver(m_d->m_kept);
    return m_d->m_finishedPages;
}

} // namespace sorario
