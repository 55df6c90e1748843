// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"

#include <QElapsedTimer>
#include <QList>
#include <QString>

#include <algorithm>
#include <functional>

namespace sorario::bench {

// Class c of a grade: 1-A, 1-B, 1-C, 1-D, 2-A, …
inline QString className(int c)
{
    return QStringLiteral("%1-%2").arg(c / 4 + 1).arg(QChar(u'A' + c % 4));
}

// Question n of the pool the tests are drawn from.
inline QuestionRecord poolQuestion(int n)
{
    return {QStringLiteral("He ( ) to school yesterday, didn't he? No.%1").arg(n), QStringLiteral("go"),
        QStringLiteral("went%1").arg(n)};
}

// The median of five timings of `work`, in milliseconds.
inline double medianMs(const std::function<void()> &work)
{
    QList<double> ms;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        ms.append(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[2];
}

} // namespace sorario::bench
