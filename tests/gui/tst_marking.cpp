// SPDX-License-Identifier: GPL-3.0-or-later
// The marking window: rows typed as the numbers of their wrong questions, saved as typed.
#include "GuiTestSupport.h"

#include "history/HistoryStore.h"
#include "ui/MarkingWindow.h"

#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QTableWidget>

using namespace sorario::test;

class TestMarking : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Three sheets typed in, a number beyond the sheet refused, cells changed by key, one
    // change taken back.
    void rowsTypedAreStored()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 5);
        QVERIFY(run.id != 0);

        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        window.show();
        auto *typed = control<QLineEdit>(&window, "txtWrong");
        for (const char *row : {"1 3", "", "2 5", "6"}) {
            QTest::keyClicks(typed, QString::fromLatin1(row));
            QTest::keyClick(typed, Qt::Key_Return);
        }
        constexpr Mark R = Mark::Right, W = Mark::Wrong, P = Mark::Partial;
        QCOMPARE(store.marks(run).value,
            (QList<MarkedSheet> {{1, 1, {W, R, W, R, R}}, {2, 1, {R, R, R, R, R}}, {3, 1, {R, W, R, R, W}}}));
        QCOMPARE(dialogs.messages(), QStringList {u"この用紙の問題は 1 から 5 までです。「6」"_s});
        QCOMPARE(dialogs.shown.value(0).title, u"ソラリオ"_s);

        // In the table: pupil 1's first question ○ (the cursor moves on), the third △.
        auto *table = control<QTableWidget>(&window, "tblMarks");
        table->setCurrentCell(0, 2);
        for (const Qt::Key key : {Qt::Key_O, Qt::Key_Right, Qt::Key_T})
            QTest::keyClick(table, key);
        QCOMPARE(store.marks(run).value.last(), (MarkedSheet {1, 1, {R, R, P, R, R}}));
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(store.marks(run).value.last(), (MarkedSheet {1, 1, {R, R, W, R, R}}));
    }

    // Points set for the run score its rows at once, and Ctrl+Z takes them back.
    void pointsSetForTheRun()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 5);
        QVERIFY(store.recordMarks(run, {{1, 1, {Mark::Wrong, Mark::Partial, Mark::Right}}}).ok());
        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        auto *table = control<QTableWidget>(&window, "tblMarks");
        control<QDoubleSpinBox>(&window, "spnPoints")->setValue(2.5);
        QCOMPARE(table->item(0, 7)->text(), u"3.8"_s);
        QCOMPARE(store.runPoints(run).value, 25);
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(table->item(0, 7)->text(), u"30"_s);
        QCOMPARE(store.runPoints(run).value, std::nullopt);
    }
};

QTEST_MAIN(TestMarking)
#include "tst_marking.moc"
