// SPDX-License-Identifier: GPL-3.0-or-later
// What reading a question bank of a learning system must give, whatever its format.
#pragma once

#include "BankRoundTrip.h"
#include "FuzzSupport.h"

#include "exchange/OnlineBank.h"
#include "exchange/QuestionCsv.h"
#include "platform/Cp932.h"

#include <algorithm>

namespace sorario::fuzz {

inline int checkOnlineBank(OnlineFormat format, const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const OnlineBankRead read = readOnlineBank(format, bytes);
    if (!read.ok()) {
        FUZZ_CHECK(read.value.lines.isEmpty() && read.value.emptyAnswerLines.isEmpty());
        FUZZ_CHECK(read.line >= 0);
        FUZZ_CHECK(onlineRefusalText(format, read, QStringLiteral("in")).endsWith(QStringLiteral("\nin")));
        return 0;
    }
    // What is taken is what a question file holds and the loader takes.
    const QStringList &lines = read.value.lines;
    const qsizetype n = lines.size();
    FUZZ_CHECK(n > 0 && n % 3 == 0);
    FUZZ_CHECK(loaderCheckOf(lines).fault == LoadFault::None);
    checkWrittenLoads(lines);
    for (const QString &line : lines) {
        FUZZ_CHECK(!line.contains(u'\r') && !line.contains(u'\n'));
        FUZZ_CHECK(std::none_of(line.cbegin(), line.cend(), isControlCharacter));
        FUZZ_CHECK(firstCharacterNotHeld(line).isEmpty());
    }
    return 0;
}

} // namespace sorario::fuzz
