// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window: its two states and every event between them, and the wiring of
// its commands; the rules behind them are tested where they live.
#include "setup/frmSettei.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include "print/RecordingSurface.h"
#include "print/TraceJson.h"
#include "settings/SheetSettings.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

struct Fixture
{
    QTemporaryDir dir;
    Module1 m;
    ScriptedDialogs dialogs;
    int returnings = 0;
    std::unique_ptr<frmSettei> w;

    explicit Fixture(int count = 25, int parts = 2)
    {
        m.ProgramFolder = dir.path();
        fillBank(m, count, parts);
        open();
    }
    QString pdf() const { return dir.filePath(QStringLiteral("sheet.pdf")); }
    void open(PrintTargetFactory targets = {})
    {
        w = std::make_unique<frmSettei>(m, dialogs, targets ? targets : pdfSurfaces(pdf()));
        QObject::connect(w.get(), &frmSettei::returning, [this] { ++returnings; });
    }
    QListWidget *parts() { return control<QListWidget>(w.get(), "List1"); }
    QListWidget *counts() { return control<QListWidget>(w.get(), "List2"); }
    void press(const char *name) { click(w.get(), name); }
    // List2, cmdSetOK, Command3, Command7; "プレビュー" always goes with "印刷".
    QString runState()
    {
        if (enabled(w.get(), "cmdPreview") != enabled(w.get(), "cmdSetOK"))
            return QStringLiteral("preview differs");
        QString s;
        for (const char *name : {"List2", "cmdSetOK", "Command3", "Command7"})
            s += enabled(w.get(), name) ? u'1' : u'0';
        return s;
    }
    // After every run: back to the undecided state.
    void verifyReset()
    {
        QCOMPARE(runState(), QStringLiteral("0000"));
        QCOMPARE(text(w.get(), "Text4"), QStringLiteral("0"));
        QVERIFY(selectedRows(parts()).isEmpty());
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
        fillBank(m, 25, 2, QStringLiteral("Drill A\r\nDrill B\r\n"));
        m.AnswerLayout = m.AttachAnswers = 2;
        m.QuestionCount = 3;
        m.FontName = QStringLiteral("IPAMincho");
        m.FontSize = 12;
        m.SheetLogo = QStringLiteral("《三年》");
        ScriptedDialogs dialogs;
        frmSettei w(m, dialogs);

        QCOMPARE((QList<int> {m.AnswerLayout, m.AttachAnswers, m.QuestionCount}), (QList<int> {1, 1, 10}));
        QVERIFY(control<QRadioButton>(&w, "Option2_0")->isChecked());
        QVERIFY(control<QCheckBox>(&w, "Check1")->isChecked());
        QStringList texts;
        for (const char *name : {"Text1", "Text2", "Text3", "Text4", "Text5", "Text6"})
            texts << text(&w, name);
        QCOMPARE(texts,
            (QStringList {QStringLiteral("Drill A\nDrill B"), QStringLiteral("IPAMincho"),
                QStringLiteral("12"), QStringLiteral("0"), QStringLiteral("25"),
                QStringLiteral("《三年》")}));
        QCOMPARE(entries(control<QListWidget>(&w, "List1")).size(), 2);
        QCOMPARE(control<QSpinBox>(&w, "spnSheetCount")->value(), 1);
        for (const char *name : {"List2", "cmdSetOK", "Command3", "Command7", "cmdPreview"})
            QVERIFY2(!enabled(&w, name), name);
        QVERIFY(dialogs.shown.isEmpty());
    }

    // "範囲決定" shows the decided range and its counts, the count selected; a count chosen
    // in the list is the count, and a later, larger range keeps it.
    void rangeDecision()
    {
        Fixture f(30, 3);
        selectRows(f.parts(), {0, 2});
        f.press("Command6");
        QCOMPARE(text(f.w.get(), "Text4"), u"20"_s);
        QCOMPARE(entries(f.counts()).size(), 20);
        QCOMPARE(entries(f.counts()).last(), u"   20題"_s);
        QCOMPARE(selectedRows(f.counts()), QList<int> {9});
        QCOMPARE(f.runState(), u"1111"_s);
        QCOMPARE(f.m.ChosenPartNumbers(2), u"３"_s);
        QVERIFY(f.dialogs.shown.isEmpty());
        f.counts()->item(4)->setSelected(true);
        QCOMPARE(f.m.QuestionCount, 5);
        f.press("Command5");
        QCOMPARE(f.m.AllPartsChosen, 1);
        QCOMPARE(selectedRows(f.counts()), QList<int> {4});
    }

