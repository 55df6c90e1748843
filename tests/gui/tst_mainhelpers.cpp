// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's file listing, file choice, read-me and volume rules.
#include "app/QuestionFileList.h"
#include "app/Readme.h"
#include "app/Volumes.h"

#include "support/Fixtures.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace sorario;
using namespace sorario::test;

class TestMainHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Question files by name, numbers as text; folders sorted, hidden ones left out.
    void listing()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.qvn", "a.qvn", "C.QVN", "notes.txt", "x.qvk", "qvn", "a.qvn.bak",
                 ".hidden.qvn", "単元10.qvn", "単元2.qvn", "b/x", "A/x", ".git/x"})
            writeBytes(dir.filePath(QString::fromUtf8(name)), {});
        QDir(dir.path()).mkdir(u"folder.qvn"_s);
        QStringList shown, files;
        for (const QuestionFileEntry &e : QuestionFilesIn(dir.path() + u'/')) {
            shown.append(e.shownName);
            files.append(e.fileName);
        }
        QCOMPARE(shown, (QStringList {u"a"_s, u"b"_s, u"C"_s, u"単元10"_s, u"単元2"_s}));
        QCOMPARE(files.at(2), u"C.QVN"_s); // the real name, so an upper-case extension still opens
        QCOMPARE(SubfoldersOf(dir.path()),
            (QStringList {dir.filePath(u"A"_s), dir.filePath(u"b"_s), dir.filePath(u"folder.qvn"_s)}));
        QVERIFY(QuestionFilesIn(u"/no/such/folder/"_s).isEmpty());
        QVERIFY(SubfoldersOf(u"/no/such/folder"_s).isEmpty());
    }

    // The selected entries in list order, 100 at most.
    void chooseFiles()
    {
        QList<QuestionFileEntry> list;
        for (int i = 0; i < 120; ++i)
            list.append({QString::number(i), QString::number(i) + u".qvn"_s});
        QList<bool> selected(120, false);
        selected[7] = selected[2] = true;
        Module1 m;
        QCOMPARE(ChooseFiles(m, u"/q/"_s, list, selected), FileChoice::Chosen);
        QCOMPARE((QStringList {m.ChosenFileList(1), m.ChosenFileList(2)}),
            (QStringList {u"/q/2.qvn"_s, u"/q/7.qvn"_s}));
        std::fill(selected.begin(), selected.begin() + 100, true);
        QCOMPARE(ChooseFiles(m, u"/q/"_s, list, selected), FileChoice::Chosen);
        QCOMPARE(m.ChosenFileCount, 100);
        QCOMPARE(m.ChosenFileList(100), u"/q/99.qvn"_s);
    }

    void readme()
    {
        QTemporaryDir dir;
        Module1 m;
        m.ProgramFolder = dir.path();
        writeSjisLines(dir.filePath(u"Readme.txt"_s), {QString(), u"x"_s});
        LoadReadme(m);
        QCOMPARE(m.ReadmeText, u"\r\nx\r\n"_s); // empty lines kept
        writeBytes(dir.filePath(u"Readme.txt"_s), {});
        LoadReadme(m);
        QCOMPARE(m.ReadmeText, QString());
    }

    void volumeOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("volume");
        QTest::newRow("under root") << u"/home/t"_s << 0;
        QTest::newRow("mounted medium") << u"/media/usb/tests"_s << 1;
        QTest::newRow("medium itself") << u"/media/usb"_s << 1;
        QTest::newRow("name that only starts alike") << u"/media/usb2"_s << 0;
    }
    void volumeOf()
    {
        QFETCH(QString, path);
        QTEST(VolumeOf({{u"/"_s, {}}, {u"/media/usb"_s, u"USB"_s}}, path), "volume");
        QCOMPARE(VolumeOf({{u"/media/usb"_s, {}}}, u"/home"_s), -1);
    }

    // The drives: each mount once, in order, the root among them, no system mounts.
    void mountedVolumes()
    {
        QStringList roots;
        for (const Volume &v : MountedVolumes())
            roots << v.root;
        QVERIFY(roots.contains(u"/"_s));
        QCOMPARE(QSet<QString>(roots.begin(), roots.end()).size(), roots.size());
        QVERIFY(std::is_sorted(roots.begin(), roots.end()));
        for (const QString &root : roots)
            QVERIFY2(!root.startsWith(u"/proc"_s) && !root.startsWith(u"/sys"_s), qPrintable(root));
        QVERIFY(VolumeReady(QDir::rootPath()));
        QVERIFY(!VolumeReady(u"/no/such/medium"_s));
    }
};

QTEST_MAIN(TestMainHelpers)
#include "tst_mainhelpers.moc"
