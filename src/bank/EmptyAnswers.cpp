// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/EmptyAnswers.h"

#include "shared/ProgramConstants.h"

namespace sorario {

QList<int> EmptyAnswerLines(const QStringList &lines)
{
    QList<int> empty;
    // Line 3q+6 (1-based) is the answer of question q.
    for (qsizetype i = HeaderLineCount + 2; i < lines.size(); i += 3) {
        if (lines[i].isEmpty())
            empty.append(int(i) + 1);
    }
    return empty;
}

QString EmptyAnswerMessage()
{
    return QStringLiteral("解答が空です。");
}

} // namespace sorario
