// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ItemReader.h"

#include <utility>

namespace sorario {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}
bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

} // namespace

ItemReader::ItemReader(QString text)
    : m_text(std::move(text))
{
}

qsizetype ItemReader::lineEnd(qsizetype from) const
{
    qsizetype i = from;
    while (i < m_text.size() && !isLineEnd(m_text[i]))
        ++i;
    return i;
}

qsizetype ItemReader::fieldEnd(qsizetype from) const
{
    qsizetype i = from;
    while (i < m_text.size() && m_text[i] != u',' && !isLineEnd(m_text[i]))
        ++i;
    return i;
}

void ItemReader::skipDelimiterAt(qsizetype at)
{
    m_pos = at;
    if (m_pos >= m_text.size())
        return;
    const QChar c = m_text[m_pos++];
    if (c == u'\r' && m_pos < m_text.size() && m_text[m_pos] == u'\n')
        ++m_pos;
}

std::optional<QString> ItemReader::readText()
{
    if (atEnd())
        return std::nullopt;
    qsizetype start = m_pos;
    while (start < m_text.size() && isBlank(m_text[start]))
        ++start;

    if (start < m_text.size() && m_text[start] == u'"') {
        // A missing closing quote ends the item at the line end: a value never
        // swallows the lines after it.
        const qsizetype eol = lineEnd(start + 1);
        qsizetype close = m_text.indexOf(u'"', start + 1);
        if (close < 0 || close > eol)
            close = eol;
        QString value = m_text.mid(start + 1, close - start - 1);
        // Whatever follows the closing quote up to the separator is not part of it.
        skipDelimiterAt(fieldEnd(close < eol ? close + 1 : eol));
        return value;
    }

    const qsizetype end = fieldEnd(start);
    QString value = m_text.mid(start, end - start);
    skipDelimiterAt(end);
    return value;
}

std::optional<std::int16_t> ItemReader::readNumber()
{
    if (atEnd())
        return std::nullopt;
    const qsizetype end = fieldEnd(m_pos);
    qsizetype first = m_pos;
    qsizetype last = end;
    skipDelimiterAt(end);

    while (first < last && isBlank(m_text[first]))
        ++first;
    while (last > first && isBlank(m_text[last - 1]))
        --last;

    bool negative = false;
    if (first < last && (m_text[first] == u'+' || m_text[first] == u'-')) {
        negative = m_text[first] == u'-';
        ++first;
    }
    if (first == last)
        return std::nullopt;

    std::int32_t value = 0;
    for (qsizetype i = first; i < last; ++i) {
        const QChar c = m_text[i];
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > 32768)
            return std::nullopt; // stops before the sum could overflow
    }
    if (negative)
        value = -value;
    if (value > 32767)
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

} // namespace sorario
