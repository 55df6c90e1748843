// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/DocumentSurface.h"

#include <QTextCharFormat>

namespace sorario {

void DocumentSurface::print(const QString &text, bool)
{
    QTextCharFormat format;
    format.setFontFamilies({m_fontName});
    format.setFontPointSize(m_fontSize);
    format.setFontWeight(m_emphasis ? QFont::Bold : QFont::Normal);
    m_cursor.insertText(text, format);
}

} // namespace sorario
