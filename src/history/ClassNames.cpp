// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ClassNames.h"

namespace sorario {

QString ClassKey(const QString &name)
{
    return name.trimmed().normalized(QString::NormalizationForm_KC).toCaseFolded();
}

QStringList SpellingsOf(const QStringList &stored, const QString &name)
{
    QStringList alike;
    for (const QString &old : stored)
        if (ClassKey(old) == ClassKey(name))
            alike.append(old);
    return alike;
}

QStringList OneNameEach(const QStringList &names)
{
    QStringList one;
    for (const QString &name : names)
        if (!KnownClass(one, name))
            one.append(name);
    return one;
}

bool KnownClass(const QStringList &known, const QString &name)
{
    return !SpellingsOf(known, name).isEmpty();
}

QString UnknownClassMessage(const QString &name, const QStringList &known)
{
    return QStringLiteral("クラス「%1」の記録はありません。").arg(name)
        + (known.isEmpty() ? QString() : QStringLiteral("\n記録のあるクラス：") + known.join(u'、'));
}

QString NewClassQuestion(const QString &name)
{
    return QStringLiteral("新しいクラス「%1」を作りますか").arg(name.trimmed());
}

} // namespace sorario
