// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LineFile.h"

#include "platform/Cp932.h"
#include "platform/RegularFile.h"
#include "shared/TextHelpers.h"

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

bool hasNonAscii(QByteArrayView bytes)
{
    for (const char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// Unpaired surrogates and an odd last byte are no characters.
DecodedText decodeUtf16(QByteArrayView bytes, TextEncoding encoding)
{
    DecodedText result;
    result.encoding = encoding;
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    const bool little = encoding == TextEncoding::Utf16Le;
    const qsizetype units = (bytes.size() - 2) / 2;
    result.text.resize(units + bytes.size() % 2);
    for (qsizetype i = 0; i < units; ++i) {
        const unsigned a = p[2 + 2 * i], b = p[3 + 2 * i];
        result.text[i] = QChar(char16_t(little ? a | b << 8 : a << 8 | b));
    }
    const auto bad = [&result](qsizetype unit, qsizetype offset) {
        result.text[unit] = QChar::ReplacementCharacter;
        if (result.badCount++ == 0)
            result.firstBadOffset = offset;
    };
    for (qsizetype i = 0; i < units; ++i) {
        const QChar c = result.text[i];
        if (c.isHighSurrogate() && i + 1 < units && result.text[i + 1].isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            bad(i, 2 + 2 * i);
    }
    if (bytes.size() % 2)
        bad(units, bytes.size() - 1);
    return result;
}

} // namespace

DecodedText decodeFileText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xFF\xFE"))
        return decodeUtf16(bytes, TextEncoding::Utf16Le);
    if (bytes.startsWith("\xFE\xFF"))
        return decodeUtf16(bytes, TextEncoding::Utf16Be);
    DecodedText result;
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        // Editors that save UTF-8 mark it so; such files are read as UTF-8.
        const QByteArrayView body = bytes.sliced(3);
        result.encoding = TextEncoding::Utf8;
        result.text = QString::fromUtf8(body);
        const qsizetype bad = firstInvalidUtf8(body);
        if (bad >= 0) {
            result.firstBadOffset = 3 + bad;
            result.badCount = 1;
        }
        return result;
    }
    // Valid UTF-8 with a multi-byte sequence is almost never Shift-JIS text, whose
    // lead bytes 0x81-0x9F cannot start a UTF-8 sequence.
    if (hasNonAscii(bytes) && firstInvalidUtf8(bytes) < 0) {
        result.encoding = TextEncoding::Utf8WithoutMark;
        result.text = QString::fromUtf8(bytes);
        return result;
    }
    const Cp932Decoded cp = decodeCp932(bytes);
    result.text = cp.text;
    result.badCount = cp.badCount;
    result.firstBadOffset = cp.firstBadOffset;
    return result;
}

} // namespace sorario
