#include "print/QtPrintSurface.h"

#include "print/PendingPdf.h"

#include <QColor>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPen>
#include <QPrinter>

#include <cmath>
#include <memory>
#include <optional>
#include <vector>

namespace sorario {

namespace {

// Painter units are hundredths of a millimetre: Qt rounds font pixel sizes to whole
// units, which at one unit per millimetre makes 10.5 points come out 4 mm tall, and
// at a tenth still leaves widths up to 1.5 % off.
constexpr double UnitsPerMm = 100.0;
constexpr double UnitsPerInch = 2540.0;
constexpr double PointsPerInch = 72.0;
constexpr double MmPerInch = 25.4;
// Fine enough to look drawn with a pen, heavy enough to survive a 300 dpi printer.
constexpr double RuleWidthMm = 0.25;

constexpr int OrientationLandscape = 2;

std::optional<QPageSize::PageSizeId> pageSizeForPaper(int paper)
{
    switch (paper) {
    case 1: return QPageSize::Letter;
    case 5: return QPageSize::Legal;
    case 8: return QPageSize::A3;
    case 9: return QPageSize::A4;
    case 11: return QPageSize::A5;
    case 12: return QPageSize::JisB4;
    case 13: return QPageSize::JisB5; // not QPageSize::B5, the ISO 176 x 250 size
    default: return std::nullopt;
    }
}

// Colours come as one number holding red in the low byte, then green, then blue.
QColor colorFromValue(int value)
{
    if (value < 0)
        return Qt::black;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

struct FontSpec
{
    QString name;
    double points = 10;
    bool bold = false;

    bool operator==(const FontSpec &) const = default;
};

// Qt turns points into pixels with the device's resolution before the painter's
// scale applies; dividing by that scale gives the true size on paper.
QFont fontFor(const FontSpec &wanted, int resolution)
{
    QFont font(wanted.name);
    font.setPointSizeF(wanted.points * UnitsPerInch / resolution);
    font.setBold(wanted.bold);
    // Widths as the font designs them, the same on every printer and in the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    return font;
}

// The line height, as printers report it for text of one line.
double lineHeightMm(const FontSpec &wanted, const QFontMetricsF &metrics)
{
    if (const auto em = originalLineHeightEm(wanted.name))
        return wanted.points * *em * MmPerInch / PointsPerInch;
    return metrics.height() / UnitsPerMm;
}

// A sheet measures a few fonts thousands of times, many texts more than once (a
// break is found by measuring prefixes; the piece found is printed and measured
// again). Building the font and shaping the text are what cost, so both are kept.
class MeasuredFont
{
public:
    MeasuredFont(const FontSpec &wanted, int resolution, QPaintDevice *device)
        : wanted(wanted),
          resolution(resolution),
          font(fontFor(wanted, resolution)),
          metrics(font, device),
          ascent(metrics.ascent()),
          lineHeight(lineHeightMm(wanted, metrics))
    {
    }

    qreal advance(const QString &text)
    {
        if (const auto known = advances.constFind(text); known != advances.cend())
            return *known;
        // Bounded: a long run would otherwise keep every prefix it ever measured.
        if (advances.size() >= MaxKeptAdvances)
            advances.clear();
        const qreal width = metrics.horizontalAdvance(text);
        advances.insert(text, width);
        return width;
    }

    const FontSpec wanted;
    const int resolution;
    const QFont font;
    const QFontMetricsF metrics;
    const qreal ascent;
    const double lineHeight; // millimetres

private:
    static constexpr qsizetype MaxKeptAdvances = 20000;
    QHash<QString, qreal> advances;
};

struct Op
{
    enum Kind { Text, Line, Box, PageBreak };
    Kind kind = Text;
    QPointF from; // text: baseline start
    QPointF to;
    QString text;
    FontSpec font;
    QColor color;
};

constexpr std::size_t MaxKeptFonts = 64;

} // namespace

struct QtPrintSurface::Private
{
    QPrinter printer{QPrinter::HighResolution};
    QPageSize::PageSizeId paper = QPageSize::JisB5;
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    FontSpec font{QStringLiteral("ＭＳ Ｐ明朝"), 10, false};
    double x = 0; // without the width of pendingText, see currentX
    double y = 0;
    std::vector<Op> ops;
    int finishedPages = 0;
    bool keep = false;
    std::vector<Op> kept; // the finished document a preview shows
    std::vector<std::shared_ptr<MeasuredFont>> measuredFonts;
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
        printer.setPageSize(QPageSize(paper));
        printer.setPageOrientation(orientation);
        printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    }

