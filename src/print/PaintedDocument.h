// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/PrintChoices.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPointF>
#include <QRawFont>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

class QPagedPaintDevice;
class QPaintDevice;
class QPrinter;

namespace sorario {

struct FontSpec
{
    QString name;
    double points = 10;
    bool bold = false;

    bool operator==(const FontSpec &) const = default;
};

// Colours come as one number holding red in the low byte, then green, then blue.
QColor ColorFromValue(int value);

// Painter units are hundredths of a millimetre: Qt rounds font pixel sizes to whole
// units, which at one unit per millimetre makes 10.5 points come out 4 mm tall, and
// at a tenth still leaves widths up to 1.5 % off.
inline constexpr double UnitsPerMm = 100.0;

// A font as the printer measures it. A sheet measures a few fonts thousands of
// times, many texts more than once (a break is found by measuring prefixes; the
// piece found is printed and measured again). Building the font and shaping the
// text are what cost, so both are kept.
class MeasuredFont
{
public:
    MeasuredFont(const FontSpec &wanted, int resolution, QPaintDevice *device);

    // Painter units.
    qreal advance(const QString &text);
    // The text as glyphs of m_paintFont placed by the widths measured, from its
    // baseline start in m_paintFont's units; none when Qt has to lay it out.
    std::optional<QGlyphRun> glyphRun(const QString &text);

    const FontSpec m_wanted;
    const int m_resolution;
    const QFont m_font;
    const qreal m_ascent;
    const double m_lineHeight; // millimetres
    // The same glyphs drawn smaller and scaled up by m_paintScale: Qt keeps the
    // metrics of small glyphs only, and reloads large ones at every text.
    const QFont m_paintFont;
    const double m_paintScale;

private:
    struct Glyph
    {
        quint32 index = 0; // 0: a character the sum must not be trusted with
        qreal advance = 0;
    };
    const Glyph &glyph(QChar c);
    std::optional<qreal> summedAdvance(const QString &text);

    const QFontMetricsF m_metrics;
    // Without shaping, a text is as wide as its characters together; each is read
    // once.
    const QRawFont m_raw;
    const QRawFont m_paintRaw;
    QHash<char16_t, Glyph> m_glyphs;
    QHash<QString, qreal> m_advances;
};

// The fonts measured on one printer, kept per resolution: the print dialog may pick
// a printer of another one.
class FontCache
{
public:
    explicit FontCache(QPrinter &printer)
        : m_printer(printer)
    {
    }
    std::shared_ptr<MeasuredFont> font(const FontSpec &wanted);
    // The printer's, which every page is painted at.
    int resolution() const;

private:
    QPrinter &m_printer;
    std::vector<std::shared_ptr<MeasuredFont>> m_fonts;
};

// What a document draws, kept until it is ended so that a discarded one never
// reaches the printer. Positions in painter units.
class DisplayList
{
public:
    void text(QPointF baseline, const QString &text, const FontSpec &font);
    void line(QPointF from, QPointF to, const QColor &color, bool box);
    void pageBreak();

    bool isEmpty() const { return m_ops.empty(); }
    // Any text or line; page breaks alone print nothing.
    bool hasOutput() const;
    void clear() { m_ops.clear(); }
    void swap(DisplayList &other) { m_ops.swap(other.m_ops); }

    // Paints every page onto the sheets of `paper` on `device` (the printer or a PDF
    // writer); the number of B5 pages. Throws PrintFailure when the printer refuses a
    // document or a sheet.
    int paint(QPagedPaintDevice &device, FontCache &fonts, Paper paper) const;

private:
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
    std::vector<Op> m_ops;
};

} // namespace sorario
