// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window's class choice and class list: Sorario.ini and the history, with
// classes.ini of earlier versions read and never written; where the main window starts.
#include "setup/ClassChoiceFile.h"
#include "setup/StartFolder.h"
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

    // Folders are under one temporary folder; "here" is where the program was started.
    void startFolder_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<QString>("handed"); // a file the program is given
        QTest::addColumn<QString>("last"); // the folder shown when it last closed
        QTest::addColumn<QString>("starts");
        QTest::addRow("portable: where started") << false << u""_s << u"bank"_s << u"here"_s;
        QTest::addRow("file handed: its folder") << false << u"bank/q.qvn"_s << u""_s << u"bank"_s;
        QTest::addRow("installed, first start: Documents") << true << u""_s << u""_s << u"Documents"_s;
        QTest::addRow("installed: where last") << true << u""_s << u"bank"_s << u"bank"_s;
        QTest::addRow("installed, last gone: Documents") << true << u""_s << u"gone"_s << u"Documents"_s;
    }
    void startFolder()
    {
        QFETCH(bool, installed);
        QFETCH(QString, handed);
        QFETCH(QString, last);
        QFETCH(QString, starts);
        QTemporaryDir dir;
        for (const QString &folder : {u"program"_s, u"settings"_s, u"here"_s, u"Documents"_s, u"bank"_s})
            QVERIFY(QDir(dir.path()).mkdir(folder));
        writeBytes(dir.filePath(u"bank/q.qvn"_s), "q");
        Module1 m;
        m.ProgramFolder = dir.filePath(u"program"_s);
        m.SettingsFolder = dir.filePath(installed ? u"settings"_s : u"program"_s);
        if (!last.isEmpty())
            RememberStartFolder(m, dir.filePath(last));
        const QStringList arguments = handed.isEmpty() ? QStringList() : QStringList {dir.filePath(handed)};
        QCOMPARE(StartFolder(m, arguments, dir.filePath(u"here"_s), dir.filePath(u"Documents"_s)),
            dir.filePath(starts));
    }
};

QTEST_MAIN(tst_classchoice)
#include "tst_classchoice.moc"