    // The print dialog may pick a printer of another resolution, so that is part
    // of what a kept font is for.
    std::shared_ptr<MeasuredFont> measuredFont(const FontSpec &wanted)
    {
        const int resolution = printer.resolution();
        for (const auto &kept : measuredFonts) {
            if (kept->resolution == resolution && kept->wanted == wanted)
                return kept;
        }
        if (measuredFonts.size() >= MaxKeptFonts)
            measuredFonts.clear(); // a pending width keeps its own font alive
        measuredFonts.push_back(std::make_shared<MeasuredFont>(wanted, resolution, &printer));
        return measuredFonts.back();
    }

    MeasuredFont &measured()
    {
        if (!current || current->resolution != printer.resolution())
            current = measuredFont(font);
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
                throw PrintFailure("no printer to print on");
            return;
        }
        const QString path = printer.outputFileName();
        if (path.isEmpty())
            throw PrintFailure("no printer to print on");
        if (!QFileInfo(path).absoluteDir().exists())
            throw PrintFailure("the folder of the PDF does not exist");
    }

    void record(Op op)
    {
        // A kept document gets its destination only when it is printed.
        if (ops.empty() && !keep)
            requireDestination();
        ops.push_back(std::move(op));
    }

    bool hasOutput() const
    {
        for (const Op &op : ops) {
            if (op.kind != Op::PageBreak)
                return true;
        }
        return false;
    }

    int paintOps()
    {
        QPainter painter;
        if (!painter.begin(&printer))
            throw PrintFailure("the printer cannot start a document");
        const double scale = printer.resolution() / UnitsPerInch;
        painter.scale(scale, scale);
        painter.setBrush(Qt::NoBrush);

        int pages = 1;
        int pendingBreaks = 0;
        std::shared_ptr<MeasuredFont> painterFont;
        for (const Op &op : ops) {
            if (op.kind == Op::PageBreak) {
                ++pendingBreaks;
                continue;
            }
            // A page is only started by output on it: a break before endDoc adds
            // no empty last page.
            for (; pendingBreaks > 0; --pendingBreaks, ++pages) {
                if (!printer.newPage()) {
                    printer.abort(); // where the driver can, it then prints nothing
                    painter.end();
                    throw PrintFailure("the printer cannot start a page");
                }
            }
            if (op.kind == Op::Text) {
                if (!painterFont || !(painterFont->wanted == op.font)
                    || painterFont->resolution != printer.resolution()) {
                    painterFont = measuredFont(op.font);
                    painter.setFont(painterFont->font);
                }
                painter.setPen(Qt::black);
                painter.drawText(op.from, op.text);
                continue;
            }
            painter.setPen(QPen(op.color, RuleWidthMm * UnitsPerMm, Qt::SolidLine,
                                Qt::SquareCap, Qt::MiterJoin));
            if (op.kind == Op::Box)
                painter.drawRect(QRectF(op.from, op.to).normalized());
            else
                painter.drawLine(op.from, op.to);
        }
        if (!painter.end() || printer.printerState() == QPrinter::Error)
            throw PrintFailure("the printer did not take the document");
        return pages;
    }

    int paintToPdf()
    {
        const QString target = printer.outputFileName();
        PendingPdf pending(target);
        printer.setOutputFileName(pending.tempPath());
        try {
            const int pages = paintOps();
            printer.setOutputFileName(target);
            pending.commit();
            return pages;
        } catch (...) {
            printer.setOutputFileName(target);
            throw;
        }
    }

    int deliver()
    {
        requireDestination();
        applyPageLayout();
        return writesPdf() ? paintToPdf() : paintOps();
    }

    // Runs `paint` on the kept document in place of the current one (there is none
    // between runs).
    template <typename Paint>
    int withKept(Paint paint)
    {
        ops.swap(kept);
        try {
            const int pages = paint();
            ops.swap(kept);
            return pages;
        } catch (...) {
            ops.swap(kept);
            throw;
        }
    }

    void finishDocument()
    {
        setX(0);
        y = 0;
        ops.clear();
    }
};

QtPrintSurface::QtPrintSurface()
    : d(std::make_unique<Private>())
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
    return d->printer;
}

void QtPrintSurface::setPdfOutput(const QString &pdfPath)
{
    d->printer.setOutputFormat(QPrinter::PdfFormat);
    d->printer.setOutputFileName(pdfPath);
    d->applyPageLayout();
}

