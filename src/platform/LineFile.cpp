// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LineFile.h"

#include "platform/Cp932.h"
#include "platform/RegularFile.h"
#include "shared/TextHelpers.h"

#include <QStringDecoder>

#include <algorithm>
#include <optional>

namespace sorario {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinCrLf(const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text.append(line);
        text.append(CrLf);
    }
    return text;
}

LineFileRead readLineFile(const QString &path)
{
    const FileBytes bytes = readRegularFile(path, MaxLineFileBytes);
    if (bytes.ok())
        return readLineBytes(bytes.value);
    LineFileRead result;
    switch (*bytes.fault) {
    case FileReadFault::Missing:
        result.status = LineFileRead::Status::Missing;
        break;
    case FileReadFault::TooLarge:
        result.status = LineFileRead::Status::TooLarge;
        break;
    case FileReadFault::NotRegular:
    case FileReadFault::Unreadable:
        result.status = LineFileRead::Status::Unreadable;
        break;
    }
    return result;
}

namespace {

bool isUtf16(TextEncoding encoding)
{
    return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be;
}

// The 1-based line of unit `at`, with line ends as splitLines counts them: CR LF, LF or
// a bare CR. Neither can be a code-page trail byte, so counting bytes is safe there.
template <typename Units> qsizetype lineOf(const Units &units, qsizetype at)
{
    qsizetype line = 1;
    for (qsizetype i = 0; i < at; ++i) {
        if (units[i] == u'\n' || (units[i] == u'\r' && (i + 1 >= units.size() || units[i + 1] != u'\n')))
            ++line;
    }
    return line;
}

} // namespace

LineFileRead readLineBytes(QByteArrayView bytes)
{
    LineFileRead result;
    const DecodedText decoded = decodeFileText(bytes);
    result.lines = splitLines(decoded.text);
    result.encoding = decoded.encoding;
    result.badBytes = decoded.badCount;
    if (decoded.firstBadOffset >= 0) {
        // UTF-16 is counted in its units, as a 0x0A byte may be half of a character.
        result.firstBadLine = isUtf16(decoded.encoding)
            ? lineOf(QStringView(decoded.text), (decoded.firstBadOffset - 2) / 2)
            : lineOf(bytes, decoded.firstBadOffset);
    }
    return result;
}

namespace {

// Offset of the first byte that does not belong to a well-formed UTF-8 sequence, or -1.
// Only looked for once the decoder has found one, as it does not say where.
qsizetype firstInvalidUtf8(QByteArrayView bytes)
{
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const unsigned b = p[i];
        int extra = 0;
        unsigned min = 0;
        if (b < 0x80) {
            ++i;
            continue;
        } else if (b >= 0xC2 && b <= 0xDF) {
            extra = 1, min = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2, min = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3, min = 0x10000;
        } else {
            return i;
        }
        unsigned cp = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return i;
        i += extra + 1;
    }
    return -1;
}

// The whole text at once: a sequence cut off at the end is no character either.
// A byte order mark at the start of `bytes` is dropped.
struct WholeText
{
    QString text;
    bool failed = false; // a byte was no character
};

WholeText decodeWhole(QByteArrayView bytes, QStringConverter::Encoding encoding)
{
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    return {std::move(text), decoder.hasError()};
}

// Shift-JIS text shows within its first bytes that it is no UTF-8: it need not be
// read as UTF-8 to its end. A sequence cut off where they end is no error here.
bool utf8FailsEarly(QByteArrayView bytes)
{
    constexpr qsizetype Early = 4096;
    QStringDecoder decoder(QStringConverter::Utf8);
    // Decoded only when made a string.
    const QString start = decoder.decode(bytes.first(std::min(bytes.size(), Early)));
    return decoder.hasError();
}

// The encoding a byte order mark names. UTF-32's little-endian mark begins with
// UTF-16's, and such files have always been read as UTF-16.
std::optional<TextEncoding> markedEncoding(QByteArrayView bytes)
{
    switch (QStringConverter::encodingForData(bytes).value_or(QStringConverter::System)) {
    case QStringConverter::Utf8:
        return TextEncoding::Utf8;
    case QStringConverter::Utf16LE:
    case QStringConverter::Utf32LE:
        return TextEncoding::Utf16Le;
    case QStringConverter::Utf16BE:
        return TextEncoding::Utf16Be;
    default:
        return std::nullopt;
    }
}

// Unpaired surrogates and an odd last byte are no characters. The decoder takes
// neither for an error; the first is looked for only in a text that has one.
DecodedText decodeUtf16(QByteArrayView bytes, TextEncoding encoding)
{
    DecodedText result;
    result.encoding = encoding;
    const auto units16
        = encoding == TextEncoding::Utf16Le ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
    result.text = decodeWhole(bytes, units16).text;
    const bool oddByte = bytes.size() % 2 != 0; // decoded as U+FFFD
    if (!oddByte && QStringView(result.text).isValidUtf16())
        return result;
    const auto bad = [&result](qsizetype offset) {
        if (result.badCount++ == 0)
            result.firstBadOffset = offset;
    };
    const qsizetype units = (bytes.size() - 2) / 2;
    for (qsizetype i = 0; i < units; ++i) {
        const QChar c = result.text[i];
        if (c.isHighSurrogate() && i + 1 < units && result.text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            result.text[i] = QChar::ReplacementCharacter;
            bad(2 + 2 * i);
        }
    }
    if (oddByte)
        bad(bytes.size() - 1);
    return result;
}

} // namespace

DecodedText decodeFileText(QByteArrayView bytes)
{
    const std::optional<TextEncoding> marked = markedEncoding(bytes);
    if (marked && *marked != TextEncoding::Utf8)
        return decodeUtf16(bytes, *marked);
    DecodedText result;
    if (marked) {
        // Editors that save UTF-8 mark it so; such files are read as UTF-8.
        const QByteArrayView body = bytes.sliced(3);
        result.encoding = TextEncoding::Utf8;
        WholeText utf8 = decodeWhole(body, QStringConverter::Utf8);
        result.text = std::move(utf8.text);
        if (utf8.failed) {
            result.firstBadOffset = 3 + firstInvalidUtf8(body);
            result.badCount = 1;
        }
        return result;
    }
    // Valid UTF-8 with a multi-byte sequence is almost never Shift-JIS text, whose
    // lead bytes 0x81-0x9F cannot start a UTF-8 sequence. Only such a sequence makes
    // the text shorter than its bytes; plain ASCII reads the same in the code page.
    if (!utf8FailsEarly(bytes)) {
        if (WholeText utf8 = decodeWhole(bytes, QStringConverter::Utf8); !utf8.failed) {
            if (utf8.text.size() < bytes.size())
                result.encoding = TextEncoding::Utf8WithoutMark;
            result.text = std::move(utf8.text);
            return result;
        }
    }
    const Cp932Decoded cp = decodeCp932(bytes);
    result.text = cp.text;
    result.badCount = cp.badCount;
    result.firstBadOffset = cp.firstBadOffset;
    return result;
}

} // namespace sorario
