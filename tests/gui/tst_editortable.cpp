// SPDX-License-Identifier: GPL-3.0-or-later
// The question editor's table: its columns at the window's first size, and the kind
// marks put in on a cell being typed, shown in the kind column and undone by the key.
#include "editor/QuestionTableModel.h"
#include "ui/frmEditor.h"

#include "GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QTableView>

using namespace sorario::test;

namespace {

// The first question of a made-up file (q1 h a1) typed over in `column`, and the last
// `selected` characters selected with Shift+Left.
const struct MarkRow
{
    const char *name, *action;
    int column;
    QString typed;
    int selected;
    QString marked, kind, before;
} markRows[] = {
    {"word order of the words selected", "actWordOrder", QuestionTableModel::QuestionColumn,
        u"Do you like it?"_s, 12, u"Do {{you / like / it}}?"_s, u"並べ替え"_s, u"q1"_s},
    {"choices of the hint line", "actChoices", QuestionTableModel::HintColumn, u"go, goes,went"_s, 0,
        u"{{go / goes / went}}"_s, u"選択"_s, u"h"_s},
};

struct Fixture
{
    QTemporaryDir dir;
    Module1 m;
    ScriptedDialogs dialogs;
    frmEditor editor {m, dialogs, RecoveryStore(dir.filePath(u"rec"_s))};
    QTableView *table = editor.findChild<QTableView *>(u"tblQuestions"_s);
};

} // namespace

class tst_editortable : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // At the size the window first shows, every column is in sight, 解答 included.
    void columnsFitFirstSize()
    {
        Fixture f;
        QVERIFY(
            f.editor.openFile(QDir(QStringLiteral(SORARIO_SAMPLES)).filePath(u"中学英語文法ドリル1.qvn"_s)));
        f.editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.editor));
        const QHeaderView *header = f.table->horizontalHeader();
        const int answer = QuestionTableModel::AnswerColumn;
        QCOMPARE_LE(header->sectionViewportPosition(answer) + header->sectionSize(answer),
            f.table->viewport()->width());
        QCOMPARE_GE(header->sectionSize(answer), 100);
    }

    // Ctrl+Z right after a mark takes back the mark alone; the next, the typing before it.
    void markKind_data() { addRows(markRows); }
    void markKind()
    {
        QFETCH(int, row);
        const MarkRow &r = markRows[row];
        Fixture f;
        const QString path = f.dir.filePath(u"t.qvn"_s);
        writeSjisLines(path, questionFile(u"T"_s, u"1"_s, 1));
        QVERIFY(f.editor.openFile(path));
        f.editor.show();
        QVERIFY(QTest::qWaitForWindowActive(&f.editor));
        const QModelIndex cell = f.editor.model().index(0, r.column);
        f.table->setCurrentIndex(cell);
        QTest::keyClick(f.table, Qt::Key_F2);
        QTest::keyClicks(QApplication::focusWidget(), r.typed);
        for (int i = 0; i < r.selected; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::ShiftModifier);
        f.editor.findChild<QAction *>(QLatin1String(r.action))->trigger();
        QCOMPARE(cell.data().toString(), r.marked);
        QCOMPARE(f.editor.model().index(0, QuestionTableModel::KindColumn).data().toString(), r.kind);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell.data().toString(), r.typed);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(cell.data().toString(), r.before);
    }
};

QTEST_MAIN(tst_editortable)
#include "tst_editortable.moc"
