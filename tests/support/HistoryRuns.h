// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryRecord.h"

namespace sorario::test {

// Question n of a made-up bank: "Qn", hint "h", answer "An".
inline QuestionRecord question(int n)
{
    return {QStringLiteral("Q%1").arg(n), QStringLiteral("h"), QStringLiteral("A%1").arg(n)};
}

// One run of one sheet for `className` with the given questions.
inline RecordedRun runOf(const QString &className, const QList<int> &questions, const QString &number)
{
    RecordedRun run;
    run.className = className;
    run.when = QDateTime(QDate(2026, 12, 7), QTime(10, 30));
    run.files = {{QStringLiteral("/q.qvn"), QStringLiteral("d")}};
    RecordedSheet sheet {number, run.when, {}};
    for (int q : questions)
        sheet.questions.append(question(q));
    run.sheets = {sheet};
    return run;
}

} // namespace sorario::test
