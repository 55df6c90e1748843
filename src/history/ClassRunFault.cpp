// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ClassRunFault.h"

namespace sorario {

ClassRunOutcome<> CheckExportable(ReviewDraw review)
{
    if (review == ReviewDraw::Pupils)
        return ClassRunOutcome<>::failed({ClassRunProblem::PupilsExported});
    return {};
}

QString ClassRunFailureMessage(const QString &historyPath, const ClassRunFault &fault, const QString &detail)
{
    switch (fault.problem) {
    case ClassRunProblem::HistoryUnusable:
        break;
    case ClassRunProblem::NoMarkedPupil:
        return QStringLiteral(
            "個別復習プリントを作れません。クラス「%1」には出席番号つきの採点の記録がありません。")
            .arg(detail);
    case ClassRunProblem::PupilsExported:
        return QStringLiteral(
            "個別復習プリントは印刷するだけで、テキストファイルや文書ファイルには書き出せません。");
    }
    return HistoryFailureMessage(historyPath, fault.history, detail);
}

QString NotRecordedMessage(const QString &historyPath, const HistoryOutcome<> &recorded)
{
    return HistoryFailureMessage(historyPath, recorded)
        + QStringLiteral("\nこの印刷は履歴に記録していません。");
}

QString PrintWithoutHistoryQuestion(const QString &notice, int avoidRecent)
{
    return notice + u'\n'
        + (avoidRecent > 0 ? QStringLiteral("最近の問題を除かずに印刷しますか？")
                           : QStringLiteral("印刷しますか？"));
}

} // namespace sorario
