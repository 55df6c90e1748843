// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: start-up, drive and folder choice, the file list and "ファイルＯＫ",
// the read-me panel, the conversion window and the whole road to a printed sheet.
#include "app/Readme.h"
#include "app/frmMain.h"
#include "convert/frmHenkan.h"
#include "editor/frmEditor.h"
#include "setup/frmSettei.h"

#include "GuiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QTemporaryDir>

#include <memory>

using namespace sorario;
using namespace sorario::test;

namespace {

// A working folder with question files, a program folder, and the window over them.
struct Fixture
{
    QTemporaryDir work; // the process's current folder: where Dir1 starts
    QTemporaryDir program; // Vk.ini, Vk.rog and Readme.txt live here
    QString previousDir = QDir::currentPath();
    Module1 m;
    ScriptedDialogs dialogs;
    QList<QDialog *> modals; // windows opened modally, in order
    std::function<void(QDialog &)> onModal;
    std::unique_ptr<frmMain> w;

    explicit Fixture(const QStringList &files = {})
    {
        QDir::setCurrent(work.path());
        m.ProgramFolder = program.path();
        for (const QString &name : files)
            writeSjisLines(file(name), questionFile(u"x"_s, u"1"_s, 3));
    }
    ~Fixture() { QDir::setCurrent(previousDir); }

    QString workPath() const { return QDir(work.path()).canonicalPath(); }
    QString file(const QString &name) const { return work.filePath(name); }

    void open(QList<Volume> volumes = {{u"/"_s, {}}}, const QStringList &notReady = {})
    {
        MainWindowHooks hooks;
        hooks.volumes = [volumes] { return volumes; };
        hooks.volumeReady = [notReady](const QString &root) { return !notReady.contains(root); };
        hooks.runModal = [this](QDialog &d) {
            modals.append(&d);
            if (onModal)
                onModal(d);
        };
        hooks.printSurface = pdfSurfaces(program.filePath(u"sheet.pdf"_s));
        w = std::make_unique<frmMain>(m, dialogs, hooks);
    }
    QListWidget *files() { return control<QListWidget>(w.get(), "List1"); }
    QListWidget *folders() { return control<QListWidget>(w.get(), "Dir1"); }
    bool readmeShown() { return control<QFrame>(w.get(), "Frame1")->isVisible(); }
};

int rowOf(QListWidget *list, const QString &text)
{
    return entries(list).indexOf(text, 0);
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUp()
    {
        Fixture f({u"b.qvn"_s, u"a.qvn"_s, u"memo.txt"_s});
        writeSjisLines(f.program.filePath(u"Vk.ini"_s), {u"IPAMincho"_s, u" 12 "_s});
        writeSjisLines(f.program.filePath(u"Vk.rog"_s), {u"《三年》"_s});
        QDir(f.work.path()).mkdir(u"unit1"_s);
        f.open();
        QCOMPARE(f.m.FontName, u"IPAMincho"_s);
        QCOMPARE(f.m.SheetLogo, u"《三年》"_s);
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u'/');
        QCOMPARE(entries(f.files()), (QStringList {u"a"_s, u"b"_s}));
        QVERIFY(rowOf(f.folders(), u"    unit1"_s) > 0 && rowOf(f.folders(), u".."_s) > 0);
        QVERIFY(f.dialogs.shown.isEmpty());

        selectRows(f.files(), {0, 1});
        click(f.w.get(), "cmdClear");
        QVERIFY(selectedRows(f.files()).isEmpty());
        f.w->show();
        click(f.w.get(), "Command4");
        QVERIFY(!f.w->isVisible());
    }

    // 「問題ファイル編集」 opens the selected file; a file saved under a new name is
    // listed and selected.
    void editorOpensTheSelectedFileAndListsWhatItSaves()
    {
        Fixture f;
        writeSjisLines(f.file(u"a.qvn"_s), questionFile(u"x"_s, u"1"_s, 2));
        f.open();
        f.files()->item(0)->setSelected(true);
        click(f.w.get(), "cmdEdit");
        auto *editor = f.w->findChild<frmEditor *>();
        QVERIFY(editor);
        QCOMPARE(QFileInfo(editor->filePath()).fileName(), QStringLiteral("a.qvn"));
        f.dialogs.saveAnswers.enqueue(f.file(QStringLiteral("c.qvn")));
        editor->findChild<QAction *>(QStringLiteral("actSaveAs"))->trigger();
        QCOMPARE(entries(f.files()), (QStringList {QStringLiteral("a"), QStringLiteral("c")}));
        QCOMPARE(selectedRows(f.files()), QList<int> {1});
    }

