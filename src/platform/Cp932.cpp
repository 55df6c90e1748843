// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cp932.h"

#include "platform/Cp932System.h"

#include <array>
#include <memory>

namespace sorario {
namespace {

constexpr char16_t None = Cp932System::NoUnit;
constexpr std::uint16_t NoCode = Cp932System::NoCode;

bool isLeadByte(unsigned b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Where the systems' conversions part, the codec keeps glibc's answer, so that a
// file reads and writes the same bytes on every system. Windows reads byte 0x80
// as U+0080 and writes the private-use U+F8F0..U+F8F3 as 0xA0, 0xFD..0xFF: no
// characters of the code page. glibc writes nine characters as the code page's
// look-alike, which Windows does only with best fit, which the codec never uses.
constexpr unsigned NoSingleByte = 0x80;
constexpr std::array<char16_t, 5> NoCodeUnits = {0x0080, 0xF8F0, 0xF8F1, 0xF8F2, 0xF8F3};

struct LookAlike
{
    char16_t unit;
    std::uint16_t code;
};
constexpr std::array<LookAlike, 9> LookAlikes = {{
    {.unit = 0x00A2, .code = 0x8191}, // ¢ as ￠
    {.unit = 0x00A3, .code = 0x8192}, // £ as ￡
    {.unit = 0x00A5, .code = 0x005C}, // ¥ as the backslash
    {.unit = 0x00AC, .code = 0x81CA}, // ¬ as ￢
    {.unit = 0x2014, .code = 0x815C}, // — as ―
    {.unit = 0x2016, .code = 0x8161}, // ‖ as ∥
    {.unit = 0x203E, .code = 0x007E}, // ‾ as ~
    {.unit = 0x2212, .code = 0x817C}, // − as －
    {.unit = 0x301C, .code = 0x8160}, // 〜 as ～
}};

// Code -> UTF-16 for every single-byte code and every lead/trail pair, built once
// from the system's conversion.
struct DecodeTable
{
    std::array<char16_t, 0x10000> map {};

    DecodeTable()
    {
        map.fill(None);
        const Cp932System system;
        for (unsigned b = 0; b < 0x100; ++b) {
            if (isLeadByte(b))
                continue;
            const char in[1] = {static_cast<char>(b)};
            map[b] = system.toUnit(in, 1);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!isLeadByte(lead))
                continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                map[(lead << 8) | trail] = system.toUnit(in, 2);
            }
        }
        map[NoSingleByte] = None;
    }
};

// UTF-16 unit -> code (NoCode: none), built once from the system's conversion so
// that duplicate codes resolve as it resolves them.
struct EncodeTable
{
    std::array<std::uint16_t, 0x10000> map {};

    EncodeTable()
    {
        map.fill(NoCode);
        const Cp932System system;
        for (unsigned c = 0; c < 0x10000; ++c) {
            if (c < 0xD800 || c > 0xDFFF)
                map[c] = system.toCode(static_cast<char16_t>(c));
        }
        for (const char16_t unit : NoCodeUnits)
            map[unit] = NoCode;
        for (const LookAlike &l : LookAlikes)
            map[l.unit] = l.code;
    }
};

const DecodeTable &decodeTable()
{
    static const auto table = std::make_unique<DecodeTable>();
    return *table;
}

const EncodeTable &encodeTable()
{
    static const auto table = std::make_unique<EncodeTable>();
    return *table;
}

} // namespace

Cp932Decoded decodeCp932(QByteArrayView bytes)
{
    const auto &map = decodeTable().map;
    Cp932Decoded result;
    result.text.resize(bytes.size());
    char16_t *out = reinterpret_cast<char16_t *>(result.text.data());
    qsizetype written = 0;
    const auto *data = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    auto bad = [&](qsizetype at) {
        if (result.firstBadOffset < 0)
            result.firstBadOffset = at;
        ++result.badCount;
        out[written++] = u'\uFFFD';
    };
    for (qsizetype i = 0; i < n; ++i) {
        const unsigned b = data[i];
        if (b < 0x80) {
            out[written++] = static_cast<char16_t>(b);
        } else if (isLeadByte(b)) {
            const char16_t c = i + 1 < n ? map[(b << 8) | data[i + 1]] : None;
            if (c == None) {
                bad(i); // the next byte is read again on its own
            } else {
                out[written++] = c;
                ++i;
            }
        } else if (map[b] != None) {
            out[written++] = map[b];
        } else {
            bad(i);
        }
    }
    result.text.truncate(written);
    return result;
}

Cp932Encoded encodeCp932(QStringView text)
{
    const auto &map = encodeTable().map;
    Cp932Encoded result;
    result.bytes.reserve(text.size() * 2);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const std::uint16_t code = map[c];
        if (code == NoCode) {
            // A surrogate pair is one character: one "?" for both halves.
            if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                ++i;
            result.bytes.append('?');
            ++result.unmappable;
        } else if (code > 0xFF) {
            result.bytes.append(static_cast<char>(code >> 8));
            result.bytes.append(static_cast<char>(code & 0xFF));
        } else {
            result.bytes.append(static_cast<char>(code));
        }
    }
    return result;
}

QStringList unmappableCp932Characters(QStringView text)
{
    const auto &map = encodeTable().map;
    QStringList found;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (map[text[i].unicode()] != NoCode)
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1).toString();
        if (pair)
            ++i;
        if (!found.contains(character))
            found.append(character);
    }
    return found;
}

std::optional<QChar> cp932Character(unsigned code)
{
    if (code > 0xFFFF)
        return std::nullopt;
    if (code >= 0x100 && !isLeadByte(code >> 8))
        return std::nullopt;
    if (code < 0x100 && isLeadByte(code))
        return std::nullopt;
    const char16_t c = decodeTable().map[code];
    if (c == None)
        return std::nullopt;
    return QChar(c);
}

std::optional<unsigned> cp932Code(QChar c)
{
    const std::uint16_t code = encodeTable().map[c.unicode()];
    if (code == NoCode)
        return std::nullopt;
    return code;
}

QString firstCharacterNotHeld(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<unsigned> code = cp932Code(text[i]);
        if (code && cp932Character(*code) == text[i])
            continue;
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size();
        return text.mid(i, pair ? 2 : 1).toString();
    }
    return {};
}

} // namespace sorario
