// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/EncodedLines.h"

#include "platform/Cp932.h"
#include "shared/ProgramConstants.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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
    // Payloads are mostly ASCII digits, so those are looked up by index.
    static const auto ascii = [] {
        std::array<const char16_t *, 128> table {};
        for (const Symbol &s : SymbolTable)
            if (s.symbol < table.size())
                table[s.symbol] = s.digits;
        return table;
    }();
    if (c < ascii.size())
        return ascii[c];
    for (const Symbol &s : SymbolTable)
        if (s.symbol == c)
            return s.digits;
    return nullptr;
}

// The symbols written for runs of two or three digits; single digits stay as
// they are, as this encoder always wrote them.
struct Run
{
    QStringView digits;
    char16_t symbol;
};

// The runs by their first digit; no run is the start of another, so the order
// of trying does not matter.
const std::array<std::vector<Run>, 128> &runsByFirstDigit()
{
    static const auto runs = [] {
        std::array<std::vector<Run>, 128> out;
        for (const Symbol &s : SymbolTable) {
            const QStringView digits(s.digits);
            if (digits.size() > 1)
                out[digits.front().unicode()].push_back({digits, s.symbol});
        }
        return out;
    }();
    return runs;
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
    // `text` must have room for every group the digits can make.
    explicit GroupReader(DecodedPayload &out, char16_t *text)
        : m_out(out)
        , m_text(text)
    {
    }

    qsizetype written() const { return m_written; }

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
        else if (m_count > 0)
            m_out.dropped = {QString::fromUtf16(m_digits.data(), m_count), m_offset};
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
            m_text[m_written++] = c->unicode();
        m_count = 0;
    }

    DecodedPayload &m_out;
    char16_t *m_text;
    qsizetype m_written = 0;
    std::array<char16_t, 4> m_digits {};
    int m_count = 0;
    qsizetype m_offset = 0;
    int m_group = 0;
};

QString decodeDigits(QStringView payload, DecodedPayload &out)
{
    // A character gives at most three digits, and four digits make one character.
    QString text(payload.size() * 3 / 4 + 1, Qt::Uninitialized);
    GroupReader reader(out, reinterpret_cast<char16_t *>(text.data()));
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
    text.truncate(reader.written());
    return text;
}

char16_t *writeHex4(char16_t *out, unsigned code)
{
    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        *out++ = Hex[(code >> shift) & 0xF];
    return out;
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

QString EncodeText(QStringView text)
{
    std::u16string digits(std::size_t(text.size()) * 4, u'0');
    char16_t *d = digits.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        std::optional<unsigned> code = cp932Code(c);
        if (!code) {
            // A character outside the code page, surrogate pair included, is one "?".
            if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            code = 0x3F;
        }
        d = writeHex4(d, *code);
    }
    const QStringView view(digits.data(), d - digits.data());
    QString out(view.size(), Qt::Uninitialized);
    char16_t *o = reinterpret_cast<char16_t *>(out.data());
    const std::array<std::vector<Run>, 128> &runs = runsByFirstDigit();
    for (qsizetype p = 0; p < view.size();) {
        const Run *found = nullptr;
        for (const Run &run : runs[view[p].unicode()]) {
            if (view.sliced(p).startsWith(run.digits)) {
                found = &run;
                break;
            }
        }
        *o++ = found ? found->symbol : view[p].unicode();
        p += found ? found->digits.size() : 1;
    }
    out.truncate(o - reinterpret_cast<char16_t *>(out.data()));
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
