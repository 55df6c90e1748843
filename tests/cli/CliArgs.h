// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "support/Fixtures.h"
#include "support/SqlFile.h"

namespace sorario::test {

// 50 one-line questions, 41 of which fit the first page in fixed metrics at 10 points.
inline QStringList printArgs(const QStringList &extra, const QString &file = u"fifty.qvn"_s)
{
    return QStringList {u"print"_s, file, u"--all"_s, u"--count"_s, u"50"_s, u"--layout"_s, u"2"_s,
               u"--seed"_s, u"3"_s, u"--logo"_s, u"ロゴ"_s, u"--now"_s, u"2024-03-05T14:07"_s, u"--trace"_s,
               u"t.json"_s, u"-o"_s, u"out.pdf"_s}
    + extra;
}

inline const QStringList Fixed {u"--size"_s, u"10"_s, u"--metrics"_s, u"fixed"_s};

} // namespace sorario::test