    // Up to the root: one separator, not two.
    void folderUpToTheRoot()
    {
        Fixture f;
        f.open();
        while (rowOf(f.folders(), u".."_s) >= 0) {
            const QString before = f.m.CurrentFolder;
            Q_EMIT f.folders()->itemClicked(f.folders()->item(rowOf(f.folders(), u".."_s)));
            QTRY_VERIFY(f.m.CurrentFolder != before);
        }
        QCOMPARE(f.m.CurrentFolder, u"/"_s);
    }

    // Real clicks: a folder opens at one click, and a double-click opens it once, not the
    // entry that stands there afterwards; a double-clicked question file is chosen alone
    // and loaded as "ファイルＯＫ" loads it.
    void listClicks_data()
    {
        QTest::addColumn<QByteArray>("list");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<QString>("folder");
        QTest::newRow("folder") << QByteArray("Dir1") << u"    unit1"_s << false << u"/unit1/"_s;
        QTest::newRow("folder, double") << QByteArray("Dir1") << u"    unit1"_s << true << u"/unit1/"_s;
        QTest::newRow("question file, double") << QByteArray("List1") << u"top"_s << true << u"/"_s;
    }
    void listClicks()
    {
        QFETCH(QByteArray, list);
        QFETCH(QString, entry);
        QFETCH(bool, twice);
        QFETCH(QString, folder);
        Fixture f({u"other.qvn"_s, u"top.qvn"_s, u"unit1/u.qvn"_s});
        QDir(f.work.path()).mkpath(u"unit1/part"_s);
        f.open();
        f.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        f.files()->item(0)->setSelected(true);
        auto *view = control<QListWidget>(f.w.get(), list.constData());
        const QPoint at = view->visualItemRect(view->item(rowOf(view, entry))).center();
        // A user's double-click: a click, the event loop runs, then press, double-click, release.
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        QCoreApplication::processEvents();
        if (twice) {
            QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
            QCoreApplication::processEvents();
        }
        QCOMPARE(f.m.CurrentFolder, f.workPath() + folder);
        const bool opened = list == "List1";
        QCOMPARE(entries(f.files()), (opened ? QStringList {u"other"_s, u"top"_s} : QStringList {u"u"_s}));
        QCOMPARE(f.modals.size(), opened ? 1 : 0);
        QCOMPARE(f.m.ChosenFileCount, opened ? 1 : 0);
        if (opened) {
            QCOMPARE(f.m.ChosenFileList(1), f.workPath() + u"/top.qvn"_s);
            return;
        }
        // The double-click swallowed its own release only: the next single click opens.
        const QPoint part = view->visualItemRect(view->item(rowOf(view, u"    part"_s))).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, part);
        QCoreApplication::processEvents();
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u"/unit1/part/"_s);
    }

    void driveNotReady()
    {
        Fixture f({u"a.qvn"_s});
        f.open({{u"/"_s, {}}, {u"/media/empty"_s, u"CD"_s}}, {u"/media/empty"_s});
        auto *drive = control<QComboBox>(f.w.get(), "Drive1");
        QCOMPARE(drive->currentIndex(), 0);
        drive->setCurrentIndex(1);
        Q_EMIT drive->activated(1);
        QCOMPARE(f.dialogs.messages(), QStringList {u"ディスクをセットしてください！"_s});
        QCOMPARE(drive->currentIndex(), 0);
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u'/');
        QCOMPARE(entries(f.files()), QStringList {u"a"_s});
    }

    // Refused choices and a broken file open nothing and change no choice.
    void fileOkRefusals_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("nothing selected") << 2 << 0 << QStringList {u"beep"_s, u"message"_s};
        QTest::newRow("more than the table holds") << 101 << 101 << QStringList {u"beep"_s, u"message"_s};
        QTest::newRow("a broken file") << 2 << 2 << QStringList {u"beep"_s, u"message"_s};
    }
    void fileOkRefusals()
    {
        QFETCH(int, files);
        QFETCH(int, selected);
        Fixture f;
        for (int i = 0; i < files; ++i)
            writeSjisLines(
                f.file(u"f%1.qvn"_s.arg(i, 3, 10, QLatin1Char('0'))), questionFile(u"x"_s, u"1"_s, 1));
        if (selected == 2)
            writeSjisLines(f.file(u"f001.qvn"_s), QStringList(7, u"x"_s));
        f.open();
        for (int i = 0; i < selected; ++i)
            f.files()->item(i)->setSelected(true);
        f.m.ChosenFileCount = 7;
        f.m.LoadFailed = 3;
        click(f.w.get(), "cmdFileOK");
        QTEST(f.dialogs.kinds(), "shown");
        QVERIFY(f.modals.isEmpty());
        QCOMPARE(selectedRows(f.files()).size(), selected);
        QCOMPARE(int(f.m.LoadFailed), selected == 2 ? 1 : 3);
        if (selected > 100)
            QCOMPARE(f.m.ChosenFileCount, 7); // a refused choice changes nothing
    }

    // Choose files, load, decide, print to PDF, export a text file, go back.
    void wholeRoad()
    {
        Fixture f;
        writeSjisLines(f.file(u"drill1.qvn"_s), questionFile(u"ドリル１"_s, u"2"_s, 12, u"Question "_s));
        writeSjisLines(f.file(u"drill2.QVN"_s), questionFile(u"ドリル２"_s, u"1"_s, 8));
        writeSjisLines(f.file(u"other.qvn"_s), questionFile(u"他"_s, u"1"_s, 3));
        f.open();
        const QString pdf = f.program.filePath(u"sheet.pdf"_s);
        const QString txt = f.file(u"test.txt"_s);
        bool walked = false;
        f.onModal = [&](QDialog &d) {
            auto *settei = qobject_cast<frmSettei *>(&d);
            QVERIFY(settei);
            QCOMPARE(text(settei, "Text1"), u"ドリル１\nドリル２"_s);
            auto *parts = control<QListWidget>(settei, "List1");
            QCOMPARE(parts->count(), 3);
            selectRows(parts, {0, 2});
            click(settei, "Command6");
            QCOMPARE(text(settei, "Text4"), u"14"_s); // 6 + the last part's 8
            click(settei, "cmdSetOK");
            QVERIFY(readBytes(pdf).startsWith("%PDF"));
            click(settei, "Command5");
            f.dialogs.saveAnswers.enqueue(txt);
            click(settei, "Command3");
            QVERIFY(decodeCp932(readBytes(txt)).text.contains(u"Question"_s));
            QCOMPARE(selectedRows(f.files()).size(), 2);
            click(settei, "Command2");
            walked = true;
        };
        selectRows(f.files(), {1, 0});
        click(f.w.get(), "cmdFileOK");
        QVERIFY(walked);
        QCOMPARE(f.m.ChosenFileCount, 2);
        QCOMPARE(f.m.ChosenFileList(2), f.workPath() + u"/drill2.QVN"_s);
        QVERIFY(selectedRows(f.files()).isEmpty()); // "戻る" deselected the main list
        QVERIFY(f.dialogs.messages().isEmpty());
    }

    // The read-me panel: read anew at every opening, the file commands off while it shows;
    // "戻る" and Escape close it.
    void readmePanel()
    {
        Fixture f;
        f.open();
        f.w->show();
        click(f.w.get(), "Image1");
        QVERIFY(f.readmeShown());
        QCOMPARE(text(f.w.get(), "Text1"), ReadmeMissingText);
        for (const char *name : {"cmdFileOK", "cmdClear", "Command4"})
            QVERIFY2(!enabled(f.w.get(), name), name);
        for (const char *name : {"List1", "Dir1", "Drive1", "Command2", "Image1"})
            QVERIFY2(enabled(f.w.get(), name), name);
        click(f.w.get(), "Command1");
        QVERIFY(!f.readmeShown());
        for (const char *name : {"cmdFileOK", "cmdClear", "Command4"})
            QVERIFY2(enabled(f.w.get(), name), name);
        writeSjisLines(f.program.filePath(u"Readme.txt"_s), {u"ソラリオの使い方"_s, u"二行目"_s});
        click(f.w.get(), "Image1");
        QCOMPARE(text(f.w.get(), "Text1"), u"ソラリオの使い方\n二行目\n"_s);
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        QTest::keyClick(f.w.get(), Qt::Key_Escape);
        QVERIFY(!f.readmeShown());
        QVERIFY(enabled(f.w.get(), "cmdFileOK"));
    }

    void conversionWindowAndListRefresh()
    {
        Fixture f({u"a.qvn"_s});
        const QString qvk = writeSjisLines(f.file(u"旧.qvk"_s), {u"Q1"_s, QString(), u"A1"_s});
        writeSjisLines(f.file(u"旧.ctr"_s), {u"旧問題"_s, u"1"_s});
        f.open();
        f.files()->item(0)->setSelected(true);
        f.onModal = [&](QDialog &d) {
            auto *henkan = qobject_cast<frmHenkan *>(&d);
            QVERIFY(henkan);
            click(henkan, "Command1"); // cancelled: nothing happens, the window stays
            f.dialogs.openAnswers.enqueue(qvk);
            click(henkan, "Command1");
            henkan->show();
            click(henkan, "Command2");
            QVERIFY(!henkan->isVisible());
        };
        click(f.w.get(), "Command2");
        QCOMPARE(f.dialogs.kinds().count(u"open"_s), 2);
        QCOMPARE(f.dialogs.shown[0].fileOptions.initialDir, f.m.ProgramFolder);
        QCOMPARE(entries(f.files()), (QStringList {u"a"_s, u"旧"_s}));
        QVERIFY(selectedRows(f.files()).isEmpty());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
