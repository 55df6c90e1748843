// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window's states and wiring; the rules behind them are tested where they live.
#include "GuiTestSupport.h"

#include "print/TraceJson.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "setup/SettingsFiles.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>

using namespace sorario::test;

namespace {

// From the decided state (every part chosen): events and what the window shows then.
const struct Transition
{
    const char *name, *events, *runState, *text4;
    QList<int> partsAllLayoutAttach;
} transitionRows[] = {{"part deselected", "List1", "0000", "25", {1, 0, 1, 1}},
    {"start over", "Command7", "0000", "0", {0, 0, 1, 1}},
    {"no answer column", "Option2_1", "0010", "25", {2, 0, 2, 1}},
    {"answer column again", "Option2_1,Option2_0", "0010", "25", {2, 0, 1, 1}},
    {"attach answers off", "Check1", "1111", "25", {2, 1, 1, 2}},
    {"attach answers on again", "Check1,Check1", "1111", "25", {2, 1, 1, 1}}};

// Paper index, keep words, fit, keep questions, answers last, duplex padding, as a window shows them.
QString shown(QWidget *w)
{
    QString boxes;
    for (const char *box : {"chkKeepWords", "chkFit", "chkKeepQuestions", "chkAnswersLast", "chkDuplexPad"})
        boxes += u' ' + QString::number(control<QCheckBox>(w, box)->isChecked());
    return QString::number(control<QComboBox>(w, "cboPaper")->currentIndex()) + boxes;
}

// Every run resets the window, whatever came of it: "印刷" and "プレビュー" (print dialog OK, or
// printed from the preview; the capacity prompt cancelled), "テキストファイル作成" and 「文書ファイル作成」.
const struct
{
    const char *name, *button, *file, *mark;
    int count;
    bool answer;
    QStringList shown;
} runRows[] = {{"printed", "cmdSetOK", "sheet.pdf", "%PDF", 10, true, {u"print"_s}},
    {"printed from the preview", "cmdPreview", "sheet.pdf", "%PDF", 10, true, {u"preview"_s}},
    {"preview closed", "cmdPreview", "sheet.pdf", "%PDF", 10, false, {u"preview"_s}},
    {"prompt cancelled: no preview", "cmdPreview", "sheet.pdf", "%PDF", 150, false, {u"message"_s}},
    {"text saved", "Command3", "t.txt", "Question ", 10, true, {u"save"_s}},
    {"text not saved", "Command3", "t.txt", "Question ", 10, false, {u"save"_s}},
    {"document saved", "cmdDocument", "t.odt", "PK", 10, true, {u"save"_s}}};

// A run that fails on paper at its first operation, or is printed from the preview to a
// PDF in a folder that is gone, then what the window showed.
const struct
{
    const char *name, *button;
    bool fromPreview;
    QStringList shown;
    QString message;
} failedRunRows[] = {
    {"print", "cmdSetOK", false, {u"print"_s, u"message"_s}, u"プリンターが印刷を受け付けませんでした。"_s},
    {"preview", "cmdPreview", false, {u"message"_s}, u"プリンターが印刷を受け付けませんでした。"_s},
    {"printed from the preview", "cmdPreview", true, {u"preview"_s, u"message"_s},
        u"PDFファイルを保存するフォルダーがありません。"_s}};

// Answers last follows keep words, duplex padding the fitted first page.
const struct PaperOptionsRow
{
    const char *name;
    int paper;
    bool keepWords, fit, keepQuestions;
} paperOptionsRows[] = {
    {.name = "B5, words kept", .paper = 0, .keepWords = true, .fit = false, .keepQuestions = false},
    {.name = "B4 two-up, words and questions kept, answers last",
        .paper = 2,
        .keepWords = true,
        .fit = false,
        .keepQuestions = true},
    {.name = "A3 two-up, first page fitted, duplex padding",
        .paper = 3,
        .keepWords = false,
        .fit = true,
        .keepQuestions = false},
};

} // namespace

