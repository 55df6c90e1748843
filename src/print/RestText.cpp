// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RestText.h"

namespace sorario {
namespace {
const QString Indent = QStringLiteral("　 ");
}

QChar RestText::at(qsizetype i) const
{
    return i < m_head.size() ? m_head[i] : m_text[m_pos + (i - m_head.size())];
}

QString RestText::left(qsizetype n) const
{
    if (n <= m_head.size())
        return m_head.left(n);
    QString out;
    out.reserve(n);
    out.append(m_head);
    out.append(QStringView(m_text).mid(m_pos, n - m_head.size()));
    return out;
}

bool RestText::startsWithIndent() const
{
    return size() >= 2 && at(0) == Indent[0] && at(1) == Indent[1];
}

qsizetype RestText::nextInText(QStringView what, qsizetype &cache) const
{
    if (cache < m_pos) {
        const qsizetype found = m_text.indexOf(what, m_pos);
        cache = found < 0 ? m_text.size() : found;
    }
    return cache;
}

qsizetype RestText::nextMarker(Marker &kind)
{
    const qsizetype br = nextInText(u"\r\n", m_nextBreak);
    const qsizetype at = nextInText(u"@", m_nextAt);
    const qsizetype first = std::min(br, at);
    if (first >= m_text.size()) {
        kind = Marker::None;
        return size();
    }
    kind = first == br ? Marker::LineBreak : Marker::Emphasis;
    return m_head.size() + (first - m_pos);
}

void RestText::dropFront(qsizetype n)
{
    if (n <= m_head.size()) {
        m_head.remove(0, n);
    } else {
        m_pos += n - m_head.size();
        m_head.clear();
    }
}

void RestText::indentFrom(qsizetype n)
{
    dropFront(n);
    m_head.prepend(Indent);
}

} // namespace sorario
