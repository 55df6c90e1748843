// SPDX-License-Identifier: GPL-3.0-or-later
// The main window, and the listing, file choice and volume rules behind it.
#include "ui/PreviewZoom.h"
#include "ui/QuestionFileList.h"
#include "ui/Volumes.h"
#include "ui/frmEditor.h"
#include "ui/frmHenkan.h"
#include "ui/frmMain.h"

#include "GuiTestSupport.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QFrame>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QRegularExpression>
#include <QWheelEvent>

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

// Real clicks: a folder opens at one click, and a double-click opens it once, not the
// entry that stands there afterwards; a double-clicked question file is chosen alone
// and loaded as "ファイルＯＫ" loads it.
const struct
{
    const char *name, *list, *entry;
    bool twice;
} clickRows[] = {{"folder", "Dir1", "    unit1", false}, {"folder, double", "Dir1", "    unit1", true},
    {"question file, double", "List1", "top", true}};

// Refused choices and a broken file open nothing and change no choice.
const struct
{
    const char *name;
    int files, selected;
} refusalRows[]
    = {{"nothing selected", 2, 0}, {"more than the table holds", 101, 101}, {"a broken file", 2, 2}};

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Question files by name, numbers as text, opened by their real name; folders sorted,
    // hidden ones left out.
    void startUp()
    {
        Fixture f({u"b.qvn"_s, u"a.qvn"_s, u"C.QVN"_s, u"単元10.qvn"_s, u"単元2.qvn"_s, u"memo.txt"_s,
            u"x.qvk"_s, u"qvn"_s, u"a.qvn.bak"_s, u".hidden.qvn"_s, u"unit1/x"_s, u"A/x"_s, u".git/x"_s});
        QDir(f.work.path()).mkdir(u"folder.qvn"_s);
        writeSjisLines(f.program.filePath(u"Vk.ini"_s), {u"IPAMincho"_s, u" 12 "_s});
        writeSjisLines(f.program.filePath(u"Vk.rog"_s), {u"《三年》"_s});
        f.open();
        QCOMPARE((QStringList {f.m.options.FontName, f.m.options.SheetLogo, f.m.CurrentFolder}),
            (QStringList {u"IPAMincho"_s, u"《三年》"_s, f.workPath() + u'/'}));
        QCOMPARE(entries(f.files()), (QStringList {u"a"_s, u"b"_s, u"C"_s, u"単元10"_s, u"単元2"_s}));
        const QStringList folders = entries(f.folders());
        QCOMPARE(folders.mid(folders.indexOf(u"    A"_s)),
            (QStringList {u"    A"_s, u"    folder.qvn"_s, u"    unit1"_s}));
        QVERIFY(f.dialogs.shown.isEmpty());
        selectRows(f.files(), {0, 1});
        click(f.w.get(), "cmdClear");
        QVERIFY(selectedRows(f.files()).isEmpty());
        // Up to the root: one separator, not two.
        for (int up; (up = int(entries(f.folders()).indexOf(u".."_s))) >= 0;) {
            const QString before = f.m.CurrentFolder;
            Q_EMIT f.folders()->itemClicked(f.folders()->item(up));
            QTRY_VERIFY(f.m.CurrentFolder != before);
        }
        QCOMPARE(f.m.CurrentFolder, QDir::rootPath());
        f.w->show();
        click(f.w.get(), "Command4");
        QVERIFY(!f.w->isVisible());
        QVERIFY(
            QuestionFilesIn(u"/no/such/folder/"_s).isEmpty() && SubfoldersOf(u"/no/such/folder"_s).isEmpty());
    }

    // 「問題ファイル編集」 opens the selected file; a file saved under a new name is listed and selected.
    // A conversion starts in the listed folder, asks before replacing an edited file and
    // lists its file, nothing selected, even after a sheet was saved elsewhere.
    void editorAndConversionRefreshTheList()
    {
        Fixture f({u"a.qvn"_s});
        const QString qvk = writeSjisLines(f.file(u"旧.qvk"_s), {u"Q1"_s, QString(), u"A1"_s});
        writeSjisLines(f.file(u"旧.ctr"_s), {u"旧問題"_s, u"1"_s});
        f.open();
        f.files()->item(0)->setSelected(true);
        click(f.w.get(), "cmdEdit");
        auto *editor = f.w->findChild<frmEditor *>();
        QVERIFY(editor);
        QCOMPARE(QFileInfo(editor->filePath()).fileName(), u"a.qvn"_s);
        f.dialogs.saveAnswers.enqueue(f.file(u"0.qvn"_s)); // listed first
        editor->findChild<QAction *>(u"actSaveAs"_s)->trigger();
        QCOMPARE(entries(f.files()), (QStringList {u"0"_s, u"a"_s}));
        QCOMPARE(selectedRows(f.files()), QList<int> {0});
        f.onModal = [&](QDialog &d) {
            auto *henkan = qobject_cast<frmHenkan *>(&d);
            QVERIFY(henkan);
            click(henkan, "Command1"); // cancelled: nothing happens, the window stays
            writeSjisLines(f.file(u"旧.qvn"_s), {u"edited"_s});
            const auto before = snapshot(f.work.path());
            for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
                f.dialogs.openAnswers.enqueue(qvk);
                f.dialogs.messageAnswers.enqueue(answer);
                click(henkan, "Command1");
                QCOMPARE(f.dialogs.shown.last().text,
                    u"旧.qvn  はすでにあります。変換したファイルで置き換えますか？"_s);
                QCOMPARE(snapshot(f.work.path()) == before, answer == MessageAnswer::No);
            }
            henkan->show();
            click(henkan, "Command2");
            QVERIFY(!henkan->isVisible());
        };
        QDir::setCurrent(f.program.path()); // where a sheet was saved
        click(f.w.get(), "Command2");
        QCOMPARE(f.dialogs.kinds().count(u"open"_s), 3);
        QCOMPARE(
            f.dialogs.shown.at(f.dialogs.shown.size() - 2).fileOptions.initialDir, f.workPath() + u"/"_s);
        QCOMPARE(entries(f.files()), (QStringList {u"0"_s, u"a"_s, u"旧"_s}));
        QVERIFY(selectedRows(f.files()).isEmpty());
    }

    void listClicks_data() { addRows(clickRows); }
    void listClicks()
    {
        QFETCH(int, row);
        const auto &r = clickRows[row];
        Fixture f({u"other.qvn"_s, u"top.qvn"_s, u"unit1/u.qvn"_s});
        QDir(f.work.path()).mkpath(u"unit1/part"_s);
        f.open();
        f.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(f.w.get()));
        f.files()->item(0)->setSelected(true);
        auto *view = control<QListWidget>(f.w.get(), r.list);
        const auto clickOn = [view](const QString &entry, bool twice) {
            const QPoint at = view->visualItemRect(view->item(int(entries(view).indexOf(entry)))).center();
            // A user's double-click: a click, the event loop runs, then press, double-click, release.
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
            QCoreApplication::processEvents();
            if (twice) {
                QTest::mousePress(view->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
                QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, at);
                QCoreApplication::processEvents();
            }
        };
        clickOn(QString::fromUtf8(r.entry), r.twice);
        const bool opened = view == f.files();
        QCOMPARE(f.m.CurrentFolder, f.workPath() + (opened ? u"/"_s : u"/unit1/"_s));
        QCOMPARE(entries(f.files()), (opened ? QStringList {u"other"_s, u"top"_s} : QStringList {u"u"_s}));
        QCOMPARE(f.modals.size(), int(opened));
        QCOMPARE(f.m.ChosenFileList(1), opened ? f.workPath() + u"/top.qvn"_s : QString());
        if (opened)
            return;
        // The double-click swallowed its own release only: the next single click opens.
        clickOn(u"    part"_s, false);
        QCOMPARE(f.m.CurrentFolder, f.workPath() + u"/unit1/part/"_s);
    }

    void driveNotReady()
    {
        Fixture f({u"a.qvn"_s});
        f.open({{QDir::rootPath(), {}}, {u"/media/empty"_s, u"CD"_s}}, {u"/media/empty"_s});
        auto *drive = control<QComboBox>(f.w.get(), "Drive1");
        for (int attempt = 0; attempt < 2; ++attempt) { // the second refusal goes back like the first
            drive->setCurrentIndex(1);
            Q_EMIT drive->activated(1);
        }
        QCOMPARE(f.dialogs.kinds(), QStringList(2, u"message"_s));
        QCOMPARE(
            (QStringList {QString::number(drive->currentIndex()), f.m.CurrentFolder} + entries(f.files())),
            (QStringList {u"0"_s, f.workPath() + u'/', u"a"_s}));
    }

    void fileOkRefusals_data() { addRows(refusalRows); }
    void fileOkRefusals()
    {
        QFETCH(int, row);
        const auto &r = refusalRows[row];
        Fixture f;
        for (int i = 0; i < r.files; ++i)
            writeSjisLines(
                f.file(u"f%1.qvn"_s.arg(i, 3, 10, QLatin1Char('0'))), questionFile(u"x"_s, u"1"_s, 1));
        if (r.selected == 2)
            writeSjisLines(f.file(u"f001.qvn"_s), QStringList(7, u"x"_s));
        f.open();
        for (int i = 0; i < r.selected; ++i)
            f.files()->item(i)->setSelected(true);
        f.m.ChosenFileCount = 7;
        f.m.LoadFailed = 3;
        click(f.w.get(), "cmdFileOK");
        QCOMPARE(f.dialogs.kinds(), (QStringList {u"beep"_s, u"message"_s}));
        QVERIFY(f.modals.isEmpty());
        QCOMPARE(selectedRows(f.files()).size(), r.selected);
        QCOMPARE(int(f.m.LoadFailed), r.selected == 2 ? 1 : 3);
        if (r.selected > 100)
            QCOMPARE(f.m.ChosenFileCount, 7); // a refused choice changes nothing
    }

    // Choose files, load, go back: "戻る" deselects the main list.
    void wholeRoad()
    {
        Fixture f;
        writeSjisLines(f.file(u"drill1.qvn"_s), questionFile(u"ドリル１"_s, u"2"_s, 12, u"Question "_s));
        writeSjisLines(f.file(u"drill2.QVN"_s), questionFile(u"ドリル２"_s, u"1"_s, 8));
        writeSjisLines(f.file(u"other.qvn"_s), questionFile(u"他"_s, u"1"_s, 3));
        f.open();
        bool walked = false;
        f.onModal = [&](QDialog &d) {
            auto *settei = qobject_cast<frmSettei *>(&d);
            QVERIFY(settei);
            QCOMPARE(text(settei, "Text1"), u"ドリル１\nドリル２"_s);
            QCOMPARE(selectedRows(f.files()).size(), 2);
            click(settei, "Command2");
            walked = true;
        };
        selectRows(f.files(), {1, 0});
        click(f.w.get(), "cmdFileOK");
        QVERIFY(walked);
        QCOMPARE(int(f.m.ChosenFileCount), 2);
        QCOMPARE(f.m.ChosenFileList(2), f.workPath() + u"/drill2.QVN"_s);
        QVERIFY(selectedRows(f.files()).isEmpty());
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    // The read-me panel: read anew at every opening, empty lines kept, the file commands
    // off while it shows; "戻る" and Escape close it.
    void readmePanel()
    {
        Fixture f;
        f.open();
        f.w->show();
        click(f.w.get(), "Image1");
        QVERIFY(f.readmeShown());
        QVERIFY(!text(f.w.get(), "Text1").isEmpty()); // a missing file is said so
        const auto commands = [&f] {
            return enabledMask(f.w.get(),
                {"cmdFileOK", "cmdClear", "Command4", "List1", "Dir1", "Drive1", "Command2", "Image1"});
        };
        QCOMPARE(commands(), u"00011111"_s);
        click(f.w.get(), "Command1");
        QVERIFY(!f.readmeShown());
        QCOMPARE(commands(), u"11111111"_s);
        writeSjisLines(f.program.filePath(u"Readme.txt"_s), {u"ソラリオの使い方"_s, QString(), u"三行目"_s});
        click(f.w.get(), "Image1");
        QCOMPARE(text(f.w.get(), "Text1"), u"ソラリオの使い方\n\n三行目\n"_s);
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        QTest::keyClick(f.w.get(), Qt::Key_Escape);
        QVERIFY(!f.readmeShown());
        QCOMPARE(commands(), u"11111111"_s);
    }

    // Files added or removed in the listed folder show without a click; the choice stays.
    void listFollowsItsFolder()
    {
        Fixture f({u"a.qvn"_s, u"b.qvn"_s});
        f.open();
        f.files()->item(1)->setSelected(true);
        writeSjisLines(f.file(u"c.qvn"_s), questionFile(u"x"_s, u"1"_s, 3));
        QVERIFY(QFile::remove(f.file(u"a.qvn"_s)));
        QTRY_COMPARE(entries(f.files()), (QStringList {u"b"_s, u"c"_s}));
        QCOMPARE(selectedRows(f.files()), QList<int> {0});
    }

    // Ctrl++, Ctrl+= and Ctrl+- zoom a preview's pages; Ctrl+wheel too, the wheel alone scrolls.
    void previewZooms()
    {
        QPrinter printer;
        QWidget window;
        auto *pages = new QPrintPreviewWidget(&printer, &window);
        addPreviewZoom(*pages);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        pages->setZoomFactor(1);
        QTest::keyClick(&window, Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(pages->zoomFactor(), 1.25);
        QTest::keyClick(&window, Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(pages->zoomFactor(), 1.5625);
        QTest::keyClick(&window, Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(pages->zoomFactor(), 1.25);
        QWidget *viewport = pages->findChild<QAbstractScrollArea *>()->viewport();
        QWheelEvent wheel({10, 10}, viewport->mapToGlobal(QPointF(10, 10)), {}, {0, 120}, Qt::NoButton,
            Qt::ControlModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &wheel);
        QCOMPARE(pages->zoomFactor(), 1.5625);
    }

    // 100 files may be chosen (101 are refused through the window above); the volume of a
    // path is the longest mount it lies under; the drives: each mount once, in order, no system mounts.
    void choiceAndVolumes()
    {
        Module1 m;
        QCOMPARE(ChooseFiles(m, u"/q/"_s, QList<QuestionFileEntry>(100, {u"x"_s, u"x.qvn"_s}),
                     QList<bool>(100, true)),
            FileChoice::Chosen);
        const QList<Volume> volumes {{u"/"_s, {}}, {u"/media/usb"_s, u"USB"_s}};
        QCOMPARE((QList<int> {VolumeOf(volumes, u"/home/t"_s), VolumeOf(volumes, u"/media/usb/tests"_s),
                     VolumeOf(volumes, u"/media/usb"_s), VolumeOf(volumes, u"/media/usb2"_s),
                     VolumeOf({{u"/media/usb"_s, {}}}, u"/home"_s)}),
            (QList<int> {0, 1, 1, 0, -1}));
        QStringList roots;
        for (const Volume &v : MountedVolumes())
            roots << v.root;
        QVERIFY(roots.contains(QDir::rootPath()));
        QVERIFY(std::is_sorted(roots.begin(), roots.end()));
        QCOMPARE(QSet<QString>(roots.begin(), roots.end()).size(), roots.size());
        QVERIFY(roots.filter(QRegularExpression(u"^/(proc|sys)"_s)).isEmpty());
        QVERIFY(VolumeReady(QDir::rootPath()));
        QVERIFY(!VolumeReady(u"/no/such/medium"_s));
        QVERIFY(!VolumeReady(QCoreApplication::applicationFilePath())); // a file is no medium
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmmain.moc"
