// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/RunNumber.h"

#include "history/HistoryStore.h"

namespace sorario {
namespace {

constexpr int MinuteLength = 8;

// The n-th run's letters: bijective base 26, so that "a" is the first run's, left unwritten.
QString lettersOf(qsizetype n)
{
    QString letters;
    for (; n > 0; n = (n - 1) / 26)
        letters.prepend(QChar(char16_t(u'a' + (n - 1) % 26)));
    return letters;
}

} // namespace

QString FreeRunNumber(const QString &minute, const QSet<QString> &taken)
{
    if (!taken.contains(minute))
        return minute;
    // One more than are taken is always free.
    for (qsizetype n = 2;; ++n)
        if (const QString number = minute + lettersOf(n); !taken.contains(number))
            return number;
}

QString RunNumberOf(const QString &sheetNumber)
{
    return sheetNumber.section(u'-', 0, 0);
}

QString RunLettersOf(const QString &sheetNumber)
{
    return RunNumberOf(sheetNumber).mid(MinuteLength);
}

QString RunTimeText(const QDateTime &when)
{
    return when.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

QString FoundSheetsText(const QString &number, const QList<FoundSheets> &found)
{
    if (found.isEmpty())
        return QStringLiteral("シート番号 %1 の記録はありません。").arg(number);
    QString text = QStringLiteral("シート番号 %1 のシートが %2 回の印刷にあります。クラスを選んでください。")
                       .arg(number)
                       .arg(found.size());
    for (const FoundSheets &hit : found)
        text += QStringLiteral("\n  %1　%2").arg(hit.run.className, RunTimeText(hit.run.when));
    return text;
}

} // namespace sorario
