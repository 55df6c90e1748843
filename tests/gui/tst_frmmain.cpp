// The main window: start-up, drive and folder choice, the file list and "ファイルＯＫ",
// the read-me panel, the conversion window and the whole road to a printed sheet.
#include "app/Readme.h"
#include "app/frmMain.h"
#include "convert/frmHenkan.h"
#include "editor/frmEditor.h"
#include "setup/frmSettei.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include "shared/Module1.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

using namespace sorario;
using namespace sorario::test;

namespace {

// A working folder with question files, a program folder, and the window over them.
struct Fixture
{
    QTemporaryDir work;    // the process's current folder: where Dir1 starts
    QTemporaryDir program; // Vk.ini, Vk.rog and Readme.txt live here
    QString previousDir = QDir::currentPath();
    Module1 m;
    ScriptedDialogs dialogs;
    QList<QDialog *> modals; // windows opened modally, in order
    std::function<void(QDialog &)> onModal;
    QStringList notReady;
    std::unique_ptr<frmMain> w;

    Fixture()
    {
        QDir::setCurrent(work.path());
        m.ProgramFolder = program.path();
    }
    ~Fixture() { QDir::setCurrent(previousDir); }

    QString workPath() const { return QDir::cleanPath(QDir(work.path()).canonicalPath()); }
    QString file(const QString &name) const { return work.filePath(name); }

