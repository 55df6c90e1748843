// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintLog.h"
#include "print/PrintSurface.h"

namespace sorario {

// Passes everything to another surface and logs what that surface received, so
// that a run on real fonts can be traced as well as one on fixed metrics.
class TracingSurface : public PrintSurface
{
public:
    explicit TracingSurface(PrintSurface &inner)
        : m_inner(inner)
        , m_font(inner.fontName())
        , m_size(inner.fontSize())
        , m_emphasis(inner.fontEmphasis())
        , m_x(inner.currentX())
        , m_y(inner.currentY())
    {
    }

    const PrintLog &log() const { return m_log; }
    PrintSurface &inner() { return m_inner; }

    void setScaleMode(ScaleMode mode) override { m_inner.setScaleMode(mode); }
    void setPaperSize(PaperSize paper) override { m_inner.setPaperSize(paper); }
    void setOrientation(Orientation orientation) override { m_inner.setOrientation(orientation); }
    void setDocumentName(const QString &title) override
    {
        m_log.setDocumentName(title);
        m_inner.setDocumentName(title);
    }
    void setPaperPlacing(Paper paper) override
    {
        m_log.setPaper(paper);
        m_inner.setPaperPlacing(paper);
    }
    void setFontName(const QString &name) override;
    QString fontName() const override { return m_inner.fontName(); }
    void setFontSize(double points) override;
    double fontSize() const override { return m_inner.fontSize(); }
    void setFontEmphasis(bool on) override;
    bool fontEmphasis() const override { return m_inner.fontEmphasis(); }
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override { return m_inner.currentX(); }
    double currentY() const override { return m_inner.currentY(); }
    double textWidth(const QString &text) override { return m_inner.textWidth(text); }
    double textHeight(const QString &text) override { return m_inner.textHeight(text); }
    qsizetype findWidthBreak(QStringView text, double room) override
    {
        return m_inner.findWidthBreak(text, room);
    }
    void print(const QString &text, bool lineEnd) override;
    void line(double x1, double y1, double x2, double y2, bool box, int color) override;
    void newPage() override;
    void endDoc() override;
    void killDoc() override;

private:
    PrintSurface &m_inner;
    PrintLog m_log;
    // The values as this side set them; positions follow the inner surface
    // after each output, since only it knows how far a text moved them.
    QString m_font;
    double m_size = 0;
    bool m_emphasis = false;
    double m_x = 0;
    double m_y = 0;
};

} // namespace sorario
