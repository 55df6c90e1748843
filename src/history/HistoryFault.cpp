// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryFault.h"

#include <QDir>

namespace sorario {

QString HistoryFailureMessage(const QString &path, HistoryFault fault, const QString &detail)
{
    QString reason;
    switch (fault) {
    case HistoryFault::Damaged:
        reason = QStringLiteral("クラスの履歴のファイルが壊れています。");
        break;
    case HistoryFault::NotAHistory:
        reason = QStringLiteral("このファイルはクラスの履歴ではありません。");
        break;
    case HistoryFault::Unreachable:
        reason = QStringLiteral("クラスの履歴のフォルダーを開けません。");
        break;
    case HistoryFault::NoFolder:
        reason = QStringLiteral("クラスの履歴のフォルダーを作れません。");
        break;
    case HistoryFault::Busy:
        reason = QStringLiteral("クラスの履歴はほかのソラリオが使っています。");
        break;
    case HistoryFault::ReadOnly:
        reason = QStringLiteral("クラスの履歴は読み取り専用です。");
        break;
    case HistoryFault::DiskFull:
        reason = QStringLiteral("ディスクがいっぱいで、クラスの履歴に書き込めません。");
        break;
    case HistoryFault::LogUnread:
        reason = QStringLiteral(
            "クラスの履歴の新しい記録を読めません。履歴のフォルダーに書き込めるようにしてください。");
        break;
    case HistoryFault::Unusable:
        reason = QStringLiteral("クラスの履歴を使えませんでした。");
        break;
    }
    QString message = reason + u'\n' + QDir::toNativeSeparators(path);
    // SQLite's words only where the reason alone says too little.
    if (fault == HistoryFault::Unusable && !detail.isEmpty())
        message += u'\n' + detail;
    return message;
}

} // namespace sorario
