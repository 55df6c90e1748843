#include "bank/EncodedLines.h"

#include "platform/Cp932.h"
#include "shared/Module1.h"

#include <array>
#include <cstdint>

namespace sorario {
namespace {

struct Symbol
{
    char16_t symbol;
    const char16_t *digits;
};

// In the order the replacements are applied.
constexpr std::array<Symbol, 16> SymbolTable = {{
    {u'\u3000', u"A"}, {u':', u"B"},   {u'\u25C7', u"C"}, {u'\u30FB', u"D"},
    {u'\u25A0', u"E"}, {u'?', u"F"},   {u'~', u"006"},    {u'^', u"007"},
    {u'/', u"004"},    {u'\\', u"005"}, {u'+', u"816"},   {u'-', u"002"},
    {u' ', u"0"},      {u'*', u"82"},  {u'\uFF71', u"814"}, {u']', u"83"},
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

constexpr std::uint8_t NotADigit = 0xFF;

// What one payload character stands for, as digit values.
struct Nibbles
{
    std::uint8_t count = 1;
    std::array<std::uint8_t, 3> value{NotADigit, NotADigit, NotADigit};
};

Nibbles nibblesOf(char16_t c)
{
    Nibbles n;
    if (const char16_t *digits = expansionOf(c)) {
        n.count = 0;
        for (const char16_t *d = digits; *d; ++d)
            n.value[n.count++] = static_cast<std::uint8_t>(HexDigitValue(*d));
    } else if (const int v = HexDigitValue(c); v >= 0) {
        n.value[0] = static_cast<std::uint8_t>(v);
    }
    return n;
}

// Collects digit values four at a time into code-page characters.
class GroupReader
{
public:
    explicit GroupReader(QString &out) : m_out(out) {}

    bool push(std::uint8_t nibble)
    {
        m_bad |= nibble == NotADigit;
        m_value = (m_value << 4) | (nibble & 0xFu);
        if (++m_digits == 4)
            return flush();
        return true;
    }

    // A last group of three digits counts; one or two are dropped.
    bool finish() { return m_digits == 3 ? flush() : true; }

private:
    bool flush()
    {
        const bool bad = m_bad;
        const unsigned value = m_value;
        m_bad = false;
        m_value = 0;
        m_digits = 0;
        if (bad)
            return false;
        const std::optional<QChar> c = cp932Character(value);
        if (!c)
            return false;
        m_out.append(*c);
        return true;
    }

    QString &m_out;
    unsigned m_value = 0;
    int m_digits = 0;
    bool m_bad = false;
};

bool decodeDigits(QStringView payload, QString &decoded)
{
    static const std::array<Nibbles, 128> ascii = [] {
        std::array<Nibbles, 128> table{};
        for (char16_t c = 0; c < 128; ++c)
            table[c] = nibblesOf(c);
        return table;
    }();
    decoded.reserve(payload.size() / 3 + 1);
    GroupReader reader(decoded);
    for (const QChar qc : payload) {
        const char16_t c = qc.unicode();
        const Nibbles n = c < 128 ? ascii[c] : nibblesOf(c);
        for (int i = 0; i < n.count; ++i)
            if (!reader.push(n.value[i]))
                return false;
    }
    return reader.finish();
}

void appendHex4(QString &out, unsigned code)
{
    static constexpr char16_t Hex[] = u"0123456789ABCDEF";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(QChar(Hex[(code >> shift) & 0xF]));
}

struct Shorthand
{
    const char16_t *digits;
    int length;
    char16_t symbol;
};

// Longer runs first, so that "816" wins over nothing at all.
constexpr std::array<Shorthand, 9> Shorthands = {{
    {u"816", 3, u'+'}, {u"814", 3, u'\uFF71'}, {u"002", 3, u'-'},
    {u"004", 3, u'/'}, {u"005", 3, u'\\'},     {u"006", 3, u'~'},
    {u"007", 3, u'^'}, {u"82", 2, u'*'},       {u"83", 2, u']'},
}};

} // namespace

void DecodeEncodedLines(Module1 &m)
{
    m.DecodeFailed = false;
    QString decoded;
    if (!decodeDigits(m.EncodedText, decoded)) {
        m.DecodeFailed = true;
        m.DecodedLineCount = -1;
        return;
    }
    if (decoded.isEmpty()) {
        m.DecodedLineCount = -1;
        return;
    }
    const QStringView text(decoded);
    qsizetype pieces = 0;
    qsizetype start = 0;
    // One piece more than FileLines holds is enough to know the file is too long.
    while (pieces <= MaxFileLines + 1) {
        const qsizetype end = text.indexOf(u"\r\n", start);
        ++pieces;
        const QStringView piece = end < 0 ? text.sliced(start) : text.sliced(start, end - start);
        if (pieces <= MaxFileLines)
            m.FileLines(static_cast<int>(pieces)) = piece.toString();
        if (end < 0)
            break;
        start = end + 2;
    }
    m.DecodedLineCount = static_cast<std::int16_t>(std::min<qsizetype>(pieces - 1, MaxFileLines + 1));
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
        bool replaced = false;
        for (const Shorthand &s : Shorthands) {
            if (view.sliced(p).startsWith(QStringView(s.digits, s.length))) {
                out.append(QChar(s.symbol));
                p += s.length;
                replaced = true;
                break;
            }
        }
        if (!replaced)
            out.append(view[p++]);
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

QString ExpandSymbolsStepwise(const QString &payload)
{
    QString s = payload;
    for (const Symbol &sym : SymbolTable)
        s.replace(QChar(sym.symbol), QString::fromUtf16(sym.digits));
    return s;
}

int HexDigitValue(char16_t d)
{
    if (d >= u'0' && d <= u'9')
        return d - u'0';
    if (d >= u'A' && d <= u'F')
        return d - u'A' + 10;
    if (d >= u'a' && d <= u'f')
        return d - u'a' + 10;
    return -1;
}

} // namespace sorario
