// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintSurface.h"

#include <QTextCharFormat>
#include <QTextCursor>

namespace sorario {

// Text in `font` at `size` points, with the face named in the written file too.
QTextCharFormat documentTextFormat(const QString &font, double size);

// A print surface that writes into a text document at the cursor given: what the layout
// prints goes in as text, bold where the layout sets emphasis. It measures every
// text as nothing wide, so the layout never breaks a line for width: in a
// document the word processor wraps. Positions, lines and pages are not kept.
class DocumentSurface : public PrintSurface
{
public:
    explicit DocumentSurface(QTextCursor &cursor)
        : m_cursor(cursor)
    {
    }

    void setScaleMode(ScaleMode) override { }
    void setPaperSize(PaperSize) override { }
    void setOrientation(Orientation) override { }
    void setFontName(const QString &name) override { m_fontName = name; }
    QString fontName() const override { return m_fontName; }
    void setFontSize(double points) override { m_fontSize = points; }
    double fontSize() const override { return m_fontSize; }
    void setFontEmphasis(bool on) override { m_emphasis = on; }
    bool fontEmphasis() const override { return m_emphasis; }
    void setCurrentX(double x) override { m_x = x; }
    void setCurrentY(double y) override { m_y = y; }
    double currentX() const override { return m_x; }
    double currentY() const override { return m_y; }
    double textWidth(const QString &) override { return 0; }
    double textHeight(const QString &) override { return 0; }
    void print(const QString &text, bool lineEnd) override;
    void line(double, double, double, double, bool, int) override { }
    void newPage() override { }
    void endDoc() override { }
    void killDoc() override { }

private:
    QTextCursor &m_cursor;
    QString m_fontName;
    double m_fontSize = 0;
    bool m_emphasis = false;
    double m_x = 0;
    double m_y = 0;
};

} // namespace sorario
