// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/XmlScan.h"

#include <QByteArray>
#include <QHash>

namespace sorario {
namespace {

constexpr int MaxAttributes = 64;
constexpr int MaxEntityNesting = 16;

bool isNameByte(char c)
{
    return c == '_' || c == ':' || c == '-' || c == '.' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')
        || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
}

class Scanner
{
public:
    Scanner(QByteArrayView bytes, qint64 maxCharacters)
        : m_bytes(bytes)
        , m_max(maxCharacters)
    {
    }

    std::optional<XmlScanRefusal> run()
    {
        while (!m_refusal && m_at < m_bytes.size()) {
            const char c = m_bytes[m_at];
            const char next = m_at + 1 < m_bytes.size() ? m_bytes[m_at + 1] : '\0';
            if (c != '<' && c != '&')
                advance();
            else if (c == '&')
                readReference();
            else if (next != '!' && next != '?')
                readTag();
            else if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<![CDATA["))
                skipPast("]]>");
            else if (startsWith("<?"))
                skipPast("?>");
            else if (startsWith("<!DOCTYPE"))
                readDoctype();
            else
                readTag();
        }
        return m_refusal;
    }

private:
    QByteArrayView m_bytes;
    qint64 m_max;
    qsizetype m_at = 0;
    int m_line = 1;
    qint64 m_expanded = 0;
    QHash<QByteArray, QByteArray> m_entities;
    QHash<QByteArray, qint64> m_lengths;
    std::optional<XmlScanRefusal> m_refusal;

    bool startsWith(const char *what) const { return m_bytes.sliced(m_at).startsWith(what); }

    void advance()
    {
        if (m_bytes[m_at] == '\n')
            ++m_line;
        ++m_at;
    }

    void skipPast(QByteArrayView end)
    {
        const qsizetype found = m_bytes.indexOf(end, m_at);
        const qsizetype stop = found < 0 ? m_bytes.size() : found + end.size();
        m_line += int(m_bytes.sliced(m_at, stop - m_at).count('\n'));
        m_at = stop;
    }

    void refuse(OnlineFault fault) { m_refusal = XmlScanRefusal {fault, m_line}; }

    // A quoted value at m_at, the reader after its closing quote.
    QByteArrayView quoted()
    {
        const char quote = m_bytes[m_at];
        advance();
        const qsizetype start = m_at;
        while (m_at < m_bytes.size() && m_bytes[m_at] != quote)
            advance();
        const QByteArrayView value = m_bytes.sliced(start, m_at - start);
        if (m_at < m_bytes.size())
            advance();
        return value;
    }

    void readTag()
    {
        int attributes = 0;
        advance();
        while (m_at < m_bytes.size() && m_bytes[m_at] != '>' && !m_refusal) {
            const char c = m_bytes[m_at];
            if (c == '"' || c == '\'') {
                const QByteArrayView value = quoted();
                for (qsizetype i = value.indexOf('&'); i >= 0 && !m_refusal; i = value.indexOf('&', i + 1))
                    countReference(value.sliced(i));
                continue;
            }
            if (c == '=' && ++attributes > MaxAttributes)
                refuse(OnlineFault::NotWellFormed);
            advance();
        }
    }

    void readDoctype()
    {
        while (m_at < m_bytes.size() && m_bytes[m_at] != '[' && m_bytes[m_at] != '>')
            advance();
        if (m_at >= m_bytes.size() || m_bytes[m_at] == '>')
            return;
        while (m_at < m_bytes.size() && m_bytes[m_at] != ']') {
            if (m_bytes[m_at] != '<' && m_bytes[m_at] != '"' && m_bytes[m_at] != '\'')
                advance();
            else if (startsWith("<!--"))
                skipPast("-->");
            else if (startsWith("<!ENTITY"))
                readEntity();
            else if (m_bytes[m_at] == '"' || m_bytes[m_at] == '\'')
                quoted();
            else
                advance();
        }
    }

    void readEntity()
    {
        m_at += 8;
        while (m_at < m_bytes.size() && !isNameByte(m_bytes[m_at]) && m_bytes[m_at] != '>')
            advance();
        const qsizetype start = m_at;
        while (m_at < m_bytes.size() && isNameByte(m_bytes[m_at]))
            advance();
        const QByteArray name = m_bytes.sliced(start, m_at - start).toByteArray();
        while (m_at < m_bytes.size() && m_bytes[m_at] != '"' && m_bytes[m_at] != '\'' && m_bytes[m_at] != '>')
            advance();
        if (m_at < m_bytes.size() && m_bytes[m_at] != '>')
            m_entities.insert(name, quoted().toByteArray());
    }

    // The characters an entity stands for once every reference in it is expanded.
    qint64 entityLength(const QByteArray &name, int nesting)
    {
        if (const auto known = m_lengths.constFind(name); known != m_lengths.cend())
            return *known;
        const auto entity = m_entities.constFind(name);
        if (entity == m_entities.cend() || nesting > MaxEntityNesting)
            return 1;
        qint64 length = 0;
        for (qsizetype i = 0; i < entity->size() && length <= m_max; ++i) {
            const qsizetype end = (*entity)[i] == '&' ? entity->indexOf(';', i) : -1;
            if (end > i + 1 && (*entity)[i + 1] != '#') {
                length += entityLength(entity->sliced(i + 1, end - i - 1), nesting + 1);
                i = end;
            } else {
                ++length;
            }
        }
        m_lengths.insert(name, length);
        return length;
    }

    void countReference(QByteArrayView text)
    {
        qsizetype end = 1;
        while (end < text.size() && end < 64 && (isNameByte(text[end]) || text[end] == '#'))
            ++end;
        if (end >= text.size() || text[end] != ';')
            return;
        const QByteArrayView name = text.sliced(1, end - 1);
        if (name.startsWith('#')) {
            bool ok = false;
            const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
            const uint code = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
            if (ok && code < 0x20 && code != '\t' && code != '\n' && code != '\r')
                refuse(OnlineFault::ControlCharacter);
            return;
        }
        m_expanded += entityLength(name.toByteArray(), 0);
        if (m_expanded > m_max)
            refuse(OnlineFault::TooLarge);
    }

    void readReference()
    {
        countReference(m_bytes.sliced(m_at, std::min<qsizetype>(m_bytes.size() - m_at, 64)));
        advance();
    }
};

} // namespace

std::optional<XmlScanRefusal> scanXml(QByteArrayView bytes, qint64 maxCharacters)
{
    // UTF-16: its markup is the bytes left once the zero bytes are taken away.
    if (bytes.first(std::min<qsizetype>(bytes.size(), 4)).contains('\0')) {
        QByteArray narrow = bytes.toByteArray();
        narrow.removeIf([](char c) { return c == '\0'; });
        return Scanner(narrow, maxCharacters).run();
    }
    return Scanner(bytes, maxCharacters).run();
}

} // namespace sorario
