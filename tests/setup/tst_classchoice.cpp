// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window's class choice and class list: Sorario.ini and the history, with
// classes.ini of earlier versions read and never written.
#include "setup/ClassChoiceFile.h"
#include "shared/Module1.h"

#include "support/Fixtures.h"

#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

class tst_classchoice : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void classesIniReadNeverWritten()
    {
        QTemporaryDir dir;
        const QString old = dir.filePath(u"classes.ini"_s);
        const QByteArray oldBytes
            = "[General]\nclasses=3A, 1-a\nlastClass=3A\navoidRecent=2\nreviewWrong=true\n";
        writeBytes(old, oldBytes);
        Module1 m;
        m.ProgramFolder = dir.path();
        // 1-a is １－Ａ, recorded; 3A was only typed.
        QCOMPARE(OfferedClasses({u"１－Ａ"_s, u"2B"_s}, old), (QStringList {u"１－Ａ"_s, u"2B"_s, u"3A"_s}));
        const ClassChoice before = LastClassChoice(m, old);
        QCOMPARE(before.className, u"3A"_s);
        QCOMPARE(before.avoidRecent, 2);
        QCOMPARE(before.review, ReviewDraw::Class);

        RememberClassChoice(m, {u"2B"_s, 0, ReviewDraw::None});
        const ClassChoice after = LastClassChoice(m, old);
        QCOMPARE(after.className, u"2B"_s);
        QCOMPARE(after.avoidRecent, 0);
        QCOMPARE(after.review, ReviewDraw::None);
        QVERIFY(readBytes(dir.filePath(u"Sorario.ini"_s)).contains("[class]\n"));
        QCOMPARE(readBytes(old), oldBytes);
    }
};

QTEST_MAIN(tst_classchoice)
#include "tst_classchoice.moc"
