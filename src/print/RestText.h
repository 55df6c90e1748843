// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace sorario {

// What is still to be placed of a composed text. Placing only ever cuts off the
// front, or cuts it off and puts the continuation indent "　 " in front; this
// keeps the composed text whole and walks an offset through it, writing the
// indent over the two characters just placed, so a test of a thousand questions
// is not copied again for every line and the rest is always one piece.
class RestText
{
public:
    enum class Marker { None, LineBreak, Emphasis };

    explicit RestText(QString text)
        : m_text(std::move(text))
    {
    }

    bool isEmpty() const { return size() == 0; }
    qsizetype size() const { return m_text.size() - m_pos; }
    QChar at(qsizetype i) const { return m_text[m_pos + i]; }
    QStringView view(qsizetype n) const { return QStringView(m_text).mid(m_pos, n); }
    QString left(qsizetype n) const { return view(n).toString(); }
    QString toString() const { return left(size()); }
    bool startsWithIndent() const;

    // The first CR LF or "@": its index, or size() with Marker::None.
    qsizetype nextMarker(Marker &kind);

    void dropFront(qsizetype n); // rest = rest from n
    void indentFrom(qsizetype n); // rest = "　 " + rest from n

private:
    qsizetype nextInText(QStringView what, qsizetype &cache) const;

    QString m_text;
    qsizetype m_pos = 0;
    qsizetype m_nextBreak = -1; // cached positions in m_text, valid while >= m_pos
    qsizetype m_nextAt = -1;
};

} // namespace sorario
