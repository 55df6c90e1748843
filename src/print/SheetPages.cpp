// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/SheetPages.h"

#include "print/PaperPlacing.h"
#include "print/PrintReplay.h"

namespace sorario {
namespace {

// Blank pages that bring `pages` up to a multiple of `multiple`.
int padding(int pages, int multiple)
{
    return multiple > 1 ? (multiple - pages % multiple) % multiple : 0;
}

} // namespace

PageOrder PageOrderFor(const SheetOptions &options, int sheets)
{
    PageOrder order;
    const int perPaper = PaperSheetFor(options.paper).pagesPerSheet;
    // Two-up paper would put a pupil's answers beside the questions.
    order.answersApart = options.AttachAnswers == 1
        && (perPaper > 1 || (options.answerPages == AnswerPlace::AllLast && sheets > 1));
    order.unitPages = options.duplex == DuplexPadding::BlankAfterOdd ? 2 : 1;
    order.blockPages = perPaper;
    return order;
}

void SheetPages::startSheet()
{
    m_keeping = false;
    startUnit(1);
}

void SheetPages::startAnswers()
{
    if (!m_order.answersApart) {
        newPage();
        return;
    }
    m_keeping = true;
    m_kept.append(PrintLog());
    m_x = 0;
    m_y = 0;
}

void SheetPages::finish()
{
    m_keeping = false;
    for (qsizetype k = 0; k < m_kept.size(); ++k) {
        startUnit(k == 0 ? m_order.blockPages : 1);
        ReplayDrawing(m_kept[k], *this);
    }
    m_kept.clear();
}

void SheetPages::startUnit(int blockPages)
{
    if (!m_begun) {
        m_begun = true;
        return;
    }
    int last = m_page + padding(m_unitPages, m_order.unitPages);
    last += padding(last, blockPages);
    while (m_page <= last) {
        m_inner.newPage();
        ++m_page;
    }
    m_unitPages = 1;
}

void SheetPages::setCurrentX(double x)
{
    if (m_keeping)
        m_x = x;
    else
        m_inner.setCurrentX(x);
}

void SheetPages::setCurrentY(double y)
{
    if (m_keeping)
        m_y = y;
    else
        m_inner.setCurrentY(y);
}

void SheetPages::print(const QString &text, bool lineEnd)
{
    if (!m_keeping) {
        m_inner.print(text, lineEnd);
        return;
    }
    // As the surface itself moves on after a text.
    m_kept.last().text(m_x, m_y, fontName(), fontSize(), fontEmphasis(), text, lineEnd);
    if (lineEnd) {
        m_y += textHeight(text);
        m_x = 0;
    } else {
        m_x += textWidth(text);
    }
}

void SheetPages::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    if (!m_keeping) {
        m_inner.line(x1, y1, x2, y2, box, color);
        return;
    }
    m_kept.last().line(x1, y1, x2, y2, box, color);
    m_x = x2;
    m_y = y2;
}

void SheetPages::newPage()
{
    if (!m_keeping) {
        m_inner.newPage();
        ++m_page;
        ++m_unitPages;
        return;
    }
    m_kept.last().newPage();
    m_x = 0;
    m_y = 0;
}

} // namespace sorario