class TestFrmSettei : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openingState()
    {
        SetupFixture f;
        f.m.LoadedTitles = u"Drill A\r\nDrill B\r\n"_s;
        f.m.options.AnswerLayout = f.m.options.AttachAnswers = 2;
        f.m.QuestionCount = 3;
        f.m.options.FontName = u"IPAMincho"_s;
        f.m.options.FontSize = 12;
        f.m.options.SheetLogo = u"《三年》"_s;
        f.open();
        QCOMPARE(f.m.options.AnswerLayout, 1);
        QCOMPARE(f.m.options.AttachAnswers, 1);
        QCOMPARE(f.m.QuestionCount, 10);
        QCOMPARE(f.parts()->count(), 2);
        QCOMPARE(control<QSpinBox>(f.w.get(), "spnSheetCount")->value(), 1);
        QCOMPARE(control<QSpinBox>(f.w.get(), "spnAvoidRecent")->value(), 0);
        QVERIFY(control<QRadioButton>(f.w.get(), "Option2_0")->isChecked());
        QVERIFY(control<QCheckBox>(f.w.get(), "Check1")->isChecked());
        QStringList texts;
        for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
            texts << text(f.w.get(), name);
        QCOMPARE(texts,
            (QStringList {u"Drill A\nDrill B"_s, u"IPAMincho"_s, u"12"_s, u"0"_s, u"25"_s, u"《三年》"_s}));
        f.verifyReset();
    }

    // "範囲決定" shows the decided range and its counts, the count selected; a count chosen
    // in the list is the count.
    void rangeDecision()
    {
        SetupFixture f(30, 3);
        selectRows(f.parts(), {0, 2});
        f.press("Command6");
        QCOMPARE(text(f.w.get(), "Text4"), u"20"_s);
        QCOMPARE(f.counts()->count(), 20);
        QCOMPARE(f.runState(), u"1111"_s);
        QCOMPARE(selectedRows(f.counts()), QList<int> {9});
        QCOMPARE(f.dialogs.kinds(), QStringList {});
        f.counts()->item(4)->setSelected(true);
        QCOMPARE(f.m.QuestionCount, 5);
    }

    // A refused decision (no part selected; 全範囲 over the 500 parts) leaves the window as it was.
    void refusedDecisions()
    {
        for (int partCount : {2, 501}) {
            SetupFixture f(std::max(25, partCount), partCount);
            selectRows(f.parts(), {0});
            f.press("Command6");
            if (partCount == 2) {
                const QSignalBlocker quiet(f.parts()); // a deselection by code, not by the user
                f.parts()->clearSelection();
            }
            const QList<int> parts = selectedRows(f.parts()), counts = selectedRows(f.counts());
            const QString range = text(f.w.get(), "Text4");
            f.press(partCount == 2 ? "Command6" : "Command5");
            QCOMPARE(f.dialogs.kinds(), (QStringList {u"beep"_s, u"message"_s}));
            QCOMPARE(f.runState(), u"1111"_s);
            QCOMPARE(text(f.w.get(), "Text4"), range);
            QCOMPARE(selectedRows(f.parts()), parts);
            QCOMPARE(selectedRows(f.counts()), counts);
            QCOMPARE(f.m.AllPartsChosen, 0);
        }
    }

    // "戻る", Escape and the title bar's close button leave alike.
    void leaving()
    {
        SetupFixture f;
        for (int how = 0; how < 3; ++how) {
            f.w->show();
            how == 0       ? f.press("Command2")
                : how == 1 ? QTest::keyClick(f.w.get(), Qt::Key_Escape)
                           : void(f.w->close());
            QCOMPARE(f.returnings, how + 1);
            QVERIFY(!f.w->isVisible());
        }
    }

    void transitions_data() { addRows(transitionRows); }
    void transitions()
    {
        QFETCH(int, row);
        const Transition &t = transitionRows[row];
        SetupFixture f;
        f.press("Command5");
        QCOMPARE(f.runState(), u"1111"_s);
        const std::int16_t range = f.m.RangeQuestionCount, count = f.m.QuestionCount;
        for (const QString &step : QString::fromLatin1(t.events).split(u','))
            step == u"List1" ? f.parts()->item(0)->setSelected(false) : f.press(step.toLatin1().constData());
        QCOMPARE(f.runState(), QLatin1String(t.runState));
        QCOMPARE(text(f.w.get(), "Text4"), QLatin1String(t.text4));
        QCOMPARE(selectedRows(f.parts()).size(), t.partsAllLayoutAttach[0]);
        QCOMPARE(f.m.AllPartsChosen, t.partsAllLayoutAttach[1]);
        QCOMPARE(f.m.options.AnswerLayout, t.partsAllLayoutAttach[2]);
        QCOMPARE(f.m.options.AttachAnswers, t.partsAllLayoutAttach[3]);
        if (f.runState().startsWith(u'0'))
            QCOMPARE(f.counts()->count(), 0);
        // Undoing a choice never touches the range or the count.
        QCOMPARE(f.m.RangeQuestionCount, range);
        QCOMPARE(f.m.QuestionCount, count);
    }

    // The font choice (taken, or refused keeping the old font), the default font and
    // "フォント記憶"; nothing is saved until asked; the face printed is said. The logo typed, blanks kept, or
    // the default on cancel: shown and saved; one too long refused.
    void fonts()
    {
        for (const bool refused : {false, true}) {
            SetupFixture f;
            f.m.options.FontName = u"IPAGothic"_s;
            f.m.options.FontSize = 11;
            f.m.options.SheetLogo = u"前のロゴ"_s;
            f.open();
            f.dialogs.fontAnswers.enqueue(FontChoice {u"IPAMincho"_s, refused ? 41.0 : 10.5});
            f.press("cmdFonts_1");
            // Opens on the current font.
            QCOMPARE(f.dialogs.messages().size(), qsizetype(refused));
            QCOMPARE(f.dialogs.shown[0].text, u"IPAGothic"_s);
            const QString face = refused ? u"IPAGothic"_s : u"IPAMincho"_s;
            const QString size = refused ? u"11"_s : u"10"_s;
            QCOMPARE(f.m.options.FontName, face);
            QCOMPARE(QString::number(f.m.options.FontSize), size);
            QCOMPARE(text(f.w.get(), "Text2"), face);
            QCOMPARE(text(f.w.get(), "Text3"), size);
            f.press("cmdFonts_0");
            QCOMPARE(text(f.w.get(), "Text2"), u"ＭＳ Ｐ明朝"_s);
            if (QSysInfo::productType() != u"windows"_s) // where a stand-in prints in its place
                QCOMPARE(control<QWidget>(f.w.get(), "Text2")->toolTip(), u"印刷される書体: IPAPMincho"_s);
            QCOMPARE(f.m.options.FontName, u"ＭＳ Ｐ明朝"_s);
            QVERIFY(!QFile::exists(SettingsFilePath(settingsFoldersOf(f.m))));
            f.m.options.FontName = u"IPAPMincho"_s;
            f.press("Command1");
            QVERIFY(QFile::exists(
                SettingsFilePath(settingsFoldersOf(f.m)))); // what it holds: the settings' own test
            if (refused) { // a logo of 101 characters: refused, nothing saved
                f.dialogs.inputAnswers.enqueue(QString(101, u'長'));
                f.press("Command4");
                QCOMPARE(f.m.options.SheetLogo, u"前のロゴ"_s);
                QVERIFY(!QFile::exists(LogoFilePath(settingsFoldersOf(f.m))));
                QCOMPARE(f.dialogs.messages().size(), 2);
            }
            f.dialogs.inputAnswers.enqueue(refused ? QString() : u" 三年 Ａ組 "_s);
            f.press("Command4");
            const QString logo = refused ? u"《ミナセラ》"_s : u" 三年 Ａ組 "_s;
            QCOMPARE(text(f.w.get(), "Text6"), logo);
            f.m.options.SheetLogo.clear();
            LoadSheetLogo(f.m);
            QCOMPARE(f.m.options.SheetLogo, logo);
        }
    }

    void runs_data() { addRows(runRows); }
    void runs()
    {
        QFETCH(int, row);
        const auto &r = runRows[row];
        SetupFixture f(200, 1);
        f.press("Command5");
        f.counts()->item(r.count - 1)->setSelected(true);
        const QString out = f.dir.filePath(QLatin1String(r.file));
        f.dialogs.saveAnswers.enqueue(r.answer ? std::optional(out) : std::nullopt);
        f.dialogs.printAnswers.enqueue(r.answer);
        f.dialogs.previewAnswers.enqueue(r.answer);
        f.dialogs.messageAnswers.enqueue(MessageAnswer::Cancel);
        f.w->show();
        QVERIFY(QTest::qWaitForWindowActive(f.w.get()));
        QWidget *button = control<QWidget>(f.w.get(), r.button);
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
        QCOMPARE(f.dialogs.kinds(), r.shown);
        QCOMPARE(readBytes(out).contains(r.mark), r.answer);
        f.verifyReset();
        // A teacher's Enter "to confirm" keeps the window and the loaded files.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(f.w->isVisible());
        QCOMPARE(f.returnings, 0);
    }

    // A failed run says why, in the program's message box, and the window is reset as after any run.
    void failedRuns_data() { addRows(failedRunRows); }
    void failedRuns()
    {
        QFETCH(int, row);
        const auto &r = failedRunRows[row];
        SetupFixture f(10, 1);
        RecordingSurface paper;
        paper.failAtOperation(1);
        const PrintTargetFactory onPaper
            = [&paper](PrintPurpose) { return std::make_unique<SurfaceTarget>(paper); };
        f.open(r.fromPreview ? pdfSurfaces(f.dir.filePath(u"gone/sheet.pdf"_s)) : onPaper);
        f.press("Command5");
        f.dialogs.previewAnswers.enqueue(true);
        f.press(r.button);
        QCOMPARE(f.dialogs.kinds(), r.shown);
        QCOMPARE(f.dialogs.shown.last().text.section(u'\n', 0, 0), r.message); // then the file
        QCOMPARE(f.dialogs.shown.last().title, u"ソラリオ"_s);
        f.verifyReset();
    }

    // "枚数" of 3: three sheets in one document on the paper chosen, the count kept for the
    // next run and 1 again in a new window; the preview shows, operation for operation,
    // what "印刷" prints.
    void sheetCountAndPreview()
    {
        QByteArray traces[2];
        for (int i = 0; i < 2; ++i) {
            SetupFixture f(200, 1);
            f.m.clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 321)));
            RecordingSurface paper;
            f.open([&paper](PrintPurpose) { return std::make_unique<SurfaceTarget>(paper); });
            auto *box = control<QSpinBox>(f.w.get(), "spnSheetCount");
            box->setValue(3);
            control<QComboBox>(f.w.get(), "cboPaper")->setCurrentIndex(2);
            f.press("Command5");
            f.press(i == 0 ? "cmdSetOK" : "cmdPreview");
            // A target with nothing to show opens no preview.
            QCOMPARE(f.dialogs.kinds(), i == 0 ? QStringList {u"print"_s} : QStringList {});
            QCOMPARE(paper.log().pagesDelivered(), 7); // three question pages, a blank, three answer pages
            QCOMPARE(paper.log().paper(), Paper::B4TwoUp);
            QCOMPARE(box->value(), 3);
            traces[i] = TraceJson(paper.log());
            f.open();
            QCOMPARE(f.m.options.sheetCount, 1);
        }
        QCOMPARE(traces[1], traces[0]);
    }

    // A text file saved, then sheets printed to a PDF: the line under the lists names
    // each file; a save cancelled leaves the line as it was.
    void savesSayWhere()
    {
        SetupFixture f(10, 1);
        const auto run = [&f](const char *button) {
            f.press("Command5");
            f.counts()->item(9)->setSelected(true);
            f.press(button);
        };
        auto *status = control<QLabel>(f.w.get(), "lblStatus");
        const QString text = f.dir.filePath(u"t.txt"_s);
        f.dialogs.saveAnswers << text << std::nullopt;
        run("Command3");
        QCOMPARE(status->text(), u"保存しました: "_s + QDir::toNativeSeparators(text));
        run("Command3");
        QCOMPARE(status->text(), u"保存しました: "_s + QDir::toNativeSeparators(text));
        run("cmdSetOK");
        QCOMPARE(status->text(), u"保存しました: "_s + QDir::toNativeSeparators(f.pdf()));
    }

    // The paper options are kept in their own file, for the next window.
    // Fits a 1366×768 screen below its title bar, above a taskbar.
    void fitsALaptopScreen()
    {
        SetupFixture f(10, 1);
        f.open();
        QVERIFY(f.w->minimumSizeHint().height() <= 680);
    }

    void paperOptions_data() { addRows(paperOptionsRows); }
    void paperOptions()
    {
        QFETCH(int, row);
        const PaperOptionsRow &r = paperOptionsRows[row];
        SetupFixture f(10, 1);
        QCOMPARE(shown(f.w.get()), u"0 0 0 0 0 0"_s);
        control<QComboBox>(f.w.get(), "cboPaper")->setCurrentIndex(r.paper);
        control<QCheckBox>(f.w.get(), "chkKeepWords")->setChecked(r.keepWords);
        control<QCheckBox>(f.w.get(), "chkFit")->setChecked(r.fit);
        control<QCheckBox>(f.w.get(), "chkKeepQuestions")->setChecked(r.keepQuestions);
        control<QCheckBox>(f.w.get(), "chkAnswersLast")->setChecked(r.keepWords);
        control<QCheckBox>(f.w.get(), "chkDuplexPad")->setChecked(r.fit);
        f.w.reset();
        QVERIFY(!QFileInfo::exists(SettingsFilePath(settingsFoldersOf(f.m))));
        Module1 next;
        next.ProgramFolder = f.dir.path();
        fillBank(next, 10, 1);
        loadPrintOptions(next);
        frmSettei w(next, f.dialogs);
        QCOMPARE(
            shown(&w), u"%1 %2 %3 %4 %2 %3"_s.arg(r.paper).arg(r.keepWords).arg(r.fit).arg(r.keepQuestions));
    }
};

QTEST_MAIN(TestFrmSettei)
#include "tst_frmsettei.moc"