    void open(QList<Volume> volumes = {{QStringLiteral("/"), {}}})
    {
        MainWindowHooks hooks;
        hooks.volumes = [volumes] { return volumes; };
        hooks.volumeReady = [this](const QString &root) { return !notReady.contains(root); };
        hooks.runModal = [this](QDialog &d) {
            modals.append(&d);
            if (onModal)
                onModal(d);
        };
        hooks.printSurface = pdfSurfaces(program.filePath(QStringLiteral("sheet.pdf")));
        w = std::make_unique<frmMain>(m, dialogs, hooks);
    }
    QListWidget *files() { return control<QListWidget>(w.get(), "List1"); }
    QListWidget *folders() { return control<QListWidget>(w.get(), "Dir1"); }
    QFrame *frame1() { return control<QFrame>(w.get(), "Frame1"); }
};

int rowOf(QListWidget *list, const QString &text)
{
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->text().trimmed() == text)
            return i;
    return -1;
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startUp()
    {
        Fixture f;
        writeSjisLines(f.program.filePath(QStringLiteral("Vk.ini")), {QStringLiteral("IPAMincho"), QStringLiteral(" 12 ")});
        writeSjisLines(f.program.filePath(QStringLiteral("Vk.rog")), {QStringLiteral("《三年》")});
        for (const char *name : {"b.qvn", "a.qvn", "memo.txt"})
            writeQuestionFile(f.file(QString::fromUtf8(name)), QStringLiteral("x"), 1, 1);
        QDir(f.work.path()).mkdir(QStringLiteral("unit1"));
        f.open();

        QCOMPARE(control<QLabel>(f.w.get(), "labVer")->text(), QStringLiteral("Ver.2.04"));
        QVERIFY(!f.frame1()->isVisibleTo(f.w.get()));
        QCOMPARE(f.m.FontName, QStringLiteral("IPAMincho"));
        QCOMPARE(f.m.SheetLogo, QStringLiteral("《三年》"));
        QCOMPARE(f.w->windowTitle(), ProgramTitle);
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u'/');
        QCOMPARE(entries(f.files()), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
        QVERIFY(rowOf(f.folders(), QStringLiteral("unit1")) >= 0);
        QVERIFY(rowOf(f.folders(), QStringLiteral("..")) >= 0);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // 「問題ファイル編集」 opens the selected file; a file saved under a new name is
    // listed and selected.
    void editorOpensTheSelectedFileAndListsWhatItSaves()
    {
        Fixture f;
        writeQuestionFile(f.file(QStringLiteral("a.qvn")), QStringLiteral("x"), 1, 2);
        f.open();
        f.files()->item(0)->setSelected(true);
        click(f.w.get(), "cmdEdit");
        auto *editor = f.w->findChild<frmEditor *>();
        QVERIFY(editor);
        QCOMPARE(QFileInfo(editor->filePath()).fileName(), QStringLiteral("a.qvn"));
        f.dialogs.saveAnswers.enqueue(f.file(QStringLiteral("c.qvn")));
        editor->findChild<QAction *>(QStringLiteral("actSaveAs"))->trigger();
        QCOMPARE(entries(f.files()), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
        QCOMPARE(selectedRows(f.files()), QList<int>{1});
    }

    // Up to the root: one separator, not two.
    void folderUpToTheRoot()
    {
        Fixture f;
        f.open();
        while (rowOf(f.folders(), QStringLiteral("..")) >= 0) {
            const QString before = f.m.CurrentFolder;
            Q_EMIT f.folders()->itemClicked(f.folders()->item(rowOf(f.folders(), QStringLiteral(".."))));
            QTRY_VERIFY(f.m.CurrentFolder != before);
        }
        QCOMPARE(f.m.CurrentFolder, QStringLiteral("/"));
    }

    // Real clicks: a folder opens at one click, and a double-click opens it once, not
    // the entry that stands there afterwards; a double-clicked question file is chosen
    // alone and loaded as "ファイルＯＫ" loads it.
    void listClicks_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<bool>("twice");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<int>("opened");
        QTest::newRow("folder") << QStringLiteral("Dir1") << QStringLiteral("unit1") << false
                                << QStringLiteral("/unit1/") << 0;
        QTest::newRow("folder, double") << QStringLiteral("Dir1") << QStringLiteral("unit1") << true
                                        << QStringLiteral("/unit1/") << 0;
        QTest::newRow("question file, double") << QStringLiteral("List1") << QStringLiteral("top") << true
                                               << QStringLiteral("/") << 1;
    }
    void listClicks()
    {
        QFETCH(QString, list);
        QFETCH(QString, entry);
        QFETCH(bool, twice);
        QFETCH(QString, folder);
        QFETCH(int, opened);
        Fixture f;
        QDir(f.work.path()).mkpath(QStringLiteral("unit1/part"));
        writeQuestionFile(f.file(QStringLiteral("unit1/u.qvn")), QStringLiteral("x"), 1, 1);
        for (const char *name : {"other.qvn", "top.qvn"})
            writeQuestionFile(f.file(QString::fromUtf8(name)), QStringLiteral("x"), 1, 3);
        f.open();
        f.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        f.files()->item(0)->setSelected(true);
        auto *view = control<QListWidget>(f.w.get(), list.toLatin1().constData());
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
        if (folder != u'/')
            QCOMPARE(entries(f.files()), QStringList{QStringLiteral("u")});
        QCOMPARE(f.modals.size(), opened);
        QCOMPARE(f.m.ChosenFileCount, opened);
        if (opened)
            QCOMPARE(f.m.ChosenFileList(1), f.workPath() + QStringLiteral("/top.qvn"));
    }

    void driveNotReady()
    {
        Fixture f;
        writeQuestionFile(f.file(QStringLiteral("a.qvn")), QStringLiteral("x"), 1, 1);
        f.notReady = {QStringLiteral("/media/empty")};
        f.open({{QStringLiteral("/"), {}}, {QStringLiteral("/media/empty"), QStringLiteral("CD")}});
        auto *drive = control<QComboBox>(f.w.get(), "Drive1");
        QCOMPARE(drive->count(), 2);
        QCOMPARE(drive->currentIndex(), 0);

        drive->setCurrentIndex(1);
        Q_EMIT drive->activated(1);
        QCOMPARE(f.dialogs.messages(), QStringList{QStringLiteral("ディスクをセットしてください！")});
        QCOMPARE(f.dialogs.shown.last().title, ProgramTitle);
        QCOMPARE(drive->currentIndex(), 0);
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u'/');
        QCOMPARE(entries(f.files()), QStringList{QStringLiteral("a")});
    }

