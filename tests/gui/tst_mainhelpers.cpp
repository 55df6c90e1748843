// The main window's file listing, file choice, read-me and volume rules.
#include "app/QuestionFileList.h"
#include "app/Readme.h"
#include "app/Volumes.h"
#include "shared/Module1.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

using namespace sorario;

namespace {

void touch(const QString &path)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
}

} // namespace

class TestMainHelpers : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void listsQuestionFilesOnly()
    {
        QTemporaryDir dir;
        for (const char *name : {"b.qvn", "a.qvn", "C.QVN", "notes.txt", "x.qvk", "qvn", "a.qvn.bak",
                                 ".hidden.qvn", "単元10.qvn", "単元2.qvn"})
            touch(dir.filePath(QString::fromUtf8(name)));
        QDir(dir.path()).mkdir(QStringLiteral("folder.qvn"));

        const QList<QuestionFileEntry> entries = QuestionFilesIn(dir.path() + u'/');
        QStringList shown, files;
        for (const QuestionFileEntry &e : entries) {
            shown.append(e.shownName);
            files.append(e.fileName);
        }
        QCOMPARE(shown, (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("C"),
                                     QStringLiteral("単元10"), QStringLiteral("単元2")}));
        // The real name is kept so an upper-case extension still opens.
        QCOMPARE(files.at(2), QStringLiteral("C.QVN"));
    }

    void subfoldersSortedAndVisible()
    {
        QTemporaryDir dir;
        QDir d(dir.path());
        for (const char *name : {"b", "A", ".git"})
            d.mkdir(QString::fromUtf8(name));
        touch(dir.filePath(QStringLiteral("file")));
        QCOMPARE(SubfoldersOf(dir.path()),
                 (QStringList{dir.filePath(QStringLiteral("A")), dir.filePath(QStringLiteral("b"))}));
        QVERIFY(QuestionFilesIn(QStringLiteral("/no/such/folder/")).isEmpty());
        QVERIFY(SubfoldersOf(QStringLiteral("/no/such/folder")).isEmpty());
    }

    void chooseFiles_data()
    {
        QTest::addColumn<int>("entries");
        QTest::addColumn<QList<int>>("selectedRows");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("count");
        QTest::newRow("two in list order") << 3 << QList<int>{2, 0} << int(FileChoice::Chosen) << 2;
        QTest::newRow("table full") << 120 << [] {
            QList<int> rows;
            for (int i = 0; i < 100; ++i)
                rows.append(i);
            return rows;
        }() << int(FileChoice::Chosen) << 100;
    }
    void chooseFiles()
    {
        QFETCH(int, entries);
        QFETCH(QList<int>, selectedRows);
        QFETCH(int, result);
        QFETCH(int, count);

        QList<QuestionFileEntry> list;
        QList<bool> selected(entries, false);
        for (int i = 0; i < entries; ++i)
            list.append({QString::number(i), QString::number(i) + QStringLiteral(".qvn")});
        for (int row : selectedRows)
            selected[row] = true;

        Module1 m;
        m.ChosenFileCount = -1; // shows whether a refusal touched it
        QCOMPARE(int(ChooseFiles(m, QStringLiteral("/q/"), list, selected)), result);
        QCOMPARE(int(m.ChosenFileCount), count);
        if (result == int(FileChoice::Chosen)) {
            QCOMPARE(m.ChosenFileList(1), QStringLiteral("/q/0.qvn"));
            const int last = *std::max_element(selectedRows.begin(), selectedRows.end());
            QCOMPARE(m.ChosenFileList(count), QStringLiteral("/q/%1.qvn").arg(last));
        }
    }

    void readme_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty file") << true << QStringList{} << QString();
        QTest::newRow("empty lines kept") << true << QStringList{QString(), QStringLiteral("x")}
                                          << QStringLiteral("\r\nx\r\n");
    }
    void readme()
    {
        QFETCH(bool, present);
        QFETCH(QStringList, lines);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        if (present)
            test::writeSjisLines(dir.filePath(QStringLiteral("Readme.txt")), lines);
        Module1 m;
        m.ProgramFolder = dir.path();
        m.ReadmeText = QStringLiteral("old");
        LoadReadme(m);
        QCOMPARE(m.ReadmeText, expected);
    }

    void volumeOf_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("volume");
        QTest::newRow("under root") << QStringLiteral("/home/t") << 0;
        QTest::newRow("mounted medium") << QStringLiteral("/media/usb/tests") << 1;
        QTest::newRow("medium itself") << QStringLiteral("/media/usb") << 1;
        QTest::newRow("name that only starts alike") << QStringLiteral("/media/usb2") << 0;
    }
    void volumeOf()
    {
        QFETCH(QString, path);
        QFETCH(int, volume);
        const QList<Volume> volumes{{QStringLiteral("/"), {}}, {QStringLiteral("/media/usb"), QStringLiteral("USB")}};
        QCOMPARE(VolumeOf(volumes, path), volume);
    }

    void volumeOfWithoutRoot()
    {
        QCOMPARE(VolumeOf({{QStringLiteral("/media/usb"), {}}}, QStringLiteral("/home")), -1);
    }

    void systemMountsAreNoDrives()
    {
        for (const Volume &v : MountedVolumes()) {
            QVERIFY2(!v.root.startsWith(QStringLiteral("/proc")) && !v.root.startsWith(QStringLiteral("/sys")),
                     qPrintable(v.root));
        }
        QVERIFY(VolumeReady(QDir::rootPath()));
        QVERIFY(!VolumeReady(QStringLiteral("/no/such/medium")));
    }
};

QTEST_MAIN(TestMainHelpers)
#include "tst_mainhelpers.moc"
