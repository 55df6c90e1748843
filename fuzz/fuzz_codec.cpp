// SPDX-License-Identifier: GPL-3.0-or-later
// The code-page 932 codec: bytes from files, and text on its way back to files.
#include "FuzzSupport.h"

#include "platform/Cp932.h"

using namespace sorario;
using namespace sorario::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));

    // Bytes as a file holds them.
    const Cp932Decoded decoded = decodeCp932(bytes);
    FUZZ_CHECK((decoded.badCount == 0) == (decoded.firstBadOffset < 0));
    FUZZ_CHECK(decoded.firstBadOffset < bytes.size());
    FUZZ_CHECK(decoded.badCount <= bytes.size());
    FUZZ_CHECK(decoded.text.size() <= bytes.size());
    FUZZ_CHECK(decoded.text.count(QChar(0xFFFD)) >= decoded.badCount);
    for (const QChar c : decoded.text) {
        if (c == QChar(0xFFFD))
            continue;
        const std::optional<unsigned> code = cp932Code(c);
        FUZZ_CHECK(code.has_value());
        FUZZ_CHECK(cp932Character(*code) == c);
    }
    // Clean bytes: the text goes back to bytes that read as the same text.
    if (decoded.badCount == 0) {
        const Cp932Encoded again = encodeCp932(decoded.text);
        FUZZ_CHECK(again.unmappable == 0);
        const Cp932Decoded back = decodeCp932(again.bytes);
        FUZZ_CHECK(back.badCount == 0 && back.text == decoded.text);
    }

    // The same bytes as UTF-16 text, as a window or a setting could hold it.
    QString text(static_cast<qsizetype>(size / 2), Qt::Uninitialized);
    std::memcpy(text.data(), data, size / 2 * 2);
    const Cp932Encoded encoded = encodeCp932(text);
    FUZZ_CHECK(encoded.unmappable <= text.size());
    const Cp932Decoded read = decodeCp932(encoded.bytes);
    FUZZ_CHECK(read.badCount == 0);
    FUZZ_CHECK(read.text.size() <= text.size());
    // Written once, the text is in the code page's own form: writing it again changes nothing.
    const Cp932Encoded rewritten = encodeCp932(read.text);
    FUZZ_CHECK(rewritten.unmappable == 0);
    FUZZ_CHECK(rewritten.bytes == encoded.bytes);
    return 0;
}
