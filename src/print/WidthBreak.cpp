// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/WidthBreak.h"

#include <algorithm>

namespace sorario {
namespace {
constexpr qsizetype ShortSegment = 256;
}

qsizetype FindWidthBreak(qsizetype count, const std::function<double(qsizetype)> &prefixWidth, double room)
{
    const auto prefixTooWide = [&](qsizetype k) { return ExceedsRoom(prefixWidth(k), room); };
    if (count <= 0)
        return 0;
    qsizetype fits = 0; // longest prefix known to fit (0: none measured)
    qsizetype wide = 0; // shortest prefix known too wide (0: none yet)
    if (count <= ShortSegment) {
        // Most segments are a line or less: one measurement settles them.
        const double all = prefixWidth(count);
        if (!ExceedsRoom(all, room))
            return 0;
        wide = count;
        // A wrapped line: start next to where the average character width puts
        // the break, and widen the bracket from there.
        const double share = all > 0 ? (room - 10) / all : 0;
        qsizetype guess = std::clamp<qsizetype>(static_cast<qsizetype>(count * share), 1, count);
        for (qsizetype step = 1; wide - fits > 1; step *= 2) {
            if (guess <= fits || guess >= wide)
                break;
            if (prefixTooWide(guess)) {
                wide = guess;
                guess -= step;
            } else {
                fits = guess;
                guess += step;
            }
        }
    } else {
        // A long run of text: gallop to the first too-wide length, so that each
        // line costs measurements of about its own length, not of the whole run.
        for (qsizetype probe = 1; fits < count; probe *= 2) {
            const qsizetype k = std::min(probe, count);
            if (prefixTooWide(k)) {
                wide = k;
                break;
            }
            fits = k;
        }
        if (wide == 0)
            return 0;
    }
    while (wide - fits > 1) {
        const qsizetype mid = fits + (wide - fits) / 2;
        if (prefixTooWide(mid))
            wide = mid;
        else
            fits = mid;
    }
    return wide;
}

} // namespace sorario
