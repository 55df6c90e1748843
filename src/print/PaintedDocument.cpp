// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PaintedDocument.h"

#include "print/FontSubstitution.h"
#include "print/PaperPlacing.h"
#include "print/PrintSurface.h"

#include <QFontInfo>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QPrinter>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace sorario {
namespace {

constexpr double UnitsPerInch = 2540.0;
constexpr double PointsPerInch = 72.0;
constexpr double MmPerInch = 25.4;
// Fine enough to look drawn with a pen, heavy enough to survive a 300 dpi printer.
constexpr double RuleWidthMm = 0.25;
// Bounded: a long run would otherwise keep every prefix it ever measured.
constexpr qsizetype MaxKeptAdvances = 20000;
constexpr std::size_t MaxKeptFonts = 64;
// Qt keeps a glyph's metrics only while its advance stays under 128 pixels; this
// leaves room for glyphs wider than the em and for emboldening.
constexpr int PaintPixels = 100;

// Qt turns points into pixels with the device's resolution before the painter's
// scale applies; dividing by that scale gives the true size on paper.
QFont fontFor(const FontSpec &wanted, int resolution)
{
    QFont font(wanted.bold ? emphasisFace(wanted.name) : wanted.name);
    font.setPointSizeF(wanted.points * UnitsPerInch / resolution);
    font.setBold(wanted.bold);
    // Widths as the font designs them, the same on every printer and in the PDF.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    // Japanese and English need no shaping to be read; shaping every text cost
    // more than all else in printing.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return font;
}

// The line height, as printers report it for text of one line.
double lineHeightMm(const FontSpec &wanted, const QFontMetricsF &metrics)
{
    if (const auto em = originalLineHeightEm(wanted.name))
        return wanted.points * *em * MmPerInch / PointsPerInch;
    return metrics.height() / UnitsPerMm;
}

// Qt rounds the pixel size of a font to a whole number; the glyphs on paper keep
// that size when drawn at PaintPixels and scaled.
int pixelSizeOn(const QFont &font, QPaintDevice *device)
{
    return QFontInfo(QFont(font, device)).pixelSize();
}

QFont paintFontFor(const QFont &font, int pixels)
{
    QFont small(font);
    small.setPixelSize(std::min(pixels, PaintPixels));
    return small;
}

double paintScaleFor(int pixels)
{
    return pixels > PaintPixels ? double(pixels) / PaintPixels : 1.0;
}

} // namespace

