// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/DocumentSurface.h"

namespace sorario {

QTextCharFormat documentTextFormat(const QString &font, double size)
{
    QTextCharFormat format;
    format.setFontFamilies({font});
    // The document writer names only the single-family property; without it every
    // face in the file is "Sans".
    format.setProperty(QTextFormat::OldFontFamily, font);
    format.setFontPointSize(size);
    return format;
}

void DocumentSurface::print(const QString &text, bool)
{
    QTextCharFormat format = documentTextFormat(m_fontName, m_fontSize);
    format.setFontWeight(m_emphasis ? QFont::Bold : QFont::Normal);
    m_cursor.insertText(text, format);
}

} // namespace sorario
