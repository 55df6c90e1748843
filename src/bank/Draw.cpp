// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/Draw.h"

#include "shared/ProgramConstants.h"

#include <algorithm>
#include <bitset>
#include <cstdint>
#include <limits>
#include <random>

namespace sorario {
namespace {

// Uniform in [0, bound) without modulo bias. Written out rather than taken from
// <random>'s distributions, whose results differ between standard libraries: a
// seed must give the same draw wherever the program runs.
std::uint64_t uniformBelow(std::mt19937_64 &gen, std::uint64_t bound)
{
    const std::uint64_t limit
        = std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % bound;
    std::uint64_t x = 0;
    do {
        x = gen();
    } while (x >= limit);
    return x % bound;
}

} // namespace

quint64 SheetSeed(quint64 runSeed, int sheet)
{
    // Consecutive seeds would make sheet 2 of a run seeded s the first sheet of a run
    // seeded s + 1 (with the clock, one a millisecond later).
    constexpr quint64 Step = 0x9E3779B97F4A7C15ull;
    return runSeed + Step * static_cast<quint64>(sheet - 1);
}

QList<int> DrawnSlots(int pool, int count, quint64 seed)
{
    pool = std::clamp(pool, 0, MaxBankQuestions);
    count = std::clamp(count, 0, std::min(pool, MaxDrawnQuestions));
    std::mt19937_64 gen(seed);
    // A slot already drawn is drawn again, as before; the bitset only makes the
    // "already drawn?" check constant-time instead of a scan of earlier positions.
    std::bitset<MaxBankQuestions + 1> taken;
    QList<int> slots;
    slots.reserve(count);
    for (int i = 1; i <= count; ++i) {
        int k = 0;
        do {
            k = static_cast<int>(uniformBelow(gen, static_cast<std::uint64_t>(pool))) + 1;
        } while (taken[static_cast<size_t>(k)]);
        taken[static_cast<size_t>(k)] = true;
        slots.append(k);
    }
    return slots;
}

} // namespace sorario
