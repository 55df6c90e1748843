// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintLog.h"
#include "print/PrintSurface.h"

namespace sorario {

// A surface without paper: fixed metrics (FixedMetrics.h) and a log of every
// operation, so that layouts can be checked to the exact millimetre.
class RecordingSurface : public PrintSurface
{
public:
    const PrintLog &log() const { return m_log; }

    // Makes the n-th logged operation (1-based) fail instead, as a printer
    // error would; 0 never fails.
    void failAtOperation(int n) { m_failAt = n; }

    void setScaleMode(ScaleMode) override { }
    void setPaperSize(PaperSize) override { }
    void setOrientation(Orientation) override { }
    void setDocumentName(const QString &title) override { m_log.setDocumentName(title); }
    void setPaperPlacing(Paper paper) override { m_log.setPaper(paper); }
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
    double textWidth(const QString &text) override;
    double textHeight(const QString &text) override;
    qsizetype findWidthBreak(QStringView text, double room) override;
    void print(const QString &text, bool lineEnd) override;
    void line(double x1, double y1, double x2, double y2, bool box, int color) override;
    void newPage() override;
    void endDoc() override;
    void killDoc() override;

private:
    void mayFail();

    PrintLog m_log;
    int m_failAt = 0;
    int m_opCount = 0;
    QString m_fontName;
    double m_fontSize = 0;
    bool m_emphasis = false;
    double m_x = 0;
    double m_y = 0;
};

} // namespace sorario
