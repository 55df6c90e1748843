// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window's runs: print and preview, the sheet count, the paper options and a class's
// run, as far as the window wires them; the rules behind them are tested where they live.
#include "GuiTestSupport.h"

#include "history/HistoryStore.h"
#include "print/TraceJson.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"

#include <QApplication>
#include <QCheckBox>
#include <QProcess>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QTreeWidget>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

// Paper index, keep words, fit: as the module holds them and as a window shows them.
QString held(const Module1 &m)
{
    return u"%1 %2 %3"_s.arg(int(m.PaperChoice))
        .arg(m.LineBreaks == WordBreaks::KeepWords)
        .arg(m.OverflowRule == Overflow::ShrinkFirst);
}

QString shown(QWidget *w)
{
    return u"%1 %2 %3"_s.arg(control<QComboBox>(w, "cboPaper")->currentIndex())
        .arg(control<QCheckBox>(w, "chkKeepWords")->isChecked())
        .arg(control<QCheckBox>(w, "chkFit")->isChecked());
}

// "印刷" and "プレビュー" (print dialog OK, or printed from the preview); the capacity prompt cancelled.
const struct PrintRunRow
{
    const char *name, *button;
    int count;
    bool answer;
    QStringList shown;
} printRows[] = {
    {"printed", "cmdSetOK", 10, true, {u"print"_s}},
    {"printed from the preview", "cmdPreview", 10, true, {u"preview"_s}},
    {"preview closed", "cmdPreview", 10, false, {u"preview"_s}},
    {"prompt cancelled: no preview", "cmdPreview", 150, false, {u"message"_s}},
};

// Paper index, keep words, fit.
const struct PaperRow
{
    const char *name;
    int paper;
    bool keepWords, fit;
} paperRows[] = {
    {"B4 two-up", 2, false, false},
    {"A3 two-up, words kept", 3, true, false},
    {"shrink to fit", 0, false, true},
};

} // namespace

class TestSetupRuns : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // "印刷" and "プレビュー" reset the window after the run, whatever came of it.
    void printRuns_data() { addRows(printRows); }
    void printRuns()
    {
        QFETCH(int, row);
        const PrintRunRow &r = printRows[row];
        SetupFixture f(200, 1);
        f.press("Command5");
        f.counts()->item(r.count - 1)->setSelected(true);
        f.dialogs.printAnswers.enqueue(r.answer);
        f.dialogs.previewAnswers.enqueue(r.answer);
        f.dialogs.messageAnswers.enqueue(MessageAnswer::Cancel);
        f.press(r.button);
        QCOMPARE(f.dialogs.kinds(), r.shown);
        QCOMPARE(readBytes(f.pdf()).startsWith("%PDF"), r.answer);
        f.verifyReset();
    }

    // "枚数" of 3: three sheets in one document, the count kept for the next run and 1
    // again in a new window; the preview shows, operation for operation, what "印刷" prints.
    void sheetCountAndPreview()
    {
        QByteArray traces[2];
        for (int i = 0; i < 2; ++i) {
            SetupFixture f(200, 1);
            f.m.clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9, 321)));
            RecordingSurface paper;
            f.open(tracedTargets(paper));
            auto *box = control<QSpinBox>(f.w.get(), "spnSheetCount");
            box->setValue(3);
            QCOMPARE(f.m.SheetCount, 3);
            f.press("Command5");
            f.press(i == 0 ? "cmdSetOK" : "cmdPreview");
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

    // The paper options are kept in the module and in their own file, for the next window.
    void paperOptions_data() { addRows(paperRows); }
    void paperOptions()
    {
        QFETCH(int, row);
        const PaperRow &r = paperRows[row];
        const QString state = u"%1 %2 %3"_s.arg(r.paper).arg(r.keepWords).arg(r.fit);
        SetupFixture f(10, 1);
        QCOMPARE(shown(f.w.get()), u"0 0 0"_s);
        control<QComboBox>(f.w.get(), "cboPaper")->setCurrentIndex(r.paper);
        control<QCheckBox>(f.w.get(), "chkKeepWords")->setChecked(r.keepWords);
        control<QCheckBox>(f.w.get(), "chkFit")->setChecked(r.fit);
        QCOMPARE(held(f.m), state);
        f.w.reset();
        QVERIFY(!QFileInfo::exists(SettingsFilePath(f.m)));
        Module1 next;
        next.ProgramFolder = f.dir.path();
        fillBank(next, 10, 1);
        LoadPrintOptions(next);
        frmSettei w(next, f.dialogs);
        QCOMPARE(shown(&w), state);
    }

    void previewShowsTwoUpSheets()
    {
        SetupFixture f(10, 1);
        control<QComboBox>(f.w.get(), "cboPaper")->setCurrentIndex(2);
        f.press("Command5");
        f.press("cmdPreview");
        QCOMPARE(f.dialogs.kinds(), QStringList {u"preview"_s});
        QCOMPARE(f.dialogs.layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(f.dialogs.layout.pageSize().id(), QPageSize::JisB4);
    }

    // A class's preview: 入れ替え changes one question, and what prints and is recorded
    // is what the preview listed; the class is offered again and 「履歴」 shows the sheet.
    void classRun()
    {
        SetupFixture f(200, 1);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, f.dir.path());
        const QString history = f.dir.filePath(u"h.sqlite"_s);
        qputenv("SORARIO_HISTORY", history.toUtf8());
        f.open();
        control<QComboBox>(f.w.get(), "cboClass")->setEditText(u"2年B組"_s);
        f.press("Command5");
        f.dialogs.previewSwaps = {{0, 2}};
        f.dialogs.previewAnswers.enqueue(true);
        f.press("cmdPreview");
        const QStringList before = f.dialogs.previewSheets.value(0).value(0);
        const QStringList after = f.dialogs.previewSheets.value(1).value(0);
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (qsizetype i = 0; i < after.size(); ++i)
            changed += after[i] != before[i];
        QCOMPARE(changed, 1);
        QProcess text;
        text.start(u"pdftotext"_s, {f.pdf(), u"-"_s});
        QVERIFY(text.waitForFinished());
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        const auto third = [](const QString &question) { return u"( 3) "_s + question.section(u'（', 0, 0); };
        QVERIFY(printed.contains(third(after[2])) && !printed.contains(third(before[2])));
        const QList<RecordedRun> runs = HistoryStore(history).runs(u"2年B組"_s).value;
        QCOMPARE(runs.size(), 1);
        QStringList recorded;
        for (const QuestionRecord &q : runs[0].sheets[0].questions)
            recorded.append(q.QuestionText);
        QCOMPARE(recorded, after);

        f.open();
        auto *classes = control<QComboBox>(f.w.get(), "cboClass");
        QCOMPARE(classes->count(), 1);
        classes->setEditText(classes->itemText(0));
        int listed = 0, questions = 0;
        QTimer::singleShot(0, [&] {
            QWidget *window = QApplication::activeModalWidget();
            listed = control<QTreeWidget>(window, "lstSheets")->topLevelItemCount();
            questions = control<QListWidget>(window, "lstQuestions")->count();
            window->close();
        });
        f.press("cmdHistory");
        QCOMPARE((QList<int> {listed, int(questions)}), (QList<int> {1, int(after.size())}));
        qunsetenv("SORARIO_HISTORY");
    }
};

QTEST_MAIN(TestSetupRuns)
#include "tst_setupruns.moc"
