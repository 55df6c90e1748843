// SPDX-License-Identifier: GPL-3.0-or-later
// The encoded-line decoder on a payload as the loader hands it over.
#include "FuzzSupport.h"

#include "bank/EncodedLines.h"
#include "platform/Cp932.h"
#include "setup/BankProcedures.h"
#include "shared/Module1.h"

#include <memory>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

Module1 &module()
{
    static auto m = std::make_unique<Module1>();
    return *m;
}

// The pieces of the last decode: the counted lines and the uncounted rest.
QStringList pieces(const Module1 &m, int n)
{
    QStringList out;
    for (int i = 1; i <= n + 1 && i <= MaxFileLines; ++i)
        out.append(m.FileLines(i));
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // The payload is the rest of a file's first line: code-page text without line ends.
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString payload = decodeCp932(bytes).text;
    payload.remove(u'\r');
    payload.remove(u'\n');

    Module1 &m = module();
    m.EncodedText = payload;
    const int count = DecodeEncodedLines(m);
    FUZZ_CHECK(m.EncodedText == payload);
    FUZZ_CHECK(count >= -1 && count <= MaxFileLines + 1);
    const bool failed = DecodePayload(payload).faultCount > 0;
    if (failed)
        FUZZ_CHECK(count == -1);
    const QStringList decoded = count >= 0 ? pieces(m, count) : QStringList();

    // Decoded lines encode to a payload that decodes to them again.
    if (!failed && count >= 0 && count <= MaxFileLines) {
        const QStringList lines = decoded.mid(0, count);
        const QString rest = decoded.size() > count ? decoded[count] : QString();
        m.EncodedText = EncodeLines(lines) + EncodeText(rest);
        const int again = DecodeEncodedLines(m);
        FUZZ_CHECK(DecodePayload(m.EncodedText).faultCount == 0);
        if (lines.isEmpty() && rest.isEmpty()) {
            FUZZ_CHECK(again == -1);
        } else {
            FUZZ_CHECK(again == count);
            FUZZ_CHECK(pieces(m, again) == decoded);
        }
    }
    return 0;
}
