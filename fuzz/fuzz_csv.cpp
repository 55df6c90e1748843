// SPDX-License-Identifier: GPL-3.0-or-later
// A spreadsheet's table read back into the lines of a question file.
#include "FuzzSupport.h"

#include "exchange/QuestionCsv.h"
#include "platform/Cp932.h"

using namespace sorario;
using namespace sorario::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const QuestionCsvRead read = readQuestionCsv(bytes);
    using K = CsvRefusal::Kind;
    if (const K kind = read.refusal.kind; kind != K::None) {
        FUZZ_CHECK(read.lines.isEmpty());
        // A refusal of the whole file names no row; every other one does.
        const bool wholeFile = kind == K::NotText || kind == K::Empty || kind == K::RefusedByLoader;
        FUZZ_CHECK((read.refusal.row >= 1) != wholeFile);
        FUZZ_CHECK(
            csvRefusalText(read.refusal, QStringLiteral("in.csv")).endsWith(QStringLiteral("\nin.csv")));
        return 0;
    }
    // What is taken is what a question file can hold, and what the loader takes: whole
    // questions behind a full header, every line one line of Shift-JIS text.
    const qsizetype n = read.lines.size();
    FUZZ_CHECK(n > 0 && n % 3 == 0);
    FUZZ_CHECK(ReadQuestionLines(read.lines).fault == LoadFault::None);
    for (const QString &line : read.lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(firstCharacterNotHeld(line).isEmpty());
    }
    // The table the program writes of those lines reads back as the same lines.
    const QuestionCsvRead again = readQuestionCsv(questionCsvBytes(read.lines));
    FUZZ_CHECK(again.refusal.kind == CsvRefusal::Kind::None);
    FUZZ_CHECK(again.lines == read.lines);
    return 0;
}