QColor ColorFromValue(int value)
{
    if (value < 0)
        return Qt::black;
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

MeasuredFont::MeasuredFont(const FontSpec &wanted, int resolution, QPaintDevice *device)
    : m_wanted(wanted)
    , m_resolution(resolution)
    , m_font(fontFor(wanted, resolution))
    , m_ascent(QFontMetricsF(m_font, device).ascent())
    , m_lineHeight(lineHeightMm(wanted, QFontMetricsF(m_font, device)))
    , m_paintFont(paintFontFor(m_font, pixelSizeOn(m_font, device)))
    , m_paintScale(paintScaleFor(pixelSizeOn(m_font, device)))
    , m_metrics(m_font, device)
    , m_raw(QRawFont::fromFont(QFont(m_font, device)))
    , m_paintRaw(QRawFont::fromFont(QFont(m_paintFont, device)))
{
}

qreal MeasuredFont::advance(const QString &text)
{
    if (const auto known = m_advances.constFind(text); known != m_advances.cend())
        return *known;
    if (m_advances.size() >= MaxKeptAdvances)
        m_advances.clear();
    const std::optional<qreal> summed = summedAdvance(text);
    const qreal width = summed ? *summed : m_metrics.horizontalAdvance(text);
    m_advances.insert(text, width);
    return width;
}

std::optional<qreal> MeasuredFont::summedAdvance(const QString &text)
{
    qreal sum = 0;
    for (const QChar c : text) {
        const Glyph &g = glyph(c);
        if (g.index == 0)
            return std::nullopt;
        sum += g.advance;
    }
    return sum;
}

std::optional<QGlyphRun> MeasuredFont::glyphRun(const QString &text)
{
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(text.size());
    positions.reserve(text.size());
    qreal x = 0;
    for (const QChar c : text) {
        const Glyph &g = glyph(c);
        if (g.index == 0)
            return std::nullopt;
        indexes.append(g.index);
        positions.append(QPointF(x / m_paintScale, 0));
        x += g.advance;
    }
    QGlyphRun run;
    run.setRawFont(m_paintRaw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return run;
}

// Only a character the font holds and prints on its own, with no mark to join it,
// and the same glyph at both sizes.
const MeasuredFont::Glyph &MeasuredFont::glyph(QChar c)
{
    if (const auto known = m_glyphs.constFind(c.unicode()); known != m_glyphs.cend())
        return *known;
    Glyph g;
    if (!c.isSurrogate() && c.isPrint() && !c.isMark() && m_raw.isValid() && m_paintRaw.isValid()) {
        const QList<quint32> indexes = m_raw.glyphIndexesForString(QString(c));
        if (indexes.size() == 1 && indexes.front() != 0
            && m_paintRaw.glyphIndexesForString(QString(c)) == indexes) {
            g.index = indexes.front();
            g.advance = m_raw.advancesForGlyphIndexes(indexes, QRawFont::UseDesignMetrics).value(0).x();
        }
    }
    return *m_glyphs.insert(c.unicode(), g);
}

int FontCache::resolution() const
{
    return m_printer.resolution();
}

std::shared_ptr<MeasuredFont> FontCache::font(const FontSpec &wanted)
{
    const int resolution = m_printer.resolution();
    for (const auto &kept : m_fonts) {
        if (kept->m_resolution == resolution && kept->m_wanted == wanted)
            return kept;
    }
    if (m_fonts.size() >= MaxKeptFonts)
        m_fonts.clear(); // a pending width keeps its own font alive
    m_fonts.push_back(std::make_shared<MeasuredFont>(wanted, resolution, &m_printer));
    return m_fonts.back();
}

void DisplayList::text(QPointF baseline, const QString &text, const FontSpec &font)
{
    Op op;
    op.kind = Op::Text;
    op.from = baseline;
    op.text = text;
    op.font = font;
    m_ops.push_back(std::move(op));
}

void DisplayList::line(QPointF from, QPointF to, const QColor &color, bool box)
{
    Op op;
    op.kind = box ? Op::Box : Op::Line;
    op.from = from;
    op.to = to;
    op.color = color;
    m_ops.push_back(std::move(op));
}

void DisplayList::pageBreak()
{
    Op op;
    op.kind = Op::PageBreak;
    m_ops.push_back(std::move(op));
}

bool DisplayList::hasOutput() const
{
    for (const Op &op : m_ops) {
        if (op.kind != Op::PageBreak)
            return true;
    }
    return false;
}

int DisplayList::paint(QPagedPaintDevice &device, FontCache &fonts, Paper paper) const
{
    // A PDF writer has no driver to stop or to ask how the document went.
    auto *const printer = dynamic_cast<QPrinter *>(&device);
    QPainter painter;
    if (!painter.begin(&device))
        throw PrintFailure(PrintFailureKind::DocumentRefused);
    const int resolution = fonts.resolution();
    const double scale = resolution / UnitsPerInch;
    const PaperSheet sheet = PaperSheetFor(paper);
    int pages = 1;
    QTransform place;
    double placedScale = 1; // of the painter's transform against `place`
    const auto placePage = [&] {
        place = QTransform();
        place.scale(scale, scale);
        place.translate(sheet.pageStep * UnitsPerMm * ((pages - 1) % sheet.pagesPerSheet), 0);
        place.scale(sheet.scale, sheet.scale);
        painter.setTransform(place);
        placedScale = 1;
    };
    double placedSqueeze = 1;
    // `squeeze` narrows a text about its start `from` (painter units).
    const auto scaleBy = [&](double factor, double squeeze = 1, QPointF from = {}) {
        if (factor == placedScale && squeeze == 1 && placedSqueeze == 1)
            return;
        const QTransform narrow = QTransform::fromTranslate(-from.x(), 0) * QTransform::fromScale(squeeze, 1)
            * QTransform::fromTranslate(from.x(), 0);
        painter.setTransform(QTransform::fromScale(factor, factor) * narrow * place);
        placedScale = factor;
        placedSqueeze = squeeze;
    };
    placePage();
    painter.setBrush(Qt::NoBrush);
    // A preview records a glyph run as outlines, far slower to record and show
    // than text.
    const bool glyphRuns = painter.paintEngine()->type() == QPaintEngine::Pdf;
    const QFont *fontSet = nullptr; // the painter's, one of painterFont's
    const auto useFont = [&](const QFont &font) {
        if (fontSet != &font)
            painter.setFont(font);
        fontSet = &font;
    };

    int pendingBreaks = 0;
    QPointF emphasisEnd(0, -1); // the baseline end of the last text, when emphasised
    std::shared_ptr<MeasuredFont> painterFont;
    for (const Op &op : m_ops) {
        if (op.kind == Op::PageBreak) {
            ++pendingBreaks;
            continue;
        }
        // A page is only started by output on it: a break before endDoc adds
        // no empty last page.
        if (pendingBreaks > 0) {
            for (; pendingBreaks > 0; --pendingBreaks) {
                ++pages;
                if ((pages - 1) % sheet.pagesPerSheet != 0)
                    continue; // the page stands beside the one before, on the same sheet
                if (!device.newPage()) {
                    if (printer)
                        printer->abort(); // where the driver can, it then prints nothing
                    painter.end();
                    throw PrintFailure(PrintFailureKind::PageRefused);
                }
            }
            placePage();
        }
        if (op.kind == Op::Text) {
            if (!painterFont || !(painterFont->m_wanted == op.font)
                || painterFont->m_resolution != resolution) {
                painterFont = fonts.font(op.font);
                fontSet = nullptr;
            }
            painter.setPen(Qt::black);
            const double textScale = painterFont->m_paintScale;
            // Emphasis is measured and placed as plain text; the bold face keeps to that room
            // and baseline, so the blanks around it are those of the text around it.
            // The text after emphasis starts at a whole millimetre: where it is that
            // close, it goes on right where the emphasis ends.
            QPointF from = op.from;
            if (from.y() == emphasisEnd.y() && std::abs(from.x() - emphasisEnd.x()) <= UnitsPerMm / 2 + 1e-6)
                from.rx() = emphasisEnd.x();
            emphasisEnd = QPointF(0, -1);
            double squeeze = 1;
            if (const qreal boldWidth = op.font.bold ? painterFont->advance(op.text) : 0; boldWidth > 0) {
                const std::shared_ptr<MeasuredFont> plain = fonts.font({op.font.name, op.font.points, false});
                squeeze = plain->advance(op.text) / boldWidth;
                emphasisEnd = from + QPointF(plain->advance(op.text), 0);
            }
            if (const std::optional<QGlyphRun> run
                = glyphRuns ? painterFont->glyphRun(op.text) : std::nullopt) {
                // Laid out once, when measured.
                scaleBy(textScale, squeeze, from);
                painter.drawGlyphRun(from / textScale, *run);
            } else if (glyphRuns) {
                // What the sum of widths cannot place, Qt lays out at the size measured.
                scaleBy(1, squeeze, from);
                useFont(painterFont->m_font);
                painter.drawText(from, op.text);
            } else {
                scaleBy(textScale, squeeze, from);
                useFont(painterFont->m_paintFont);
                painter.drawText(from / textScale, op.text);
            }
            continue;
        }
        scaleBy(1);
        painter.setPen(QPen(op.color, RuleWidthMm * UnitsPerMm, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        if (op.kind == Op::Box)
            painter.drawRect(QRectF(op.from, op.to).normalized());
        else
            painter.drawLine(op.from, op.to);
    }
    if (!painter.end() || (printer && printer->printerState() == QPrinter::Error))
        throw PrintFailure(PrintFailureKind::OutputRefused);
    return pages;
}

} // namespace sorario