    // A refused decision leaves the window exactly as it was.
    void refusedDecisions_data()
    {
        QTest::addColumn<int>("partCount");
        QTest::addColumn<QByteArray>("button");
        QTest::newRow("no part selected") << 2 << QByteArray("Command6");
        QTest::newRow("全範囲 over the 500 parts") << 501 << QByteArray("Command5");
    }
    void refusedDecisions()
    {
        QFETCH(int, partCount);
        QFETCH(QByteArray, button);
        Fixture f(std::max(25, partCount), partCount);
        selectRows(f.parts(), {0});
        f.press("Command6");
        if (button == "Command6") {
            const QSignalBlocker quiet(f.parts()); // a deselection by code, not by the user
            f.parts()->clearSelection();
        }
        const QList<int> parts = selectedRows(f.parts());
        const QList<int> counts = selectedRows(f.counts());
        const std::int16_t all = f.m.AllPartsChosen;
        const QString range = text(f.w.get(), "Text4");
        f.press(button.constData());
        QCOMPARE(f.dialogs.kinds(), (QStringList {QStringLiteral("beep"), QStringLiteral("message")}));
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
        how == 0       ? f.press("Command2")
            : how == 1 ? QTest::keyClick(f.w.get(), Qt::Key_Escape)
                       : void(f.w->close());
        QCOMPARE(f.returnings, 1);
        QVERIFY(!f.w->isVisible());
    }

    // From the decided state (every part chosen), events and what the window shows then.
    void transitions_data()
    {
        QTest::addColumn<QString>("events");
        QTest::addColumn<QString>("runState");
        QTest::addColumn<QString>("text4");
        QTest::addColumn<QList<int>>("partsAllLayoutAttach");
        QTest::newRow("part deselected") << "List1"
                                         << "0000"
                                         << "25" << QList<int> {1, 0, 1, 1};
        QTest::newRow("start over") << "Command7"
                                    << "0000"
                                    << "0" << QList<int> {0, 0, 1, 1};
        QTest::newRow("no answer column") << "Option2_1"
                                          << "0010"
                                          << "25" << QList<int> {2, 0, 2, 1};
        QTest::newRow("answer column again") << "Option2_1,Option2_0"
                                             << "0010"
                                             << "25" << QList<int> {2, 0, 1, 1};
        QTest::newRow("attach answers off") << "Check1"
                                            << "1111"
                                            << "25" << QList<int> {2, 1, 1, 2};
        QTest::newRow("attach answers on again") << "Check1,Check1"
                                                 << "1111"
                                                 << "25" << QList<int> {2, 1, 1, 1};
    }
    void transitions()
    {
        QFETCH(QString, events);
        Fixture f;
        f.press("Command5");
        QCOMPARE(f.runState(), QStringLiteral("1111"));
        const std::int16_t range = f.m.RangeQuestionCount;
        const std::int16_t count = f.m.QuestionCount;
        for (const QString &step : events.split(u','))
            step == u"List1" ? f.parts()->item(0)->setSelected(false) : f.press(step.toLatin1().constData());
        QTEST(f.runState(), "runState");
        QTEST(text(f.w.get(), "Text4"), "text4");
        QTEST((QList<int> {int(selectedRows(f.parts()).size()), f.m.AllPartsChosen, f.m.AnswerLayout,
                  f.m.AttachAnswers}),
            "partsAllLayoutAttach");
        if (f.runState().startsWith(u'0'))
            QCOMPARE(f.counts()->count(), 0);
        // Undoing a choice never touches the range or the count.
        QCOMPARE(f.m.RangeQuestionCount, range);
        QCOMPARE(f.m.QuestionCount, count);
    }

