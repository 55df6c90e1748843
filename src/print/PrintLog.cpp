// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintLog.h"

namespace sorario {

void PrintLog::text(
    double x, double y, const QString &font, double size, bool emphasis, const QString &text, bool lineEnd)
{
    PrintOperation op;
    op.kind = PrintOperation::Kind::Text;
    op.page = m_page;
    op.x = x;
    op.y = y;
    op.font = font;
    op.size = size;
    op.emphasis = emphasis;
    op.text = text;
    op.lineEnd = lineEnd;
    m_ops.append(op);
}

void PrintLog::line(double x1, double y1, double x2, double y2, bool box, int color)
{
    PrintOperation op;
    op.kind = PrintOperation::Kind::Line;
    op.page = m_page;
    op.x1 = x1;
    op.y1 = y1;
    op.x2 = x2;
    op.y2 = y2;
    op.box = box;
    op.color = color;
    m_ops.append(op);
}

void PrintLog::newPage()
{
    PrintOperation op;
    op.kind = PrintOperation::Kind::NewPage;
    m_ops.append(op);
    ++m_page;
}

void PrintLog::endDoc()
{
    PrintOperation op;
    op.kind = PrintOperation::Kind::EndDoc;
    m_ops.append(op);
    m_ended = true;
}

void PrintLog::killDoc()
{
    PrintOperation op;
    op.kind = PrintOperation::Kind::KillDoc;
    m_ops.append(op);
    m_killed = true;
}

QList<PrintOperation> PrintLog::texts(int page) const
{
    QList<PrintOperation> out;
    for (const PrintOperation &op : m_ops)
        if (op.kind == PrintOperation::Kind::Text && (page == 0 || op.page == page))
            out.append(op);
    return out;
}

} // namespace sorario
