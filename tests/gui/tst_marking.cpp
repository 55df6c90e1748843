// SPDX-License-Identifier: GPL-3.0-or-later
// The marking window: rows typed as the numbers of their wrong questions, saved as typed.
#include "GuiTestSupport.h"

#include "history/HistoryStore.h"
#include "ui/MarkingWindow.h"

#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QTableWidget>

#ifndef Q_OS_WIN
#include <csignal>
#include <unistd.h>
#endif

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

    // Undo of a new pupil's row takes the row away, as Delete on a pupil does, undoably.
    void rowsTakenOut()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 5);
        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        window.show();
        auto *typed = control<QLineEdit>(&window, "txtWrong");
        for (const char *row : {"1", "2"}) {
            QTest::keyClicks(typed, QString::fromLatin1(row));
            QTest::keyClick(typed, Qt::Key_Return);
        }
        QTest::keyClick(typed, Qt::Key_Z, Qt::ControlModifier);
        const QList<MarkedSheet> first {
            {1, 1, {Mark::Wrong, Mark::Right, Mark::Right, Mark::Right, Mark::Right}}};
        QCOMPARE(store.marks(run).value, first);
        auto *table = control<QTableWidget>(&window, "tblMarks");
        QCOMPARE(table->rowCount(), 1);
        table->setCurrentCell(0, 0);
        QTest::keyClick(table, Qt::Key_Delete);
        QCOMPARE(store.marks(run).value, QList<MarkedSheet> {});
        QCOMPARE(table->rowCount(), 0);
        QTest::keyClick(table, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(store.marks(run).value, first);
    }

    // 40 sheets of 20 questions, 3 wrong each, in 4 keys a sheet: the digits and Enter.
    // Run by killedAfterRow20 with a history named, it is killed after row 20.
    void fortyRowsByKey()
    {
        const QString given = qEnvironmentVariable("SORARIO_MARKING_HISTORY");
        QTemporaryDir dir;
        const HistoryStore store(given.isEmpty() ? dir.filePath(u"h.sqlite"_s) : given);
        const RecordedRun run = given.isEmpty() ? recordedSheet(store, 20) : store.runs().value.value(0);
        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        window.show();
        auto *typed = control<QLineEdit>(&window, "txtWrong");
        QList<MarkedSheet> expected;
        int keys = 0;
        for (int pupil = 1; pupil <= 40; ++pupil) {
            QList<Mark> marks(20, Mark::Right);
            QString digits;
            for (const int wrong : {2 + pupil % 3, 5 + pupil % 2, 8 + pupil % 2}) {
                marks[wrong - 1] = Mark::Wrong;
                digits += QString::number(wrong);
            }
            QTest::keyClicks(typed, digits);
            QTest::keyClick(typed, Qt::Key_Return);
            keys += int(digits.size()) + 1;
            expected.append({pupil, 1, marks});
#ifndef Q_OS_WIN
            if (pupil == 20 && !given.isEmpty())
                ::kill(::getpid(), SIGKILL);
#endif
        }
        QCOMPARE(keys, 160);
        QCOMPARE(store.marks(run).value, expected);
    }

    // Each row is stored as it is entered: a kill -9 after row 20 keeps rows 1 to 20.
    void killedAfterRow20()
    {
        SORARIO_POSIX_ONLY("a process killed by a signal");
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 20);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"SORARIO_MARKING_HISTORY"_s, store.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {u"fortyRowsByKey"_s});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);
        QCOMPARE(store.marks(run).value.size(), 20);
        QCOMPARE(store.marks(run).value.last().pupil, 20);
    }

    // A class of 40 on a run of 40 sheets of 10 questions, by key alone. Enter proposes the
    // next pupil and sheet, so a sheet is its wrong numbers and Enter; pupil 17's sheet, at
    // the bottom of the pile, comes last, its pupil and sheet typed after Tab.
    void aClassOfFortyByKey()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 10, 40);
        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        window.resize(1366, 768);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        const auto type = [](const QString &keys) { QTest::keyClicks(QApplication::focusWidget(), keys); };
        const auto press = [](Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); };
        QList<int> pile;
        for (int pupil = 1; pupil <= 40; ++pupil)
            if (pupil != 17)
                pile.append(pupil);
        pile.append(17);
        QList<MarkedSheet> expected;
        for (const int pupil : pile) {
            if (pupil == 18 || pupil == 17) { // pupil 17 is proposed, and after 40, 41
                press(Qt::Key_Tab);
                type(QString::number(pupil));
                press(Qt::Key_Tab);
                type(QString::number(pupil));
                press(Qt::Key_Tab);
            }
            QList<Mark> marks(10, Mark::Right);
            if (pupil % 5 != 0) {
                const int a = (pupil - 1) % 9 + 1, b = (pupil + 3) % 9 + 1;
                marks[a - 1] = marks[b - 1] = Mark::Wrong;
                type(QString::number(a) + QString::number(b));
            }
            if (pupil == 1)
                QCOMPARE(control<QLabel>(&window, "lblMeaning")->text(), u"1, 5 ×"_s);
            press(Qt::Key_Return);
            expected.append({pupil, pupil, marks});
        }
        const QList<MarkedSheet> stored = store.marks(run).value;
        QCOMPARE(stored, expected);
        constexpr Mark R = Mark::Right, W = Mark::Wrong;
        QCOMPARE(stored.value(0), (MarkedSheet {1, 1, {W, R, R, R, W, R, R, R, R, R}}));
        QCOMPARE(stored.value(38), (MarkedSheet {40, 40, {R, R, R, R, R, R, R, R, R, R}}));
        QCOMPARE(stored.value(39), (MarkedSheet {17, 17, {R, R, W, R, R, R, R, W, R, R}}));
    }

    // Sixty sheets and forty rows fit a screen of 1366×768: the table scrolls.
    void fitsASmallScreen()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 10, 60);
        QList<MarkedSheet> rows;
        for (int pupil = 1; pupil <= 40; ++pupil)
            rows.append({pupil, pupil, QList<Mark>(10, Mark::Right)});
        QCOMPARE(failureOf(store.recordMarks(run, rows)), QString());
        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        window.resize(1366, 768);
        window.show();
        QCOMPARE_LE(window.minimumSizeHint().width(), 1366);
        QCOMPARE_LE(window.minimumSizeHint().height(), 768);
        QCOMPARE_GT(control<QTableWidget>(&window, "tblMarks")->verticalScrollBar()->maximum(), 0);
    }

    // Points set for the run score its rows at once, and Ctrl+Z takes them back.
    void pointsSetForTheRun()
    {
        QTemporaryDir dir;
        const HistoryStore store(dir.filePath(u"h.sqlite"_s));
        const RecordedRun run = recordedSheet(store, 5);
        QCOMPARE(failureOf(store.recordMarks(run, {{1, 1, {Mark::Wrong, Mark::Partial, Mark::Right}}})),
            QString());
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

    // A colleague's row shows on 「最新にする」; a row the history refuses stays typed.
    void colleagueRowAndRefusedRow()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath(u"h.sqlite"_s);
        const HistoryStore store(file);
        const RecordedRun run = recordedSheet(store, 5);
        ScriptedDialogs dialogs;
        MarkingWindow window(store, dialogs, run, 0);
        window.show();
        const HistoryStore colleague(file);
        QCOMPARE(failureOf(colleague.recordMarks(run, {{7, 1, QList<Mark>(5, Mark::Right)}})), QString());
        auto *table = control<QTableWidget>(&window, "tblMarks");
        QCOMPARE(table->rowCount(), 0);
        control<QPushButton>(&window, "cmdReload")->click();
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), u"7"_s);

        QFile broken(file);
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("not a history");
        broken.close();
        auto *typed = control<QLineEdit>(&window, "txtWrong");
        QTest::keyClicks(typed, u"2 4"_s);
        QTest::keyClick(typed, Qt::Key_Return);
        QCOMPARE(dialogs.messages().size(), 1);
        QCOMPARE(typed->text(), u"2 4"_s);
        QCOMPARE(control<QSpinBox>(&window, "spnPupil")->value(), 1);
    }
};

QTEST_MAIN(TestMarking)
#include "tst_marking.moc"