    // The font choice, the default font and "フォント記憶"; nothing is saved until asked.
    void fonts_data()
    {
        QTest::addColumn<QString>("face"); // empty: cancelled
        QTest::addColumn<double>("size");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("messages");
        QTest::newRow("half to even, down") << "IPAMincho" << 10.5 << "IPAMincho" << 10 << 0;
        QTest::newRow("41 refused, the old font stays") << "IPAMincho" << 41.0 << "IPAGothic" << 11 << 1;
    }
    void fonts()
    {
        QFETCH(QString, face);
        QFETCH(double, size);
        QFETCH(QString, name);
        QFETCH(int, points);
        Fixture f;
        f.m.FontName = QStringLiteral("IPAGothic");
        f.m.FontSize = 11;
        f.open();
        if (!face.isEmpty())
            f.dialogs.fontAnswers.enqueue(FontChoice {face, size});
        f.press("cmdFonts_1");
        QTEST(int(f.dialogs.messages().size()), "messages");
        QCOMPARE(f.dialogs.shown[0].text, QStringLiteral("IPAGothic")); // opens on the current font
        QCOMPARE((QStringList {f.m.FontName, QString::number(f.m.FontSize)}),
            (QStringList {name, QString::number(points)}));
        QCOMPARE((QStringList {text(f.w.get(), "Text2"), text(f.w.get(), "Text3")}),
            (QStringList {name, QString::number(points)}));
        QVERIFY(!QFile::exists(SettingsFilePath(f.m)));

        f.press("cmdFonts_0");
        QCOMPARE(text(f.w.get(), "Text2"), DefaultFontName);
        QCOMPARE(f.m.FontName, DefaultFontName);
        QVERIFY(!QFile::exists(SettingsFilePath(f.m)));
        f.m.FontName = QStringLiteral("IPAPMincho");
        f.press("Command1");
        Module1 fresh;
        fresh.ProgramFolder = f.m.ProgramFolder;
        LoadFontSettings(fresh);
        QCOMPARE(fresh.FontName, QStringLiteral("IPAPMincho"));
    }