int QtPrintSurface::pagesPrinted() const
{
    return d->finishedPages;
}

void QtPrintSurface::setScaleMode(int)
{
    // Only millimetres are ever asked for; the surface always works in them.
}

void QtPrintSurface::setPaperSize(int paper)
{
    if (const auto size = pageSizeForPaper(paper)) {
        d->paper = *size;
        d->applyPageLayout();
    }
}

void QtPrintSurface::setOrientation(int orientation)
{
    d->orientation = orientation == OrientationLandscape ? QPageLayout::Landscape
                                                         : QPageLayout::Portrait;
    d->applyPageLayout();
}

void QtPrintSurface::setFontName(const QString &name)
{
    if (name == d->font.name)
        return;
    d->font.name = name;
    d->fontChanged();
}

QString QtPrintSurface::fontName() const
{
    return d->font.name;
}

void QtPrintSurface::setFontSize(double points)
{
    if (!std::isfinite(points) || points <= 0)
        throw PrintFailure("invalid font size");
    if (points == d->font.points)
        return;
    d->font.points = points;
    d->fontChanged();
}

double QtPrintSurface::fontSize() const
{
    return d->font.points;
}

void QtPrintSurface::setFontEmphasis(bool on)
{
    if (on == d->font.bold)
        return;
    d->font.bold = on;
    d->fontChanged();
}

bool QtPrintSurface::fontEmphasis() const
{
    return d->font.bold;
}

void QtPrintSurface::setCurrentX(double x)
{
    d->setX(x);
}

void QtPrintSurface::setCurrentY(double y)
{
    d->y = y;
}

double QtPrintSurface::currentX() const
{
    return d->currentX();
}

double QtPrintSurface::currentY() const
{
    return d->y;
}

double QtPrintSurface::textWidth(const QString &text)
{
    return d->measured().advance(text) / UnitsPerMm;
}

double QtPrintSurface::textHeight(const QString &)
{
    return d->measured().lineHeight;
}

void QtPrintSurface::print(const QString &text, bool lineEnd)
{
    if (!text.isEmpty()) {
        Op op;
        op.kind = Op::Text;
        // The position is the text's top left corner; Qt draws from the baseline.
        op.from = QPointF(d->currentX() * UnitsPerMm, d->y * UnitsPerMm + d->measured().ascent);
        op.text = text;
        op.font = d->font;
        d->record(std::move(op));
    }
    if (lineEnd) {
        d->y += textHeight(text);
        d->setX(0);
    } else if (!text.isEmpty()) {
        // currentX() was just brought up to date above.
        d->pendingText = text;
        d->pendingFont = d->current;
    }
}

void QtPrintSurface::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    Op op;
    op.kind = box ? Op::Box : Op::Line;
    op.from = QPointF(x1 * UnitsPerMm, y1 * UnitsPerMm);
    op.to = QPointF(x2 * UnitsPerMm, y2 * UnitsPerMm);
    op.color = colorFromValue(color);
    d->record(std::move(op));
    d->setX(x2);
    d->y = y2;
}

void QtPrintSurface::newPage()
{
    Op op;
    op.kind = Op::PageBreak;
    d->record(std::move(op));
    d->setX(0);
    d->y = 0;
}

void QtPrintSurface::endDoc()
{
    d->finishedPages = 0;
    if (d->keep) {
        d->kept.clear();
        if (d->hasOutput())
            d->kept.swap(d->ops);
        d->finishDocument();
        return;
    }
    if (!d->hasOutput()) {
        d->finishDocument();
        return;
    }
    try {
        d->finishedPages = d->deliver();
    } catch (...) {
        d->finishDocument();
        throw;
    }
    d->finishDocument();
}

void QtPrintSurface::killDoc()
{
    d->finishedPages = 0;
    d->kept.clear();
    d->finishDocument();
}

void QtPrintSurface::setKeepDocument(bool keep)
{
    d->keep = keep;
}

bool QtPrintSurface::hasKeptDocument() const
{
    return !d->kept.empty();
}

void QtPrintSurface::paintKeptDocument()
{
    if (d->kept.empty())
        return;
    d->withKept([this] { return d->paintOps(); });
}

int QtPrintSurface::printKeptDocument()
{
    d->finishedPages = 0;
    if (d->kept.empty())
        return 0;
    d->finishedPages = d->withKept([this] { return d->deliver(); });
    return d->finishedPages;
}

} // namespace sorario
