// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/PrintChoices.h"

#include <QList>
#include <QString>

namespace sorario {

// One operation a print surface carried out, as the surface received it.
struct PrintOperation
{
    enum class Kind { Text, Line, NewPage, EndDoc, KillDoc };

    Kind kind = Kind::Text;
    int page = 0; // from 1; 0 for newPage, endDoc and killDoc

    // Text
    double x = 0;
    double y = 0;
    QString font;
    double size = 0;
    bool emphasis = false;
    QString text;
    bool lineEnd = false;

    // Line or box outline
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
    bool box = false;
    int color = 0;
};

// The operations of one document, in the order made, with the page they fell on.
class PrintLog
{
public:
    void text(double x, double y, const QString &font, double size, bool emphasis, const QString &text,
        bool lineEnd);
    void line(double x1, double y1, double x2, double y2, bool box, int color);
    void newPage();
    void endDoc();
    void killDoc();

    // The document's title: not an operation, but what a replay names its document.
    void setDocumentName(const QString &title) { m_documentName = title; }
    const QString &documentName() const { return m_documentName; }
    void setPaper(Paper paper) { m_paper = paper; }
    Paper paper() const { return m_paper; }

    const QList<PrintOperation> &operations() const { return m_ops; }
    bool ended() const { return m_ended; }
    bool killed() const { return m_killed; }
    // Pages of the finished document; 0 unless it was ended (and not discarded).
    int pagesDelivered() const { return m_ended && !m_killed ? m_page : 0; }

    // Only the texts, optionally of one page.
    QList<PrintOperation> texts(int page = 0) const;

private:
    QList<PrintOperation> m_ops;
    QString m_documentName;
    Paper m_paper = Paper::B5;
    int m_page = 1;
    bool m_ended = false;
    bool m_killed = false;
};

} // namespace sorario
