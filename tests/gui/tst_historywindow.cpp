// SPDX-License-Identifier: GPL-3.0-or-later
// 「履歴」: a recorded sheet printed or previewed again.
#include "GuiTestSupport.h"

#include "history/HistoryStore.h"
#include "history/QuestionKey.h"
#include "ui/HistoryWindow.h"

#include <QFileInfo>

using namespace sorario::test;

namespace {

// The newest sheet, chosen as the window opens, again: on paper, or in the preview.
const struct AgainRow
{
    const char *name, *button;
    bool printed;
    QStringList shown;
} againRows[] = {
    {.name = "reprinted", .button = "cmdReprint", .printed = true, .shown = {u"print"_s}},
    {.name = "previewed, nothing printed", .button = "cmdPreview", .printed = false, .shown = {u"preview"_s}},
};

} // namespace

class TestHistoryWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheetAgain_data() { addRows(againRows); }
    void sheetAgain()
    {
        QFETCH(int, row);
        const AgainRow &r = againRows[row];
        QTemporaryDir dir;
        const QString history = dir.filePath(u"h.sqlite"_s);
        const QString drill = QDir(QStringLiteral(SORARIO_SAMPLES)).filePath(u"中学英語文法ドリル1.qvn"_s);
        QCOMPARE(runCli({u"print"_s, drill, u"--all"_s, u"--count"_s, u"5"_s, u"--class"_s, u"1A"_s,
                            u"--history"_s, history, u"-o"_s, dir.filePath(u"first.pdf"_s)})
                     .exitCode,
            0);
        const HistoryStore store(history);
        ScriptedDialogs dialogs;
        const QString pdf = dir.filePath(u"again.pdf"_s);
        HistoryWindow window(store, dialogs, pdfSurfaces(pdf), u"1A"_s);
        click(&window, r.button);
        QCOMPARE(QFileInfo::exists(pdf), r.printed);
        QCOMPARE(dialogs.kinds(), r.shown);
    }

    // A record older than its headings whose file no longer loads: the teacher is told once.
    void unloadableRecordToldOnce()
    {
        QTemporaryDir dir;
        const QString file = writeSjisLines(dir.filePath(u"q.qvn"_s), QStringList(7, u"x"_s));
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const QDateTime when(QDate(2026, 12, 7), QTime(10, 30));
        QVERIFY(store
                    .record({.className = u"1A"_s,
                        .when = when,
                        .output = RunOutput::Printed,
                        .options = {},
                        .files = {{file, *FileDigest(file)}},
                        .sheets = {{u"12071030"_s, when, {{u"Q"_s, u"A"_s, u"1"_s}}}}})
                    .ok());
        ScriptedDialogs dialogs;
        HistoryWindow window(store, dialogs, pdfSurfaces(dir.filePath(u"again.pdf"_s)), u"1A"_s);
        click(&window, "cmdReprint");
        QCOMPARE(dialogs.kinds(), QStringList {u"message"_s});
        QCOMPARE(dialogs.shown.value(0).text,
            u"◆データが壊れています！\n記録された問題ファイルを読み込めませんでした。"_s);
    }
};

QTEST_MAIN(TestHistoryWindow)
#include "tst_historywindow.moc"
