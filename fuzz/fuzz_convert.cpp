// SPDX-License-Identifier: GPL-3.0-or-later
// The first-format conversion on a question file and its control file, as read.
#include "FuzzSupport.h"

#include "convert/FirstFormat.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"

using namespace sorario;
using namespace sorario::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> files = splitInput(data, size, 2);
    LineFileRead control;
    if (files.size() > 1)
        control = readLineBytes(files[1]);
    else
        control.status = LineFileRead::Status::Missing;

    const FirstFormatLines converted = ConvertedLines(readLineBytes(files[0]), control);
    ConversionResult result = ConversionResult::failed(converted.fault.value_or(ConversionFault::Cancelled));
    if (!converted.ok()) {
        // Refused: nothing to write, and the teacher is told why.
        FUZZ_CHECK(converted.value.isEmpty());
        FUZZ_CHECK(!ConversionMessageFor(result).text.isEmpty());
        return 0;
    }
    // The control file's two lines, four blank header lines, then every question line.
    const QStringList &lines = converted.value;
    FUZZ_CHECK(lines.size() % 3 == 0);
    FUZZ_CHECK(lines.size() >= 6);
    for (int i = 2; i < 6; ++i)
        FUZZ_CHECK(lines[i].isEmpty());
    FUZZ_CHECK(lines.size() - 6 == splitLines(decodeFileText(files[0]).text).size());
    // The old pair is deleted once the new file is written, so what is written
    // must read back as these lines, or not be written at all.
    if (const std::optional<QByteArray> bytes = lineFileBytes(lines)) {
        const LineFileRead again = readLineBytes(*bytes);
        FUZZ_CHECK(again.badBytes == 0);
        FUZZ_CHECK(again.lines == lines);
    }
    return 0;
}
