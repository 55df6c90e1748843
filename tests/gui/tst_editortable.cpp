// SPDX-License-Identifier: GPL-3.0-or-later
// The question editor's table: its columns at the window's first size, and the kind
// marks put in on a cell being typed, undone by the key.
#include "editor/QuestionTableModel.h"
#include "ui/frmEditor.h"

#include "GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

using namespace sorario::test;

namespace {

// The first question of a made-up file (q1 h a1) typed over in `column`, the caret
// then `left` keys back from the end and `selected` more with Shift held.
const struct TypedMarkRow
{
    const char *name, *action;
    int column;
    QString typed;
    int left, selected;
    QString marked, before;
} typedMarkRows[] = {
    {.name = "word order of the words selected",
        .action = "actWordOrder",
        .column = QuestionTableModel::QuestionColumn,
        .typed = u"Do you like it?"_s,
        .left = 1,
        .selected = 11,
        .marked = u"Do {{you / like / it}}?"_s,
        .before = u"q1"_s},
    {.name = "choices of the hint line",
        .action = "actChoices",
        .column = QuestionTableModel::HintColumn,
        .typed = u"go, goes, went"_s,
        .left = 0,
        .selected = 0,
        .marked = u"{{go / goes / went}}"_s,
        .before = u"h"_s},
};

} // namespace

class tst_editortable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // At the size the window first shows, every column is in sight, 解答 included.
    void columnsFitFirstSize()
    {
        QTemporaryDir dir;
        Module1 m;
        ScriptedDialogs dialogs;
        frmEditor editor(m, dialogs, RecoveryStore(dir.filePath(u"rec"_s)));
        QVERIFY(
            editor.openFile(QDir(QStringLiteral(SORARIO_SAMPLES)).filePath(u"中学英語文法ドリル1.qvn"_s)));
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        auto *table = editor.findChild<QTableView *>(u"tblQuestions"_s);
        const QHeaderView *header = table->horizontalHeader();
        const int answer = QuestionTableModel::AnswerColumn;
        QCOMPARE(table->horizontalScrollBar()->maximum(), 0);
        QCOMPARE_LE(header->sectionViewportPosition(answer) + header->sectionSize(answer),
            table->viewport()->width());
        QCOMPARE_GE(header->sectionSize(answer), 100);
    }

    // Ctrl+Z right after a mark takes back the mark alone; the next, the typing before it.
    void typedMarkUndone_data() { addRows(typedMarkRows); }
    void typedMarkUndone()
    {
        QFETCH(int, row);
        const TypedMarkRow &r = typedMarkRows[row];
        QTemporaryDir dir;
        Module1 m;
        ScriptedDialogs dialogs;
        frmEditor editor(m, dialogs, RecoveryStore(dir.filePath(u"rec"_s)));
        const QString path = dir.filePath(u"t.qvn"_s);
        writeSjisLines(path, questionFile(u"T"_s, u"1"_s, 1));
        QVERIFY(editor.openFile(path));
        editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&editor));
        auto *table = editor.findChild<QTableView *>(u"tblQuestions"_s);
        const QModelIndex cell = editor.model().index(0, r.column);
        table->setCurrentIndex(cell);
        table->setFocus();
        QTest::keyClick(table, Qt::Key_F2);
        QWidget *typing = QApplication::focusWidget();
        QTest::keyClicks(typing, r.typed);
        for (int i = 0; i < r.left; ++i)
            QTest::keyClick(typing, Qt::Key_Left);
        for (int i = 0; i < r.selected; ++i)
            QTest::keyClick(typing, Qt::Key_Left, Qt::ShiftModifier);
        editor.findChild<QAction *>(QLatin1String(r.action))->trigger();
        QCOMPARE(cell.data().toString(), r.marked);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell.data().toString(), r.typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell.data().toString(), r.before);
    }
};

QTEST_MAIN(tst_editortable)
#include "tst_editortable.moc"
