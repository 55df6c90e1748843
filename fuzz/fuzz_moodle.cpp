// SPDX-License-Identifier: GPL-3.0-or-later
// A Moodle XML question bank read back into the lines of a question file.
#include "FuzzSupport.h"

#include "exchange/OnlineBank.h"
#include "platform/Cp932.h"

#include <algorithm>

using namespace sorario;
using namespace sorario::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const OnlineBankRead read = readOnlineBank(OnlineFormat::MoodleXml, bytes);
    using K = OnlineRefusal::Kind;
    if (const K kind = read.refusal.kind; kind != K::None) {
        FUZZ_CHECK(read.lines.isEmpty() && read.emptyAnswerLines.isEmpty());
        FUZZ_CHECK(read.refusal.line >= 0);
        FUZZ_CHECK(onlineRefusalText(OnlineFormat::MoodleXml, read.refusal, QStringLiteral("in"))
                       .endsWith(QStringLiteral("\nin")));
        return 0;
    }
    // What is taken is what a question file holds and the loader takes.
    const qsizetype n = read.lines.size();
    FUZZ_CHECK(n > 0 && n % 3 == 0);
    FUZZ_CHECK(ReadQuestionLines(read.lines).fault == LoadFault::None);
    for (const QString &line : read.lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(std::none_of(line.cbegin(), line.cend(), isControlCharacter));
        FUZZ_CHECK(firstCharacterNotHeld(line).isEmpty());
    }
    return 0;
}
