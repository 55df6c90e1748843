// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ClassNames.h"

#include <QSettings>

namespace sorario {
namespace {

const QString LastClassKey = QStringLiteral("lastClass");
const QString AvoidRecentKey = QStringLiteral("avoidRecent");
// The class's review keeps the key it always had, so that either version reads the other's.
const QString ReviewKey = QStringLiteral("reviewWrong");
const QString PupilReviewKey = QStringLiteral("reviewPupils");

QSettings userSettings()
{
    return QSettings(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("sorario"), QStringLiteral("classes"));
}

} // namespace

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

ClassChoice LastClassChoice()
{
    QSettings settings = userSettings();
    const ReviewDraw review = settings.value(PupilReviewKey, false).toBool() ? ReviewDraw::Pupils
        : settings.value(ReviewKey, false).toBool()                          ? ReviewDraw::Class
                                                                             : ReviewDraw::None;
    return {settings.value(LastClassKey).toString(), settings.value(AvoidRecentKey, 0).toInt(), review};
}

void RememberClassChoice(const ClassChoice &choice)
{
    QSettings settings = userSettings();
    settings.setValue(LastClassKey, choice.className.trimmed());
    settings.setValue(AvoidRecentKey, choice.avoidRecent);
    settings.setValue(ReviewKey, choice.review == ReviewDraw::Class);
    settings.setValue(PupilReviewKey, choice.review == ReviewDraw::Pupils);
}

} // namespace sorario
