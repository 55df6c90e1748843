// SPDX-License-Identifier: GPL-3.0-or-later
// The first-format conversion on a question file and its control file.
#include "FuzzSupport.h"

#include "convert/FirstFormat.h"
#include "platform/LineFile.h"

#include <QFileInfo>

using namespace sorario;
using namespace sorario::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> files = splitInput(data, size, 2);
    const QString qvk = scratchFile(QStringLiteral("first.qvk"));
    const QString ctr = scratchFile(QStringLiteral("first.ctr"));
    const QString qvn = scratchFile(QStringLiteral("first.qvn"));
    QFile::remove(qvn);
    writeFile(qvk, files[0]);
    if (files.size() > 1)
        writeFile(ctr, files[1]);
    else
        QFile::remove(ctr);

    const ConversionResult result = ConvertFirstFormat(qvk);
    if (result.converted()) {
        FUZZ_CHECK(ConversionMessageFor(result).text.isEmpty());
        FUZZ_CHECK(result.outputPath == qvn);
        FUZZ_CHECK(!QFileInfo::exists(qvk) && !QFileInfo::exists(ctr));
        // The control file's two lines, four blank header lines, then every question line.
        const LineFileRead questions = readLineFile(qvn);
        FUZZ_CHECK(questions.status == LineFileRead::Status::Ok);
        FUZZ_CHECK(questions.lines.size() % 3 == 0);
        FUZZ_CHECK(questions.lines.size() >= 6);
        for (int i = 2; i < 6; ++i)
            FUZZ_CHECK(questions.lines[i].isEmpty());
        FUZZ_CHECK(questions.lines.size() - 6 == splitLines(decodeFileText(files[0]).text).size());
    } else if (result.outputPath.isEmpty()) {
        // Refused: the old pair is exactly as it was, and nothing new was written.
        FUZZ_CHECK(!ConversionMessageFor(result).text.isEmpty());
        FUZZ_CHECK(readFile(qvk) == files[0]);
        if (files.size() > 1)
            FUZZ_CHECK(readFile(ctr) == files[1]);
        FUZZ_CHECK(!QFileInfo::exists(qvn));
    }
    return 0;
}
