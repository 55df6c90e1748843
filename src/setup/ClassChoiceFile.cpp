// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/ClassChoiceFile.h"

#include "platform/ProgramFolder.h"
#include "settings/PrintOptionsFile.h"
#include "setup/SettingsFiles.h"

#include <QDir>
#include <QSettings>

namespace sorario {
namespace {

// The keys classes.ini had, kept under [class] in Sorario.ini.
const QString ClassGroup = QStringLiteral("class/");
const QString LastClassKey = QStringLiteral("lastClass");
const QString AvoidRecentKey = QStringLiteral("avoidRecent");
const QString ReviewKey = QStringLiteral("reviewWrong");
const QString PupilReviewKey = QStringLiteral("reviewPupils");
const QString ClassListKey = QStringLiteral("classes");

ClassChoice choiceIn(const QSettings &file, const QString &group)
{
    const ReviewDraw review = file.value(group + PupilReviewKey, false).toBool() ? ReviewDraw::Pupils
        : file.value(group + ReviewKey, false).toBool()                          ? ReviewDraw::Class
                                                                                 : ReviewDraw::None;
    return {
        file.value(group + LastClassKey).toString(), file.value(group + AvoidRecentKey, 0).toInt(), review};
}

} // namespace

QString OldClassesFile()
{
    const QString folder = userSettingsFolder();
    return folder.isEmpty() ? QString() : QDir(folder).filePath(QStringLiteral("classes.ini"));
}

ClassChoice LastClassChoice(const Module1 &m, const QString &oldFile)
{
    const QSettings file = readSettingsFile(PrintOptionsFilePath(settingsFoldersOf(m)));
    if (file.contains(ClassGroup + LastClassKey))
        return choiceIn(file, ClassGroup);
    return choiceIn(readSettingsFile(oldFile), {});
}

void RememberClassChoice(const Module1 &m, const ClassChoice &choice)
{
    updateOptionsFile(settingsFoldersOf(m), [&choice](QSettings &file) {
        file.setValue(ClassGroup + LastClassKey, choice.className.trimmed());
        file.setValue(ClassGroup + AvoidRecentKey, choice.avoidRecent);
        file.setValue(ClassGroup + ReviewKey, choice.review == ReviewDraw::Class);
        file.setValue(ClassGroup + PupilReviewKey, choice.review == ReviewDraw::Pupils);
    });
}

QStringList OfferedClasses(const QStringList &recorded, const QString &oldFile)
{
    return OneNameEach(recorded + readSettingsFile(oldFile).value(ClassListKey).toStringList());
}

} // namespace sorario
