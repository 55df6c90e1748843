// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/EncodedLines.h"

#include "platform/Cp932.h"
#include "shared/Module1.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

namespace sorario {
namespace {

struct Symbol
{
    char16_t symbol;
    const char16_t *digits;
};

// In the order the replacements are applied.
constexpr std::array<Symbol, 16> SymbolTable = {{
    {u'\u3000', u"A"},
    {u':', u"B"},
    {u'\u25C7', u"C"},
    {u'\u30FB', u"D"},
    {u'\u25A0', u"E"},
    {u'?', u"F"},
    {u'~', u"006"},
    {u'^', u"007"},
    {u'/', u"004"},
    {u'\\', u"005"},
    {u'+', u"816"},
    {u'-', u"002"},
    {u' ', u"0"},
    {u'*', u"82"},
    {u'\uFF71', u"814"},
    {u']', u"83"},
}};

// No expansion contains a symbol, so a later replacement never sees the output
// of an earlier one: mapping each character on its own gives the same result as
// the sixteen replacements in turn.
const char16_t *expansionOf(char16_t c)
{
    for (const Symbol &s : SymbolTable)
        if (s.symbol == c)
            return s.digits;
    return nullptr;
}

constexpr int MaxFaultsKept = 3;

int hexDigitValue(char16_t d)
{
    if (d >= u'0' && d <= u'9')
        return d - u'0';
    if (d >= u'A' && d <= u'F')
        return d - u'A' + 10;
    if (d >= u'a' && d <= u'f')
        return d - u'a' + 10;
    return -1;
}

// Collects digits four at a time into code-page characters.
class GroupReader
{
public:
    explicit GroupReader(DecodedPayload &out, QString &text)
        : m_out(out)
        , m_text(text)
    {
    }

    void push(char16_t digit, qsizetype offset)
    {
        if (m_count == 0)
            m_offset = offset;
        m_digits[m_count++] = digit;
        if (m_count == 4)
            flush();
    }

    // A last group of three digits counts; one or two are dropped.
    void finish()
    {
        if (m_count == 3)
            flush();
    }

private:
    void flush()
    {
        ++m_group;
        unsigned value = 0;
        bool hex = true;
        for (int i = 0; i < m_count; ++i) {
            const int v = hexDigitValue(m_digits[i]);
            hex = hex && v >= 0;
            value = (value << 4) | unsigned(std::max(v, 0));
        }
        const std::optional<QChar> c = hex ? cp932Character(value) : std::nullopt;
        if (!c && ++m_out.faultCount <= MaxFaultsKept)
            m_out.faults.append({hex ? GroupFault::Kind::NoCharacter : GroupFault::Kind::NotHexadecimal,
                m_group, m_offset, QString::fromUtf16(m_digits.data(), m_count)});
        else if (c && m_out.faultCount == 0)
            m_text.append(*c);
        m_count = 0;
    }

    DecodedPayload &m_out;
    QString &m_text;
    std::array<char16_t, 4> m_digits {};
    int m_count = 0;
    qsizetype m_offset = 0;
    int m_group = 0;
};

QString decodeDigits(QStringView payload, DecodedPayload &out)
{
    QString text;
    text.reserve(payload.size() / 3 + 1);
    GroupReader reader(out, text);
    for (qsizetype i = 0; i < payload.size(); ++i) {
        const char16_t c = payload[i].unicode();
        if (const char16_t *digits = expansionOf(c)) {
            for (const char16_t *d = digits; *d; ++d)
                reader.push(*d, i);
        } else {
            reader.push(c, i);
        }
    }
    reader.finish();
    return text;
}

void appendHex4(QString &out, unsigned code)
{
    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(QChar(Hex[(code >> shift) & 0xF]));
}

} // namespace

DecodedPayload DecodePayload(QStringView payload)
{
    DecodedPayload out;
    const QString decoded = decodeDigits(payload, out);
    if (out.faultCount > 0 || decoded.isEmpty())
        return out;
    const QStringView text(decoded);
    qsizetype pieces = 0;
    qsizetype start = 0;
    // One piece more than FileLines holds is enough to know the file is too long.
    while (pieces <= MaxFileLines + 1) {
        const qsizetype end = text.indexOf(u"\r\n", start);
        ++pieces;
        const QStringView piece = end < 0 ? text.sliced(start) : text.sliced(start, end - start);
        if (pieces <= MaxFileLines)
            out.pieces.append(piece.toString());
        if (end < 0)
            break;
        start = end + 2;
    }
    out.lineCount = int(std::min<qsizetype>(pieces - 1, MaxFileLines + 1));
    return out;
}

void DecodeEncodedLines(Module1 &m)
{
    DecodedPayload d = DecodePayload(m.EncodedText);
    m.DecodeFailed = d.faultCount > 0;
    m.DecodedLineCount = static_cast<std::int16_t>(d.lineCount);
    for (int i = 1; i <= d.pieces.size(); ++i)
        m.FileLines(i) = std::move(d.pieces[i - 1]);
}

QString EncodeText(QStringView text)
{
    QString digits;
    digits.reserve(text.size() * 4);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        std::optional<unsigned> code = cp932Code(c);
        if (!code) {
            // A character outside the code page, surrogate pair included, is one "?".
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            code = 0x3F;
        }
        appendHex4(digits, *code);
    }
    QString out;
    out.reserve(digits.size());
    const QStringView view(digits);
    for (qsizetype p = 0; p < view.size();) {
        // Only the runs of two or three digits are written as their symbols (no run is
        // the start of another, so the order of trying does not matter); single digits
        // stay as they are, as this encoder always wrote them.
        const Symbol *run = nullptr;
        for (const Symbol &s : SymbolTable) {
            const QStringView symbolDigits(s.digits);
            if (symbolDigits.size() > 1 && view.sliced(p).startsWith(symbolDigits)) {
                run = &s;
                break;
            }
        }
        out.append(run ? QChar(run->symbol) : view[p]);
        p += run ? QStringView(run->digits).size() : 1;
    }
    return out;
}

QString EncodeLines(const QStringList &lines)
{
    QString text;
    for (const QString &line : lines) {
        text.append(line);
        text.append(u"\r\n");
    }
    return EncodeText(text);
}

} // namespace sorario
