// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryFault.h"

#include "history/HistoryLocation.h"

namespace sorario {

QString HistoryFailureMessage(const QString &location, HistoryFault fault, const QString &detail)
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
    case HistoryFault::ServerAway:
        reason = QStringLiteral(
            "クラスの履歴のサーバーにつながりません。ネットワークとサーバーを確かめてください。");
        break;
    case HistoryFault::LoginRefused:
        reason = QStringLiteral(
            "クラスの履歴のサーバーにログインできません。ユーザー名とパスワードを確かめてください。");
        break;
    case HistoryFault::CertificateRefused:
        reason = QStringLiteral(
            "クラスの履歴のサーバーの証明書を確かめられません。安全につながらないため、使いません。");
        break;
    case HistoryFault::NoRights:
        reason = QStringLiteral("このユーザーには、サーバーのクラスの履歴に必要な権限がありません。");
        break;
    case HistoryFault::BadAddress:
        reason = QStringLiteral("クラスの履歴のサーバーの指定が正しくありません。"
                                "postgresql://ユーザー@ホスト:ポート/データベース の形で指定してください。");
        break;
    case HistoryFault::NoServerDriver:
        reason = QStringLiteral(
            "このソラリオはサーバーのクラスの履歴を使えません（PostgreSQL のドライバーがありません）。");
        break;
    case HistoryFault::Unusable:
        reason = QStringLiteral("クラスの履歴を使えませんでした。");
        break;
    }
    QString message = reason + u'\n' + ShownLocation(location);
    // The system's words only where the reason alone says too little: which of the
    // server's failures it was, or any other.
    const bool server = fault == HistoryFault::ServerAway || fault == HistoryFault::LoginRefused
        || fault == HistoryFault::CertificateRefused || fault == HistoryFault::NoRights;
    if ((fault == HistoryFault::Unusable || server) && !detail.isEmpty())
        message += u'\n' + detail;
    return message;
}

} // namespace sorario
