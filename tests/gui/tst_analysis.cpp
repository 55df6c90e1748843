// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis window: a class's marks summed up, the weakest question first.
#include "GuiTestSupport.h"

#include "history/HistoryStore.h"
#include "support/MarkedClass.h"
#include "ui/AnalysisWindow.h"
#include "ui/HistoryWindow.h"

#include <QDateEdit>
#include <QLabel>
#include <QTreeWidget>

using namespace sorario::test;

namespace {

// A recording that keeps the file the print dialog would offer.
class ProposedFile : public SurfaceTarget
{
public:
    ProposedFile(PrintSurface &surface, QString &proposed)
        : SurfaceTarget(surface)
        , m_proposed(proposed)
    {
    }
    void proposeFile(const QString &path) override { m_proposed = path; }

private:
    QString &m_proposed;
};

} // namespace

class TestAnalysis : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Four pupils on one sheet of four questions at 25 points: 75, 50, 100 and 62.5;
    // question 3 right once, 2 wrong once, 1 half right once.
    void classMarksShown()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 4);
        QVERIFY(run.id != 0);
        constexpr Mark R = Mark::Right, W = Mark::Wrong, P = Mark::Partial;
        QVERIFY(
            store
                .recordMarks(run,
                    {{1, 1, {R, R, W, R}}, {2, 1, {R, W, W, R}}, {3, 1, {R, R, R, R}}, {4, 1, {P, R, W, R}}})
                .ok());

        ScriptedDialogs dialogs;
        RecordingSurface paper;
        QString pdf; // where a print goes instead of the recording
        AnalysisWindow window(store, dialogs, u"2B"_s, run, [&](PrintPurpose purpose) {
            return pdf.isEmpty() ? std::make_unique<SurfaceTarget>(paper) : pdfSurfaces(pdf)(purpose);
        });
        auto *list = control<QTreeWidget>(&window, "lstQuestions");
        QStringList rates;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            rates.append(list->topLevelItem(row)->text(4));
        QCOMPARE(rates, (QStringList {u"25%"_s, u"75%"_s, u"87.5%"_s, u"100%"_s}));
        QCOMPARE(list->topLevelItem(0)->text(0), u"( 1) Q3 ■\u3000A3"_s);
        QCOMPARE(control<QLabel>(&window, "lblSummary")->text(),
            u"2B　採点した用紙 4 枚（1 回）　平均点 71.88　中央値 68.75"_s);

        // A folder that is not there: nothing written, and the teacher told why.
        dialogs.saveAnswers.enqueue(dir.filePath(u"missing/a.csv"_s));
        click(&window, "cmdCsv");
        QCOMPARE(dialogs.shown.last().title, u"ソラリオ"_s);

        // 「印刷」 on A4: the table weakest first.
        control<QComboBox>(&window, "cboPaper")->setCurrentIndex(1);
        click(&window, "cmdPrint");
        QCOMPARE(paper.log().paper(), Paper::A4);
        QCOMPARE(paper.log().pagesDelivered(), 1);
        QStringList printedRates;
        for (const PrintOperation &op : paper.log().texts())
            if (op.text.endsWith(u'%'))
                printedRates.append(op.text);
        QCOMPARE(printedRates, (QStringList {u"25%"_s, u"75%"_s, u"87.5%"_s, u"100%"_s}));
        pdf = dir.filePath(u"missing/a.pdf"_s);
        click(&window, "cmdPrint");
        QCOMPARE(dialogs.shown.last().title, u"ソラリオ"_s);
    }

    // 3A's sheets fall one or two to a bin: bars of 1 to 2, measured in pixels.
    void chartBarsInProportion()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        QVERIFY(recordMarkedClass(store, dir.filePath(u"bank"_s)));
        ScriptedDialogs dialogs;
        AnalysisWindow window(store, dialogs, u"3A"_s, std::nullopt);
        auto *chart = control<QWidget>(&window, "chtScores");
        chart->resize(480, 300);
        const QImage image = chart->grab().toImage();
        // Each column's longest run of dark pixels: a bar's height there; letters are far shorter.
        QList<int> runs(image.width());
        for (int x = 0; x < image.width(); ++x) {
            for (int y = 0, run = 0; y < image.height(); ++y) {
                run = qGray(image.pixel(x, y)) < 160 ? run + 1 : 0;
                runs[x] = std::max(runs[x], run);
            }
        }
        const int tall = *std::max_element(runs.cbegin(), runs.cend());
        int low = 0;
        for (int r : runs)
            low = r < tall * 3 / 4 ? std::max(low, r) : low;
        QVERIFY2(std::abs(2 * low - tall) <= 2, qPrintable(u"%1 %2"_s.arg(low).arg(tall)));
    }

    // 「成績の書き出し」 over the days ticked writes what `scores` writes for them, proposed in
    // the question files' folder, and says where it went.
    void scoresWritten()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        QVERIFY(recordMarkedClass(store, dir.filePath(u"bank"_s)));
        ScriptedDialogs dialogs;
        AnalysisWindow window(store, dialogs, u"3A"_s, std::nullopt);
        control<QDateEdit>(&window, "dtFrom")->setDate(QDate(2026, 4, 10));
        control<QDateEdit>(&window, "dtTo")->setDate(QDate(2026, 4, 17));
        click(&window, "chkFrom");
        click(&window, "chkTo");
        dialogs.saveAnswers.enqueue(dir.filePath(u"window.csv"_s));
        click(&window, "cmdScores");
        QCOMPARE(dialogs.shown.last().fileOptions.initialDir, dir.filePath(u"bank"_s));
        const QString said = control<QLabel>(&window, "lblStatus")->text();
        QVERIFY2(said.contains(QDir::toNativeSeparators(dir.filePath(u"window.csv"_s))), qPrintable(said));
        const CliRun cli = runCli({u"scores"_s, u"--class"_s, u"3A"_s, u"--from"_s, u"2026-04-10"_s,
            u"--to"_s, u"2026-04-17"_s, u"--history"_s, store.path(), u"-o"_s, dir.filePath(u"cli.csv"_s)});
        QCOMPARE(cli.exitCode, 0);
        QCOMPARE(readBytes(dir.filePath(u"window.csv"_s)), readBytes(dir.filePath(u"cli.csv"_s)));
    }

    // A sheet of the three kinds reads as it printed in the history's list, the analysis
    // window, its page and its table: none of the file's markers.
    void questionsShownAsPrinted()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const QDateTime when(QDate(2026, 12, 7), QTime(10, 30));
        QVERIFY(store
                    .record({.className = u"2B"_s,
                        .when = when,
                        .output = RunOutput::Printed,
                        .options = {},
                        .files = {},
                        .sheets = {{u"12071030"_s, when,
                            {{u"I like @music@."_s, u"*"_s, u"music"_s},
                                {u"{{_She / is / kind}}."_s, {}, u"She is kind."_s},
                                {u"He ( ) ."_s, u"{{go / goes / went}}"_s, u"goes"_s}}}}})
                    .ok());
        const RecordedRun run = store.runs().value.value(0);
        QVERIFY(store.recordMarks(run, {{1, 1, {Mark::Right, Mark::Wrong, Mark::Right}}}).ok());
        ScriptedDialogs dialogs;
        RecordingSurface paper;
        HistoryWindow history(store, dialogs, pdfSurfaces(dir.filePath(u"h.pdf"_s)), u"2B"_s);
        AnalysisWindow analysis(store, dialogs, u"2B"_s, run,
            [&](PrintPurpose) { return std::make_unique<SurfaceTarget>(paper); });
        dialogs.saveAnswers.enqueue(dir.filePath(u"a.csv"_s));
        click(&analysis, "cmdCsv");
        click(&analysis, "cmdPrint");
        QMap<QString, QString> shown {{u"csv"_s, QString::fromUtf8(readBytes(dir.filePath(u"a.csv"_s)))}};
        const QStringList listed = entries(control<QListWidget>(&history, "lstQuestions"));
        shown[u"history"_s] = listed.join(u'\n');
        for (QTreeWidgetItemIterator it(control<QTreeWidget>(&analysis, "lstQuestions")); *it; ++it)
            shown[u"window"_s] += (*it)->text(0) + (*it)->toolTip(0);
        for (const PrintOperation &op : paper.log().texts())
            shown[u"page"_s] += op.text;
        for (const QString &marker : {u"{{"_s, u"@"_s, u"〔*〕"_s})
            for (auto [where, text] : shown.asKeyValueRange())
                QVERIFY2(!text.contains(marker), qPrintable(where + u' ' + marker + u'\n' + text));
        QCOMPARE(listed.value(1), u"( 2) （ is / she / kind ）. ■　She is kind."_s);
    }

    // 「印刷」 offers a PDF named after the class in the question files' folder.
    void printProposesTheQuestionFolder()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        QVERIFY(recordMarkedClass(store, dir.filePath(u"bank"_s)));
        ScriptedDialogs dialogs;
        dialogs.printAnswers.enqueue(false);
        RecordingSurface paper;
        QString proposed;
        AnalysisWindow window(store, dialogs, u"3A"_s, std::nullopt,
            [&](PrintPurpose) { return std::make_unique<ProposedFile>(paper, proposed); });
        click(&window, "cmdPrint");
        QCOMPARE(proposed, dir.filePath(u"bank/分析_3A.pdf"_s));
    }
};

QTEST_MAIN(TestAnalysis)
#include "tst_analysis.moc"
