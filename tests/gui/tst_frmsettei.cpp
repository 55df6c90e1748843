// The set-up window: opening state, every transition of its two states, options,
// font and logo, and the two runs with the reset after each.
#include "setup/frmSettei.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include "print/RecordingSurface.h"
#include "print/TraceJson.h"
#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sorario;
using namespace sorario::test;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    Module1 m;
    ScriptedDialogs dialogs;
    int returnings = 0;
    std::unique_ptr<frmSettei> w;

    QString pdfPath() const { return dir.filePath(QStringLiteral("sheet.pdf")); }

    explicit Fixture(int count = 25, int parts = 2)
    {
        m.ProgramFolder = dir.path();
        m.VersionText = ProgramVersion;
        fillBank(m, count, parts);
        open();
    }
    void open()
    {
        w = std::make_unique<frmSettei>(m, dialogs, pdfSurfaces(pdfPath()));
        QObject::connect(w.get(), &frmSettei::returning, [this] { ++returnings; });
    }
    QListWidget *parts() { return control<QListWidget>(w.get(), "List1"); }
    QListWidget *counts() { return control<QListWidget>(w.get(), "List2"); }
    void decideAll() { click(w.get(), "Command5"); }
    // The run-command states: List2, cmdSetOK, Command3, Command7.
    QString runState()
    {
        QString s;
        for (const char *name : {"List2", "cmdSetOK", "Command3", "Command7"})
            s += enabled(w.get(), name) ? u'1' : u'0';
        return s;
    }
};

} // namespace

