// SPDX-License-Identifier: GPL-3.0-or-later
// What reading a question bank of a learning system must give, whatever its format.
#pragma once

#include "FuzzSupport.h"

#include "exchange/OnlineBank.h"
#include "platform/Cp932.h"

#include <algorithm>

namespace sorario::fuzz {

inline int checkOnlineBank(OnlineFormat format, const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView bytes(data, static_cast<qsizetype>(size));
    const OnlineBankRead read = readOnlineBank(format, bytes);
    using K = OnlineRefusal::Kind;
    if (const K kind = read.refusal.kind; kind != K::None) {
        FUZZ_CHECK(read.lines.isEmpty() && read.emptyAnswerLines.isEmpty());
        FUZZ_CHECK(read.refusal.line >= 0);
        FUZZ_CHECK(
            onlineRefusalText(format, read.refusal, QStringLiteral("in")).endsWith(QStringLiteral("\nin")));
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

} // namespace sorario::fuzz
