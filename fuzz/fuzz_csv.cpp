// SPDX-License-Identifier: GPL-3.0-or-later
// A spreadsheet's table read back into the lines of a question file.
#include "BankRoundTrip.h"
#include "FuzzSupport.h"

#include "exchange/QuestionCsv.h"
#include "platform/Cp932.h"

using namespace sorario;
using namespace sorario::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QuestionCsvRead read = readQuestionCsv(bytes);
    if (!read.ok()) {
        FUZZ_CHECK(read.value.lines.isEmpty());
        // A refusal of the whole file names no row; every other one does.
        const auto *own = std::get_if<CsvFault>(&*read.fault);
        const bool wholeFile = !own || *own == CsvFault::NotText || *own == CsvFault::Empty;
        FUZZ_CHECK((read.line >= 1) != wholeFile);
        FUZZ_CHECK(csvRefusalText(read, QStringLiteral("in.csv")).endsWith(QStringLiteral("\nin.csv")));
        return 0;
    }
    // What is taken is what a question file can hold, and what the loader takes: whole
    // questions behind a full header, every line one line of Shift-JIS text.
    const QStringList &lines = read.value.lines;
    const qsizetype n = lines.size();
    FUZZ_CHECK(n > 0 && n % 3 == 0);
    FUZZ_CHECK(loaderCheckOf(lines).fault == LoadFault::None);
    checkWrittenLoads(lines);
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(firstCharacterNotHeld(line).isEmpty());
    }
    // The table the program writes of those lines reads back as the same lines.
    const QuestionCsvRead again = readQuestionCsv(questionCsvBytes(lines));
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.value.lines == lines);
    return 0;
}