class TestFrmSettei : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void openingState()
    {
        QTemporaryDir dir;
        Module1 m;
        m.ProgramFolder = dir.path();
        m.VersionText = ProgramVersion;
        fillBank(m, 25, 2, QStringLiteral("Drill A\r\nDrill B\r\n"));
        m.AnswerLayout = 2;
        m.AttachAnswers = 2;
        m.QuestionCount = 3;
        m.FontName = QStringLiteral("IPAMincho");
        m.FontSize = 12;
        m.SheetLogo = QStringLiteral("《三年》");
        ScriptedDialogs dialogs;
        frmSettei w(m, dialogs);

        QCOMPARE(m.AnswerLayout, 1);
        QCOMPARE(m.AttachAnswers, 1);
        QCOMPARE(m.QuestionCount, 10);
        QVERIFY(control<QRadioButton>(&w, "Option2_0")->isChecked());
        QVERIFY(control<QCheckBox>(&w, "Check1")->isChecked());
        QCOMPARE(text(&w, "Text1"), QStringLiteral("Drill A\nDrill B"));
        QCOMPARE(text(&w, "Text2"), QStringLiteral("IPAMincho"));
        QCOMPARE(text(&w, "Text3"), QStringLiteral("12"));
        QCOMPARE(text(&w, "Text4"), QStringLiteral("0"));
        QCOMPARE(text(&w, "Text5"), QStringLiteral("25"));
        QCOMPARE(text(&w, "Text6"), QStringLiteral("《三年》"));
        QCOMPARE(control<QLabel>(&w, "Label10")->text(), ProgramVersion);
        QCOMPARE(entries(control<QListWidget>(&w, "List1")),
                 (QStringList{QStringLiteral("その  1"), QStringLiteral("その  2")}));
        QVERIFY(selectedRows(control<QListWidget>(&w, "List1")).isEmpty());
        QCOMPARE(control<QListWidget>(&w, "List2")->count(), 0);
        for (const char *name : {"List2", "cmdSetOK", "Command3", "Command7"})
            QVERIFY2(!enabled(&w, name), name);
        QVERIFY(dialogs.shown.isEmpty());
    }

    void rangeDecision_data()
    {
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("partCount");
        QTest::addColumn<QList<int>>("chosen");
        QTest::addColumn<int>("countBefore");
        QTest::addColumn<QString>("text4");
        QTest::addColumn<int>("offered");
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<int>("countAfter");
        QTest::addColumn<QStringList>("partNumbers");
        QTest::addColumn<int>("all");
        QTest::newRow("first and third of three") << 30 << 3 << QList<int>{0, 2} << 10 << QStringLiteral("20")
                                                  << 20 << 9 << 10
                                                  << QStringList{QStringLiteral("１"), QStringLiteral("３")} << 0;
        QTest::newRow("range below the count") << 7 << 1 << QList<int>{0} << 10 << QStringLiteral("7") << 7 << 6
                                               << 7 << QStringList{QStringLiteral("１")} << 1;
        QTest::newRow("a smaller count is kept") << 30 << 1 << QList<int>{0} << 7 << QStringLiteral("30") << 30
                                                 << 6 << 7 << QStringList{QStringLiteral("１")} << 1;
        QTest::newRow("empty parts") << 3 << 5 << QList<int>{0, 1, 2, 3} << 10 << QStringLiteral("0") << 0 << -1
                                     << 0
                                     << QStringList{QStringLiteral("１"), QStringLiteral("２"),
                                                    QStringLiteral("３"), QStringLiteral("４")}
                                     << 0;
        QTest::newRow("no more than the draw holds") << 1500 << 1 << QList<int>{0} << 10
                                                     << QStringLiteral("1500") << 1000 << 9 << 10
                                                     << QStringList{QStringLiteral("１")} << 1;
    }
    void rangeDecision()
    {
        QFETCH(int, bank);
        QFETCH(int, partCount);
        QFETCH(QList<int>, chosen);
        QFETCH(int, countBefore);
        QFETCH(QString, text4);
        QFETCH(int, offered);
        QFETCH(int, selectedRow);
        QFETCH(int, countAfter);
        QFETCH(QStringList, partNumbers);
        QFETCH(int, all);

        Fixture f(bank, partCount);
        f.m.QuestionCount = static_cast<std::int16_t>(countBefore);
        selectRows(f.parts(), chosen);
        click(f.w.get(), "Command6");

        QCOMPARE(text(f.w.get(), "Text4"), text4);
        QCOMPARE(f.counts()->count(), offered);
        if (offered > 0) {
            QCOMPARE(f.counts()->item(0)->text(), QStringLiteral("    1題"));
            QCOMPARE(f.counts()->item(offered - 1)->text(),
                     QString::number(offered).rightJustified(5, u' ') + QStringLiteral("題"));
        }
        QCOMPARE(selectedRows(f.counts()), selectedRow < 0 ? QList<int>{} : QList<int>{selectedRow});
        QCOMPARE(int(f.m.QuestionCount), countAfter);
        QCOMPARE(f.runState(), QStringLiteral("1111"));
        QCOMPARE(int(f.m.ChosenPartCount), partNumbers.size());
        for (int i = 0; i < partNumbers.size(); ++i)
            QCOMPARE(f.m.ChosenPartNumbers(i + 1), partNumbers[i]);
        QCOMPARE(int(f.m.AllPartsChosen), all);
        QVERIFY(f.dialogs.shown.isEmpty());
    }

    void laterRangeKeepsTheCountChosenEarlier()
    {
        Fixture f(37, 2); // parts of 18 and 19
        selectRows(f.parts(), {0});
        click(f.w.get(), "Command6");
        f.counts()->item(4)->setSelected(true); // "    5題"
        QCOMPARE(f.m.QuestionCount, 5);
        f.parts()->item(1)->setSelected(true);
        click(f.w.get(), "Command6");
        QCOMPARE(selectedRows(f.counts()), QList<int>{4});
        QCOMPARE(f.m.RangeQuestionCount, 37);
        QCOMPARE(f.m.RangePool(19), question(19));
    }

    // A refused decision leaves the window exactly as it was: selection, range, state.
    void refusedDecisions_data()
    {
        QTest::addColumn<int>("partCount");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("message");
        QTest::newRow("no part selected")
            << 2 << QStringLiteral("Command6") << QStringLiteral("問題範囲を設定して下さい。");
        QTest::newRow("whole range over the 500 parts") << 501 << QStringLiteral("Command5") << QString();
    }
    void refusedDecisions()
    {
        QFETCH(int, partCount);
        QFETCH(QString, button);
        QFETCH(QString, message);
        Fixture f(std::max(25, partCount), partCount);
        selectRows(f.parts(), {0});
        click(f.w.get(), "Command6");
        if (button == QLatin1String("Command6")) {
            const QSignalBlocker quiet(f.parts()); // a deselection by code, not by the user
            f.parts()->clearSelection();
        }
        const QList<int> parts = selectedRows(f.parts());
        const QList<int> counts = selectedRows(f.counts());
        const std::int16_t all = f.m.AllPartsChosen;
        const QString range = text(f.w.get(), "Text4");
        click(f.w.get(), button.toLatin1().constData());
        QCOMPARE(f.dialogs.kinds(), (QStringList{QStringLiteral("beep"), QStringLiteral("message")}));
        if (!message.isEmpty())
            QCOMPARE(f.dialogs.shown.last().text, message);
        QCOMPARE(f.dialogs.shown.last().title, ProgramTitle);
        QCOMPARE(f.runState(), QStringLiteral("1111"));
        QCOMPARE(selectedRows(f.parts()), parts);
        QCOMPARE(selectedRows(f.counts()), counts);
        QCOMPARE(f.m.AllPartsChosen, all);
        QCOMPARE(text(f.w.get(), "Text4"), range);
    }

    // Escape and the title bar's close button leave as "戻る" does.
    void leaving_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("戻る") << 0;
        QTest::newRow("Escape") << 1;
        QTest::newRow("close button") << 2;
    }
    void leaving()
    {
        QFETCH(int, how);
        Fixture f;
        f.w->show();
        how == 0 ? click(f.w.get(), "Command2") : how == 1 ? QTest::keyClick(f.w.get(), Qt::Key_Escape) : void(f.w->close());
        QCOMPARE(f.returnings, 1);
        QVERIFY(!f.w->isVisible());
    }

    // From the decided state (every part chosen), one event and what the window shows then.
    void transitions_data()
    {
        QTest::addColumn<QString>("event");
        QTest::addColumn<QString>("runState");
        QTest::addColumn<QString>("text4");
        QTest::addColumn<int>("selectedParts");
        QTest::addColumn<int>("all");
        QTest::addColumn<int>("layout");
        QTest::addColumn<int>("attach");
        QTest::newRow("part selection changed") << QStringLiteral("List1") << QStringLiteral("0000")
                                                << QStringLiteral("25") << 1 << 0 << 1 << 1;
        QTest::newRow("start over") << QStringLiteral("Command7") << QStringLiteral("0000") << QStringLiteral("0")
                                    << 0 << 0 << 1 << 1;
        QTest::newRow("no answer column") << QStringLiteral("Option2_1") << QStringLiteral("0010")
                                          << QStringLiteral("25") << 2 << 0 << 2 << 1;
        QTest::newRow("answer column again") << QStringLiteral("Option2_1,Option2_0") << QStringLiteral("0010")
                                             << QStringLiteral("25") << 2 << 0 << 1 << 1;
        QTest::newRow("attach answers off") << QStringLiteral("Check1") << QStringLiteral("1111")
                                            << QStringLiteral("25") << 2 << 1 << 1 << 2;
        QTest::newRow("attach answers on again") << QStringLiteral("Check1,Check1") << QStringLiteral("1111")
                                                 << QStringLiteral("25") << 2 << 1 << 1 << 1;
    }
    void transitions()
    {
        QFETCH(QString, event);
        QFETCH(QString, runState);

        Fixture f;
        f.decideAll();
        QCOMPARE(f.runState(), QStringLiteral("1111"));
        QCOMPARE(f.m.AllPartsChosen, 1);
        const std::int16_t range = f.m.RangeQuestionCount;
        const std::int16_t count = f.m.QuestionCount;

        for (const QString &step : event.split(u',')) {
            if (step == QLatin1String("List1"))
                f.parts()->item(0)->setSelected(false);
            else
                control<QAbstractButton>(f.w.get(), step.toLatin1().constData())->click();
        }
        QCOMPARE(f.runState(), runState);
        QTEST(text(f.w.get(), "Text4"), "text4");
        QTEST(int(selectedRows(f.parts()).size()), "selectedParts");
        QTEST(int(f.m.AllPartsChosen), "all");
        QTEST(int(f.m.AnswerLayout), "layout");
        QTEST(int(f.m.AttachAnswers), "attach");
        if (runState.startsWith(u'0'))
            QCOMPARE(f.counts()->count(), 0);
        // Undoing a choice never touches the range or the count.
        QCOMPARE(f.m.RangeQuestionCount, range);
        QCOMPARE(f.m.QuestionCount, count);
    }

    void fontDialog_data()
    {
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("points");
        QTest::addColumn<QStringList>("shown");
        const QStringList font {QStringLiteral("font")};
        const QStringList refused {QStringLiteral("font"), QStringLiteral("message")};
        QTest::newRow("half to even, down")
            << QStringLiteral("IPAMincho") << 10.5 << QStringLiteral("IPAMincho") << 10 << font;
        QTest::newRow("vertical face")
            << QStringLiteral("@ＭＳ 明朝") << 14.0 << QStringLiteral("ＭＳ 明朝") << 14 << font;
        QTest::newRow("cancelled: nothing changes")
            << QString() << 0.0 << QStringLiteral("IPAGothic") << 11 << font;
        QTest::newRow("41 refused, the old font stays")
            << QStringLiteral("IPAMincho") << 41.0 << QStringLiteral("IPAGothic") << 11 << refused;
    }
    void fontDialog()
    {
        QFETCH(QString, face);
        QFETCH(double, size);
        QFETCH(QString, name);
        QFETCH(int, points);
        Fixture f;
        f.m.FontName = QStringLiteral("IPAGothic");
        f.m.FontSize = 11;
        f.open();
        if (!face.isEmpty()) // else the script cancels
            f.dialogs.fontAnswers.enqueue(FontChoice{face, size});
        click(f.w.get(), "cmdFonts_1");
        QTEST(f.dialogs.kinds(), "shown");
        QCOMPARE(f.dialogs.shown[0].text, QStringLiteral("IPAGothic")); // initial face
        QCOMPARE(f.dialogs.shown[0].title, QStringLiteral("11"));        // initial size
        QCOMPARE(f.dialogs.shown[0].flags, 0x20002);
        QCOMPARE(f.m.FontName, name);
        QCOMPARE(int(f.m.FontSize), points);
        QCOMPARE(text(f.w.get(), "Text2"), name);
        QCOMPARE(text(f.w.get(), "Text3"), QString::number(points));
        QVERIFY(!QFile::exists(SettingsFilePath(f.m))); // nothing saved
    }

    void defaultFontThenRemember()
    {
        Fixture f;
        f.m.FontName = QStringLiteral("IPAGothic");
        f.m.FontSize = 20;
        f.open();
        click(f.w.get(), "cmdFonts_0");
        QCOMPARE(f.m.FontName, DefaultFontName);
        QCOMPARE(f.m.FontSize, 10);
        QCOMPARE(text(f.w.get(), "Text2"), DefaultFontName);
        QCOMPARE(text(f.w.get(), "Text3"), QStringLiteral("10"));
        QVERIFY(!QFile::exists(SettingsFilePath(f.m)));

        f.m.FontName = QStringLiteral("IPAPMincho");
        click(f.w.get(), "Command1"); // "フォント記憶"
        Module1 fresh;
        fresh.ProgramFolder = f.m.ProgramFolder;
        LoadFontSettings(fresh);
        QCOMPARE(fresh.FontName, QStringLiteral("IPAPMincho"));
        QCOMPARE(fresh.FontSize, 10);
    }

    void sheetLogo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("logo");
        QTest::newRow("own text, blanks kept") << QStringLiteral(" 三年 Ａ組 ") << QStringLiteral(" 三年 Ａ組 ");
        QTest::newRow("default confirmed") << DefaultSheetLogo << DefaultSheetLogo;
        QTest::newRow("cancel or empty") << QString() << DefaultSheetLogo;
    }
    void sheetLogo()
    {
        QFETCH(QString, answer);
        QFETCH(QString, logo);
        Fixture f;
        f.m.SheetLogo = QStringLiteral("前のロゴ");
        f.dialogs.inputAnswers.enqueue(answer);
        click(f.w.get(), "Command4");
        QCOMPARE(f.dialogs.shown.size(), 1);
        QCOMPARE(f.dialogs.shown[0].text, QStringLiteral("シートロゴを入力して下さい。"));
        QCOMPARE(f.dialogs.shown[0].title, ProgramTitle);
        QCOMPARE(f.dialogs.shown[0].fileOptions.fileName, DefaultSheetLogo); // not the current logo
        QCOMPARE(f.m.SheetLogo, logo);
        QCOMPARE(text(f.w.get(), "Text6"), logo);
        Module1 fresh;
        fresh.ProgramFolder = f.m.ProgramFolder;
        LoadSheetLogo(fresh);
        QCOMPARE(fresh.SheetLogo, logo);
    }

    void textExport_data()
    {
        QTest::addColumn<bool>("noAnswerColumn");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("answer5");
        QTest::addColumn<QStringList>("shown");
        const QStringList save {QStringLiteral("save")};
        const QStringList asked {QStringLiteral("message"), QStringLiteral("save")};
        QTest::newRow("with answer column") << false << true << QString() << save;
        QTest::newRow("without: answers in the brackets") << true << true << QString() << save;
        QTest::newRow("cancelled still resets") << false << false << QString() << save;
        QTest::newRow("lost characters named, はい saves")
            << false << true << QStringLiteral("café") << asked;
        QTest::newRow("いいえ saves nothing")
            << false << false << QStringLiteral("café") << QStringList {QStringLiteral("message")};
    }
    void textExport()
    {
        QFETCH(bool, noAnswerColumn);
        QFETCH(bool, saved);
        QFETCH(QString, answer5);
        Fixture f(5, 1);
        if (!answer5.isEmpty()) {
            f.m.QuestionBank(5).Answer = answer5;
            f.dialogs.messageAnswers.enqueue(saved ? MessageAnswer::Yes : MessageAnswer::No);
        }
        f.decideAll();
        if (noAnswerColumn)
            click(f.w.get(), "Option2_1"); // leaves "テキストファイル作成" enabled
        const QString out = f.dir.filePath(QStringLiteral("test.txt"));
        if (saved)
            f.dialogs.saveAnswers.enqueue(out);
        click(f.w.get(), "Command3");

        QTEST(f.dialogs.kinds(), "shown");
        if (!answer5.isEmpty())
            QVERIFY(f.dialogs.shown[0].text.contains(QStringLiteral("é")));
        const QString written = decodeCp932(readBytes(out)).text;
        QCOMPARE(written.contains(QStringLiteral("Question 5 ")), saved);
        for (int k = 1; k <= 5 && saved; ++k)
            QCOMPARE(written.contains(QStringLiteral("（a%1）").arg(k)), noAnswerColumn);
        QCOMPARE(f.runState(), QStringLiteral("0000"));
        QCOMPARE(text(f.w.get(), "Text4"), QStringLiteral("0"));
        QVERIFY(selectedRows(f.parts()).isEmpty());
    }

    // 「文書ファイル作成」 goes with 「テキストファイル作成」: it writes the document and resets the window.
    void documentExport()
    {
        Fixture f(5, 1);
        f.decideAll();
        QVERIFY(enabled(f.w.get(), "cmdDocument"));
        const QString out = f.dir.filePath(QStringLiteral("test.odt"));
        f.dialogs.saveAnswers.enqueue(out);
        click(f.w.get(), "cmdDocument");
        QCOMPARE(f.dialogs.kinds(), QStringList {QStringLiteral("save")});
        QVERIFY(readBytes(out).startsWith("PK"));
        QCOMPARE(f.runState(), QStringLiteral("0000"));
        QVERIFY(!enabled(f.w.get(), "cmdDocument"));
    }

    // "印刷" hands the run the window's choices and resets the window after it,
    // whatever came of it; the prompt's answers are the print run's own.
    void printRuns_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("dialogOk");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<bool>("printed");
        QTest::newRow("printed") << 10 << true << QStringList{QStringLiteral("print")} << true;
        QTest::newRow("print dialog cancelled") << 10 << false << QStringList{QStringLiteral("print")} << false;
        QTest::newRow("prompt: what fits") << 150 << true
                                           << QStringList{QStringLiteral("print"), QStringLiteral("message")} << true;
    }
    void printRuns()
    {
        QFETCH(int, count);
        QFETCH(bool, dialogOk);
        QFETCH(bool, printed);
        Fixture f(200, 1);
        f.decideAll();
        f.counts()->item(count - 1)->setSelected(true);
        f.dialogs.printAnswers.enqueue(dialogOk);
        f.dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
        click(f.w.get(), "cmdSetOK");

        QTEST(f.dialogs.kinds(), "shown");
        QCOMPARE(f.dialogs.shown[0].flags, 0x40004);
        QCOMPARE(readBytes(f.pdfPath()).startsWith("%PDF"), printed);
        QCOMPARE(int(f.m.QuestionCount), count > 41 ? int(f.m.FitCount) : count);
        QCOMPARE(f.runState(), QStringLiteral("0000"));
        QCOMPARE(text(f.w.get(), "Text4"), QStringLiteral("0"));
        QVERIFY(selectedRows(f.parts()).isEmpty());
    }

    // "枚数": 1 to 60, 1 on opening; a run of 3 prints three sheets in one document,
    // and the count stays for the next run.
    void sheetCount()
    {
        Fixture f;
        RecordingSurface paper;
        f.w = std::make_unique<frmSettei>(f.m, f.dialogs, tracedTargets(paper));
        auto *box = control<QSpinBox>(f.w.get(), "spnSheetCount");
        QCOMPARE(box->minimum(), 1);
        QCOMPARE(box->maximum(), 60);
        QCOMPARE(box->value(), 1);
        box->setValue(3);
        QCOMPARE(f.m.SheetCount, 3);
        f.decideAll();
        click(f.w.get(), "cmdSetOK");

        QCOMPARE(f.dialogs.kinds(), QStringList{QStringLiteral("print")});
        QCOMPARE(paper.log().pagesDelivered(), 6);
        QCOMPARE(f.runState(), QStringLiteral("0000"));
        QCOMPARE(box->value(), 3);
        f.open();
        QCOMPARE(control<QSpinBox>(f.w.get(), "spnSheetCount")->value(), 1);
        QCOMPARE(f.m.SheetCount, 1);
    }

    // "プレビュー" is enabled exactly when "印刷" is, through every change of state.
    void previewGoesWithPrint()
    {
        Fixture f;
        for (const char *step : {"", "Command5", "List1", "Command6", "Option2_1", "Command5", "Command7",
                                 "Command5", "cmdPreview"}) {
            if (QByteArray(step) == "List1")
                f.parts()->item(0)->setSelected(false);
            else if (*step)
                click(f.w.get(), step);
            QVERIFY2(enabled(f.w.get(), "cmdPreview") == enabled(f.w.get(), "cmdSetOK"), step);
        }
        QVERIFY(!enabled(f.w.get(), "cmdPreview"));
    }

    // The preview runs what "印刷" runs, without the print dialog, and the window
    // resets after it as after printing.
    void preview_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<MessageAnswer>("overflow");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("printed from the preview") << 10 << MessageAnswer::No << true
                                                  << QStringList{QStringLiteral("preview")};
        QTest::newRow("closed") << 10 << MessageAnswer::No << false << QStringList{QStringLiteral("preview")};
        QTest::newRow("prompt cancelled: no preview") << 150 << MessageAnswer::Cancel << false
                                                      << QStringList{QStringLiteral("message")};
    }
    void preview()
    {
        QFETCH(int, count);
        QFETCH(MessageAnswer, overflow);
        QFETCH(bool, printed);
        QFETCH(QStringList, shown);
        Fixture f(200, 1);
        f.decideAll();
        f.counts()->item(count - 1)->setSelected(true);
        f.dialogs.messageAnswers.enqueue(overflow);
        f.dialogs.previewAnswers.enqueue(printed);
        click(f.w.get(), "cmdPreview");

        QCOMPARE(f.dialogs.kinds(), shown);
        QCOMPARE(QFile::exists(f.pdfPath()), printed);
        if (printed)
            QVERIFY(readBytes(f.pdfPath()).startsWith("%PDF"));
        QCOMPARE(f.runState(), QStringLiteral("0000"));
        QCOMPARE(text(f.w.get(), "Text4"), QStringLiteral("0"));
        QVERIFY(selectedRows(f.parts()).isEmpty());
    }

    // What the preview shows is, operation for operation, what "印刷" prints at the
    // same moment: the same draw, the same sheets.
    void previewShowsThePrintedSheets()
    {
        const int sheets = 3;
        QByteArray traces[2];
        const char *runs[2] = {"cmdSetOK", "cmdPreview"};
        for (int i = 0; i < 2; ++i) {
            Fixture f(200, 1);
            f.m.clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 321)));
            RecordingSurface paper;
            f.w = std::make_unique<frmSettei>(f.m, f.dialogs, tracedTargets(paper));
            control<QSpinBox>(f.w.get(), "spnSheetCount")->setValue(sheets);
            f.decideAll();
            click(f.w.get(), runs[i]);
            QCOMPARE(paper.log().pagesDelivered(), 2 * sheets);
            traces[i] = TraceJson(paper.log());
        }
        QCOMPARE(traces[1], traces[0]);
    }
};

QTEST_MAIN(TestFrmSettei)
#include "tst_frmsettei.moc"