    void sheetLogo_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("logo");
        QTest::newRow("own text, blanks kept") << " 三年 Ａ組 "
                                               << " 三年 Ａ組 ";
        QTest::newRow("cancel or empty") << QString() << DefaultSheetLogo;
    }
    void sheetLogo()
    {
        QFETCH(QString, answer);
        QFETCH(QString, logo);
        Fixture f;
        f.m.SheetLogo = QStringLiteral("前のロゴ");
        f.dialogs.inputAnswers.enqueue(answer);
        f.press("Command4");
        QCOMPARE(f.dialogs.shown[0].fileOptions.fileName, DefaultSheetLogo); // offered, not the current logo
        QCOMPARE(text(f.w.get(), "Text6"), logo);
        Module1 fresh;
        fresh.ProgramFolder = f.m.ProgramFolder;
        LoadSheetLogo(fresh);
        QCOMPARE(fresh.SheetLogo, logo);
    }

    // "テキストファイル作成": with or without the answer column, asked about lost characters;
    // the window resets whatever came of it.
    void textExport_data()
    {
        QTest::addColumn<bool>("noAnswerColumn");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("answer5");
        QTest::newRow("without: answers in the brackets") << true << true << QString();
        QTest::newRow("lost characters, はい saves") << false << true << "café";
        QTest::newRow("いいえ saves nothing") << false << false << "café";
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
        f.press("Command5");
        if (noAnswerColumn)
            f.press("Option2_1");
        const QString out = f.dir.filePath(QStringLiteral("test.txt"));
        f.dialogs.saveAnswers.enqueue(saved ? std::optional(out) : std::nullopt);
        f.press("Command3");
        QCOMPARE(f.dialogs.messages().size(), answer5.isEmpty() ? 0 : 1);
        const QString written = decodeCp932(readBytes(out)).text;
        QCOMPARE(written.contains(QStringLiteral("Question 5 ")), saved);
        for (int k = 1; k <= 5 && saved; ++k)
            QCOMPARE(written.contains(QStringLiteral("（a%1）").arg(k)), noAnswerColumn);
        f.verifyReset();
    }

    // 「文書ファイル作成」 goes with 「テキストファイル作成」: it writes the document and resets the window.
    void documentExport()
    {
        Fixture f(5, 1);
        f.press("Command5");
        QVERIFY(enabled(f.w.get(), "cmdDocument"));
        const QString out = f.dir.filePath(QStringLiteral("test.odt"));
        f.dialogs.saveAnswers.enqueue(out);
        click(f.w.get(), "cmdDocument");
        QCOMPARE(f.dialogs.kinds(), QStringList {QStringLiteral("save")});
        QVERIFY(readBytes(out).startsWith("PK"));
        QCOMPARE(f.runState(), QStringLiteral("0000"));
        QVERIFY(!enabled(f.w.get(), "cmdDocument"));
    }

    // "印刷" and "プレビュー" hand the run the window's choices and reset the window after
    // it, whatever came of it; the capacity prompt's answers are the print run's own.
    void printRuns_data()
    {
        QTest::addColumn<QByteArray>("button");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("answer"); // print dialog OK, or printed from the preview
        QTest::addColumn<MessageAnswer>("overflow");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("printed") << QByteArray("cmdSetOK") << 10 << true << MessageAnswer::Yes
                                 << QStringList {u"print"_s};
        QTest::newRow("prompt: what fits") << QByteArray("cmdSetOK") << 150 << true << MessageAnswer::Yes
                                           << QStringList {u"print"_s, u"message"_s};
        QTest::newRow("printed from the preview")
            << QByteArray("cmdPreview") << 10 << true << MessageAnswer::No << QStringList {u"preview"_s};
        QTest::newRow("preview closed")
            << QByteArray("cmdPreview") << 10 << false << MessageAnswer::No << QStringList {u"preview"_s};
        QTest::newRow("prompt cancelled: no preview") << QByteArray("cmdPreview") << 150 << false
                                                      << MessageAnswer::Cancel << QStringList {u"message"_s};
    }
    void printRuns()
    {
        QFETCH(QByteArray, button);
        QFETCH(int, count);
        QFETCH(bool, answer);
        QFETCH(MessageAnswer, overflow);
        Fixture f(200, 1);
        f.press("Command5");
        f.counts()->item(count - 1)->setSelected(true);
        f.dialogs.printAnswers.enqueue(answer);
        f.dialogs.previewAnswers.enqueue(answer);
        f.dialogs.messageAnswers.enqueue(overflow);
        f.press(button.constData());
        QTEST(f.dialogs.kinds(), "shown");
        QCOMPARE(readBytes(f.pdf()).startsWith("%PDF"), answer);
        if (overflow == MessageAnswer::Yes)
            QCOMPARE(int(f.m.QuestionCount), count > 41 ? int(f.m.FitCount) : count);
        f.verifyReset();
    }

    // "枚数" of 3: three sheets in one document, the count kept for the next run and 1
    // again in a new window; the preview shows, operation for operation, what "印刷" prints.
    void sheetCountAndPreview()
    {
        QByteArray traces[2];
        const char *runs[2] = {"cmdSetOK", "cmdPreview"};
        for (int i = 0; i < 2; ++i) {
            Fixture f(200, 1);
            f.m.clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 321)));
            RecordingSurface paper;
            f.open(tracedTargets(paper));
            auto *box = control<QSpinBox>(f.w.get(), "spnSheetCount");
            box->setValue(3);
            QCOMPARE(f.m.SheetCount, 3);
            f.press("Command5");
            f.press(runs[i]);
            // A target with nothing to show opens no preview.
            QCOMPARE(f.dialogs.kinds(), i == 0 ? QStringList {u"print"_s} : QStringList {});
            QCOMPARE(paper.log().pagesDelivered(), 6);
            QCOMPARE(box->value(), 3);
            traces[i] = TraceJson(paper.log());
            f.open();
            QCOMPARE(f.m.SheetCount, 1);
        }
        QCOMPARE(traces[1], traces[0]);
    }
};

QTEST_MAIN(TestFrmSettei)
#include "tst_frmsettei.moc"