    void fileOkRefusals_data()
    {
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("selected");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing selected") << 2 << 0 << QStringLiteral("テスト問題を作成するファイルを選択して下さい。");
        QTest::newRow("more than the table holds")
            << 101 << 101 << QStringLiteral("一度に選べる問題ファイルは 100 までです。選ぶファイルを減らして下さい。");
    }
    void fileOkRefusals()
    {
        QFETCH(int, files);
        QFETCH(int, selected);
        QFETCH(QString, message);
        Fixture f;
        for (int i = 0; i < files; ++i)
            writeQuestionFile(f.file(QStringLiteral("f%1.qvn").arg(i, 3, 10, QLatin1Char('0'))), QStringLiteral("x"), 1, 1);
        f.open();
        QCOMPARE(f.files()->count(), files);
        for (int i = 0; i < selected; ++i)
            f.files()->item(i)->setSelected(true);
        f.m.ChosenFileCount = 7;
        click(f.w.get(), "cmdFileOK");
        QCOMPARE(f.dialogs.kinds(), (QStringList{QStringLiteral("beep"), QStringLiteral("message")}));
        QCOMPARE(f.dialogs.shown.last().text, message);
        QCOMPARE(f.dialogs.shown.last().title, ProgramTitle);
        QVERIFY(f.modals.isEmpty());
        QCOMPARE(selectedRows(f.files()).size(), selected);
        if (selected > 100)
            QCOMPARE(f.m.ChosenFileCount, 7); // a refused choice changes nothing
    }

    void brokenFileOpensNothing()
    {
        Fixture f;
        writeQuestionFile(f.file(QStringLiteral("good.qvn")), QStringLiteral("Good"), 1, 3);
        writeSjisLines(f.file(QStringLiteral("torn.qvn")), QStringList(7, QStringLiteral("x")));
        f.open();
        selectRows(f.files(), {0, 1});
        click(f.w.get(), "cmdFileOK");
        QCOMPARE(f.dialogs.messages(), QStringList{QStringLiteral("◆データが壊れています！")});
        QCOMPARE(f.m.LoadFailed, 1);
        QVERIFY(f.modals.isEmpty());
    }

    void clearDeselectsEverything()
    {
        Fixture f;
        for (const char *name : {"a.qvn", "b.qvn", "c.qvn"})
            writeQuestionFile(f.file(QString::fromUtf8(name)), QStringLiteral("x"), 1, 1);
        f.open();
        selectRows(f.files(), {0, 2});
        click(f.w.get(), "cmdClear");
        QVERIFY(selectedRows(f.files()).isEmpty());
        QCOMPARE(f.files()->count(), 3);
    }

    // Choose files, load, decide, print to PDF, export a text file, go back.
    void wholeRoad()
    {
        Fixture f;
        writeQuestionFile(f.file(QStringLiteral("drill1.qvn")), QStringLiteral("ドリル１"), 2, 12);
        writeQuestionFile(f.file(QStringLiteral("drill2.QVN")), QStringLiteral("ドリル２"), 1, 8);
        writeQuestionFile(f.file(QStringLiteral("other.qvn")), QStringLiteral("他"), 1, 3);
        f.open();
        QCOMPARE(entries(f.files()), (QStringList{QStringLiteral("drill1"), QStringLiteral("drill2"),
                                                  QStringLiteral("other")}));
        const QString pdf = f.program.filePath(QStringLiteral("sheet.pdf"));
        const QString txt = f.file(QStringLiteral("test.txt"));

        bool walked = false;
        f.onModal = [&](QDialog &d) {
            auto *settei = qobject_cast<frmSettei *>(&d);
            QVERIFY(settei);
            QCOMPARE(text(settei, "Text5"), QStringLiteral("20"));
            QCOMPARE(text(settei, "Text1"), QStringLiteral("ドリル１\nドリル２"));
            QCOMPARE(control<QLabel>(settei, "Label10")->text(), QStringLiteral("Ver.2.04"));
            auto *parts = control<QListWidget>(settei, "List1");
            QCOMPARE(parts->count(), 3);

            selectRows(parts, {0, 2});
            click(settei, "Command6");
            QCOMPARE(text(settei, "Text4"), QStringLiteral("14")); // 6 + the last part's 8
            click(settei, "cmdSetOK");
            QVERIFY(readBytes(pdf).startsWith("%PDF"));
            QVERIFY(!enabled(settei, "cmdSetOK"));

            click(settei, "Command5");
            f.dialogs.saveAnswers.enqueue(txt);
            click(settei, "Command3");
            QVERIFY(decodeCp932(readBytes(txt)).text.contains(QStringLiteral("Question")));
            QVERIFY(!enabled(settei, "Command3"));

            QCOMPARE(selectedRows(f.files()).size(), 2);
            click(settei, "Command2");
            walked = true;
        };
        selectRows(f.files(), {1, 0});
        click(f.w.get(), "cmdFileOK");

        QVERIFY(walked);
        QCOMPARE(f.modals.size(), 1);
        QCOMPARE(f.m.ChosenFileCount, 2);
        QCOMPARE(f.m.ChosenFileList(1), f.workPath() + QStringLiteral("/drill1.qvn"));
        QCOMPARE(f.m.ChosenFileList(2), f.workPath() + QStringLiteral("/drill2.QVN"));
        QVERIFY(selectedRows(f.files()).isEmpty()); // "戻る" deselected the main list
        QCOMPARE(f.dialogs.messages(), QStringList{});
    }

