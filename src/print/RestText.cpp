// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/RestText.h"

namespace sorario {
namespace {
const QString Indent = QStringLiteral("　 ");
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
    return first - m_pos;
}

void RestText::dropFront(qsizetype n)
{
    m_pos += n;
}

void RestText::indentFrom(qsizetype n)
{
    const qsizetype from = m_pos + n;
    if (from >= Indent.size()) {
        m_text.replace(from - Indent.size(), Indent.size(), Indent);
        m_pos = from - Indent.size();
        // A marker found among the overwritten characters is gone.
        for (qsizetype *cache : {&m_nextBreak, &m_nextAt})
            if (*cache < from)
                *cache = -1;
    } else {
        // Only at the very start: the text moves, and the markers with it.
        m_text.replace(0, from, Indent);
        m_pos = 0;
        m_nextBreak = -1;
        m_nextAt = -1;
    }
}

} // namespace sorario
