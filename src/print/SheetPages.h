// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintLog.h"
#include "print/PrintSurface.h"
#include "shared/SheetOptions.h"

#include <QList>

namespace sorario {

// How the pages of one run's sheets follow each other on paper.
struct PageOrder
{
    // Every question page first, then every answer page.
    bool answersApart = false;
    // Each sheet's pages (and, apart, each answer key's) are filled up with blank
    // pages to a multiple of this.
    int unitPages = 1;
    // Answer pages kept apart start on a new sheet of paper of this many pages.
    int blockPages = 1;
};

// The order the run's choices ask for `sheets` sheets.
PageOrder PageOrderFor(const SheetOptions &options, int sheets);

// Passes a run's pages on to another surface in the order asked for. Answer pages
// kept apart are measured by that surface, recorded, and drawn after the last
// question page.
class SheetPages : public PrintSurface
{
public:
    SheetPages(PrintSurface &inner, PageOrder order)
        : m_inner(inner)
        , m_order(order)
    {
    }

    // A sheet's question pages start: on a new page, after the blanks the sheet
    // before needs.
    void startSheet();
    // The sheet's answer pages start.
    void startAnswers();
    // Draws the answer pages kept apart.
    void finish();

    void setScaleMode(ScaleMode mode) override { m_inner.setScaleMode(mode); }
    void setPaperSize(PaperSize paper) override { m_inner.setPaperSize(paper); }
    void setOrientation(Orientation orientation) override { m_inner.setOrientation(orientation); }
    void setDocumentName(const QString &title) override { m_inner.setDocumentName(title); }
    void setPaperPlacing(Paper paper) override { m_inner.setPaperPlacing(paper); }
    void setFontName(const QString &name) override { m_inner.setFontName(name); }
    QString fontName() const override { return m_inner.fontName(); }
    void setFontSize(double points) override { m_inner.setFontSize(points); }
    double fontSize() const override { return m_inner.fontSize(); }
    void setFontEmphasis(bool on) override { m_inner.setFontEmphasis(on); }
    bool fontEmphasis() const override { return m_inner.fontEmphasis(); }
    void setCurrentX(double x) override;
    void setCurrentY(double y) override;
    double currentX() const override { return m_keeping ? m_x : m_inner.currentX(); }
    double currentY() const override { return m_keeping ? m_y : m_inner.currentY(); }
    double textWidth(const QString &text) override { return m_inner.textWidth(text); }
    double textHeight(const QString &text) override { return m_inner.textHeight(text); }
    qsizetype findWidthBreak(QStringView text, double room) override
    {
        return m_inner.findWidthBreak(text, room);
    }
    void print(const QString &text, bool lineEnd) override;
    void line(double x1, double y1, double x2, double y2, bool box, int color) override;
    void newPage() override;
    void endDoc() override { m_inner.endDoc(); }
    void killDoc() override { m_inner.killDoc(); }

private:
    void startUnit(int blockPages);

    PrintSurface &m_inner;
    const PageOrder m_order;
    bool m_begun = false;
    int m_page = 1; // of the document
    int m_unitPages = 1;
    bool m_keeping = false;
    QList<PrintLog> m_kept; // one per answer key kept apart
    double m_x = 0;
    double m_y = 0;
};

} // namespace sorario
