// SPDX-License-Identifier: GPL-3.0-or-later
// The question editor's table: its columns at the window's first size, and the kind
// marks put in on a cell being typed, shown in the kind column and undone by the key;
// the bank written for a learning system.
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

// 「書き出し」 writes the bank the name's ending asks for; any other name writes nothing.
const struct ExportRow
{
    const char *name;
    QString file;
    QByteArray start = {}; // the file's first bytes
    QString message = {}; // the first line of the refusal
} exportRows[] = {
    {.name = "Moodle XML", .file = u"bank.xml"_s, .start = "<?xml version=\"1.0\""},
    {.name = "GIFT", .file = u"bank.gift"_s, .start = "// "},
    {.name = "another ending",
        .file = u"bank.csv"_s,
        .message
        = u"書き出すファイルの名前は、Moodle XML なら「.xml」、GIFT なら「.gift」か「.txt」で終えて下さい。"_s},
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

    void exportBank_data() { addRows(exportRows); }
    void exportBank()
    {
        QFETCH(int, row);
        const ExportRow &r = exportRows[row];
        Fixture f;
        QVERIFY(
            f.editor.openFile(QDir(QStringLiteral(SORARIO_SAMPLES)).filePath(u"中学英語文法ドリル1.qvn"_s)));
        const QString out = f.dir.filePath(r.file);
        f.dialogs.saveAnswers << out;
        f.editor.findChild<QAction *>(u"actExportBank"_s)->trigger();
        QCOMPARE(QFile::exists(out), r.message.isEmpty());
        QCOMPARE(readBytes(out).first(r.start.size()), r.start);
        QCOMPARE(f.dialogs.messages().value(0).section(u'\n', 0, 0), r.message);
        QCOMPARE(f.dialogs.shown.last().title, r.message.isEmpty() ? QString() : u"ソラリオ"_s);
    }
};

QTEST_MAIN(tst_editortable)
#include "tst_editortable.moc"