    void readmePanel()
    {
        Fixture f;
        f.open();
        f.w->show();
        click(f.w.get(), "Image1");
        QVERIFY(f.frame1()->isVisible());
        QCOMPARE(f.m.ViewerMode, 1);
        QCOMPARE(text(f.w.get(), "Text1"), ReadmeMissingText);
        for (const char *name : {"cmdFileOK", "cmdClear", "Command4"})
            QVERIFY2(!enabled(f.w.get(), name), name);
        for (const char *name : {"List1", "Dir1", "Drive1", "Command2", "Image1"})
            QVERIFY2(enabled(f.w.get(), name), name);

        click(f.w.get(), "Command1");
        QVERIFY(!f.frame1()->isVisible());
        QCOMPARE(f.m.ViewerMode, 0);
        for (const char *name : {"cmdFileOK", "cmdClear", "Command4"})
            QVERIFY2(enabled(f.w.get(), name), name);
        QCOMPARE(text(f.w.get(), "Text1"), ReadmeMissingText); // kept until the next opening

        // Read anew at every opening.
        writeSjisLines(f.program.filePath(QStringLiteral("Readme.txt")),
                       {QStringLiteral("ソラリオの使い方"), QStringLiteral("二行目")});
        click(f.w.get(), "Image1");
        QCOMPARE(f.m.ReadmeText, QStringLiteral("ソラリオの使い方\r\n二行目\r\n"));
        QCOMPARE(text(f.w.get(), "Text1"), QStringLiteral("ソラリオの使い方\n二行目\n"));
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        QTest::keyClick(f.w.get(), Qt::Key_Escape); // as "戻る"
        QVERIFY(!f.frame1()->isVisible());
        QVERIFY(enabled(f.w.get(), "cmdFileOK"));
        writeSjisLines(f.program.filePath(QStringLiteral("Readme.txt")), {QStringLiteral("改訂")});
        click(f.w.get(), "Image1");
        QCOMPARE(text(f.w.get(), "Text1"), QStringLiteral("改訂\n"));
    }

    void conversionWindowAndListRefresh()
    {
        Fixture f;
        writeQuestionFile(f.file(QStringLiteral("a.qvn")), QStringLiteral("x"), 1, 1);
        QDir(f.work.path()).mkdir(QStringLiteral("sub"));
        const QString qvk = writeSjisLines(f.file(QStringLiteral("旧.qvk")),
                                           {QStringLiteral("Q1"), QString(), QStringLiteral("A1")});
        writeSjisLines(f.file(QStringLiteral("旧.ctr")), {QStringLiteral("旧問題"), QStringLiteral("1")});
        f.open();
        f.files()->item(0)->setSelected(true);

        f.onModal = [&](QDialog &d) {
            auto *henkan = qobject_cast<frmHenkan *>(&d);
            QVERIFY(henkan);
            click(henkan, "Command1"); // cancelled: nothing happens, the window stays
            f.dialogs.openAnswers.enqueue(qvk);
            click(henkan, "Command1");
            QVERIFY(QFile::exists(f.file(QStringLiteral("旧.qvn"))));
            henkan->show();
            click(henkan, "Command2");
            QVERIFY(!henkan->isVisible());
        };
        click(f.w.get(), "Command2");

        QCOMPARE(f.modals.size(), 1);
        QCOMPARE(f.dialogs.kinds().count(QStringLiteral("open")), 2);
        QCOMPARE(f.dialogs.shown[0].fileOptions.initialDir, f.m.ProgramFolder);
        QCOMPARE(entries(f.files()), (QStringList{QStringLiteral("a"), QStringLiteral("旧")}));
        QVERIFY(selectedRows(f.files()).isEmpty());
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u'/');
    }

    void endCloses()
    {
        Fixture f;
        f.open();
        f.w->show();
        click(f.w.get(), "Command4");
        QVERIFY(!f.w->isVisible());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
