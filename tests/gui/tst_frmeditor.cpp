// SPDX-License-Identifier: GPL-3.0-or-later
// The question-file editor.
#include "bank/QuestionFileRead.h"
#include "editor/QuestionTableModel.h"
#include "ui/frmEditor.h"

#include "GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

using namespace sorario::test;

namespace {

const QString Drill = u"中学英語文法ドリル1.qvn"_s;

void trigger(QWidget *window, const char *action)
{
    window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
}

// A folder with a copy of a sample and an editor over it, its recovery store beside it.
struct Fixture
{
    QTemporaryDir dir;
    Module1 m;
    ScriptedDialogs dialogs;
    QString path;
    frmEditor editor {m, dialogs, RecoveryStore(dir.filePath(u"rec"_s))};

    explicit Fixture(const QString &sample = Drill)
        : path(dir.filePath(sample))
    {
        QFile::copy(QDir(QStringLiteral(SORARIO_SAMPLES)).filePath(sample), path);
    }
    // A file of made-up questions (q1 h a1, …), opened.
    bool openMade(int questions)
    {
        writeSjisLines(path, questionFile(u"T"_s, u"1"_s, questions));
        return editor.openFile(path);
    }
    bool edit(int row, int column, const QString &text)
    {
        return editor.model().setData(editor.model().index(row, column), text, Qt::EditRole);
    }
};

// An edit saved in the form the file came in.
const struct SaveRow
{
    const char *name;
    QString sample;
    bool encoded;
} saveRows[] = {
    {.name = "plain", .sample = Drill, .encoded = false},
    {.name = "encoded", .sample = u"高校英語文法演習.qvn"_s, .encoded = true},
};

const struct UnsavedRow
{
    const char *name;
    MessageAnswer answer;
    bool closes, saved;
} unsavedRows[] = {
    {.name = "cancel keeps the window", .answer = MessageAnswer::Cancel, .closes = false, .saved = false},
    {.name = "no drops the edit", .answer = MessageAnswer::No, .closes = true, .saved = false},
    {.name = "yes saves", .answer = MessageAnswer::Yes, .closes = true, .saved = true},
};

// How the next editor finds a kept copy, and the answer to its offer.
const struct RecoveryRow
{
    const char *name;
    bool strayName; // the copy's file renamed, as by hand
    MessageAnswer answer;
} recoveryRows[] = {
    {.name = "kept copy taken up, then dropped", .strayName = false, .answer = MessageAnswer::Yes},
    {.name = "kept copy declined", .strayName = false, .answer = MessageAnswer::No},
    {.name = "stray copy taken up, then dropped", .strayName = true, .answer = MessageAnswer::Yes},
    {.name = "stray copy declined", .strayName = true, .answer = MessageAnswer::No},
};

// Each piece of row work on the second row: the first column of every row after it.
const struct RowWork
{
    const char *name, *action;
    QString clipboard;
    QStringList questions;
    int current = 1; // -1: no row current
} rowWorkRows[] = {{"insert", "actInsertRow", {}, {u"q1"_s, QString(), u"q2"_s, u"q3"_s}},
    {"insert below", "actInsertRowBelow", {}, {u"q1"_s, u"q2"_s, QString(), u"q3"_s}},
    {"add at the end", "actAppendRow", {}, {u"q1"_s, u"q2"_s, u"q3"_s, QString()}},
    {"delete", "actDeleteRows", {}, {u"q1"_s, u"q3"_s}},
    {"delete the last", "actDeleteRows", {}, {u"q1"_s, u"q2"_s}, 2},
    {"up", "actMoveUp", {}, {u"q2"_s, u"q1"_s, u"q3"_s}},
    {"down", "actMoveDown", {}, {u"q1"_s, u"q3"_s, u"q2"_s}},
    {"paste from a spreadsheet", "actPaste", u"\"a\tb\"\th\ta\r\nc\r\n"_s,
        {u"q1"_s, u"a\tb"_s, u"c"_s, u"q2"_s, u"q3"_s}},
    {"replace all", "cmdReplaceAll", {}, {u"x1"_s, u"x2"_s, u"x3"_s}},
    {"insert, no row current", "actInsertRow", {}, {u"q1"_s, u"q2"_s, u"q3"_s, QString()}, -1},
    {"paste, no row current", "actPaste", u"c"_s, {u"q1"_s, u"q2"_s, u"q3"_s, u"c"_s}, -1}};

// Find next from the current cell: along its row, then down, round to the top.
const struct FindRow
{
    const char *name;
    QString text;
    int fromRow, fromColumn, row, column;
    QString status = {};
} findRows[] = {
    {.name = "the same question's answer",
        .text = u"a"_s,
        .fromRow = 0,
        .fromColumn = 1,
        .row = 0,
        .column = 3},
    {.name = "the next question", .text = u"q"_s, .fromRow = 0, .fromColumn = 1, .row = 1, .column = 1},
    {.name = "round to the top", .text = u"q1"_s, .fromRow = 2, .fromColumn = 3, .row = 0, .column = 1},
    {.name = "nowhere: stays and says so",
        .text = u"zz"_s,
        .fromRow = 1,
        .fromColumn = 2,
        .row = 1,
        .column = 2,
        .status = u"見つかりません。"_s},
};

// A file the loader refuses opens nothing, and the teacher reads why.
const struct RefusedOpenRow
{
    const char *name;
    QStringList lines = {}; // none: no file at all
    QString message; // its first line
} refusedOpenRows[] = {
    {.name = "no such file", .message = u"◆問題ファイルを読み込めません。"_s},
    {.name = "a line too long, named by its number",
        .lines = QStringList {u"T"_s, u"1"_s, u"S"_s, {}, {}, {}, QString(10001, u'x'), u"h"_s, u"a"_s},
        .message = u"◆問題ファイルの7行目が10000文字をこえています。"_s},
};

} // namespace

class tst_frmeditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // An edit, undone and redone, saved, reads back as exactly the edited lines.
    void editUndoSave_data() { addRows(saveRows); }
    void editUndoSave()
    {
        QFETCH(int, row);
        const SaveRow &r = saveRows[row];
        Fixture f(r.sample);
        frmEditor &editor = f.editor;
        QVERIFY(editor.openFile(f.path));
        const QStringList original = editor.model().lines();
        // The part column: the declared parts, equal runs, the last to the end.
        const int rows = editor.model().questionCount();
        const int parts = original[1].toInt();
        const auto partOf = [&](int row) { return editor.model().index(row, 0).data().toInt(); };
        QCOMPARE(partOf(0), 1);
        QCOMPARE(partOf(rows / parts - 1), 1);
        QCOMPARE(partOf(rows / parts), 2);
        QCOMPARE(partOf(rows - 1), parts);

        QVERIFY(f.edit(1, QuestionTableModel::HintColumn, u"ヒント, \"引用\" @強調@"_s));
        QVERIFY(editor.isModified());
        trigger(&editor, "actUndo");
        QCOMPARE(editor.model().lines(), original);
        QVERIFY(!editor.isModified());
        trigger(&editor, "actRedo");
        QStringList expected = original;
        expected[10] = u"ヒント, \"引用\" @強調@"_s; // the hint of question 2
        QCOMPARE(editor.model().lines(), expected);

        trigger(&editor, "actSave");
        QVERIFY(!editor.isModified());
        const QuestionFileRead read = ReadQuestionFile(f.path);
        QCOMPARE(read.countedLines(), expected);
        QCOMPARE(read.encoded, r.encoded);
        if (!r.encoded)
            QCOMPARE(readBytes(f.path), sjis(expected.join(u"\r\n"_s) + u"\r\n"_s));
    }

    void rowWork_data() { addRows(rowWorkRows); }
    void rowWork()
    {
        QFETCH(int, row);
        const RowWork &r = rowWorkRows[row];
        Fixture f;
        writeSjisLines(f.path, questionFile(u"T"_s, u"1"_s, 3));
        frmEditor &editor = f.editor;
        QVERIFY(editor.openFile(f.path));
        const QStringList before = editor.model().lines();
        auto *table = editor.findChild<QTableView *>(u"tblQuestions"_s);
        table->setCurrentIndex(editor.model().index(r.current, 1));
        if (r.current < 0)
            table->clearSelection();
        QGuiApplication::clipboard()->setText(r.clipboard);
        editor.findChild<QLineEdit *>(u"txtFind"_s)->setText(u"q"_s);
        editor.findChild<QLineEdit *>(u"txtReplace"_s)->setText(u"x"_s);
        if (auto *button = editor.findChild<QPushButton *>(QLatin1String(r.action)))
            button->click();
        else
            trigger(&editor, r.action);
        QStringList after;
        for (int row = 0; row < editor.model().questionCount(); ++row)
            after.append(editor.model().record(row).QuestionText);
        QCOMPARE(after, r.questions);
        trigger(&editor, "actUndo");
        QCOMPARE(editor.model().lines(), before);
    }

    void findNext_data() { addRows(findRows); }
    void findNext()
    {
        QFETCH(int, row);
        const FindRow &r = findRows[row];
        Fixture f;
        QVERIFY(f.openMade(3));
        auto *table = f.editor.findChild<QTableView *>(u"tblQuestions"_s);
        table->setCurrentIndex(f.editor.model().index(r.fromRow, r.fromColumn));
        f.editor.findChild<QLineEdit *>(u"txtFind"_s)->setText(r.text);
        f.editor.findChild<QPushButton *>(u"cmdFindNext"_s)->click();
        QCOMPARE(table->currentIndex().row(), r.row);
        QCOMPARE(table->currentIndex().column(), r.column);
        QCOMPARE(f.editor.statusBar()->currentMessage(), r.status);
    }

    void refusedOpen_data() { addRows(refusedOpenRows); }
    void refusedOpen()
    {
        QFETCH(int, row);
        const RefusedOpenRow &r = refusedOpenRows[row];
        Fixture f(u"refused.qvn"_s);
        if (!r.lines.isEmpty())
            writeSjisLines(f.path, r.lines);
        QVERIFY(!f.editor.openFile(f.path));
        QCOMPARE(f.editor.model().questionCount(), 0);
        QCOMPARE(f.dialogs.messages().value(0).section(u'\n', 0, 0), r.message);
    }

    // A replace-all that would make a cell too long changes nothing, and says so.
    void replaceAllTooLong()
    {
        Fixture f;
        QVERIFY(f.openMade(3));
        const QStringList before = f.editor.model().lines();
        f.editor.findChild<QLineEdit *>(u"txtFind"_s)->setText(u"q"_s);
        f.editor.findChild<QLineEdit *>(u"txtReplace"_s)->setText(QString(10000, u'x'));
        f.editor.findChild<QPushButton *>(u"cmdReplaceAll"_s)->click();
        QCOMPARE(f.editor.model().lines(), before);
        QCOMPARE(f.dialogs.shown.size(), 1);
    }

    // A character Shift-JIS cannot hold marks its row, is listed (a click goes there),
    // and keeps the file from being saved with "?" in its place.
    void problemRowMarked()
    {
        Fixture f;
        const QByteArray before = readBytes(f.path);
        QVERIFY(f.editor.openFile(f.path));
        QVERIFY(f.edit(4, QuestionTableModel::AnswerColumn, u"café"_s));
        QVERIFY(f.editor.model().index(4, 1).data(Qt::BackgroundRole).isValid());
        QVERIFY(!f.editor.model().index(3, 1).data(Qt::BackgroundRole).isValid());
        auto *problems = f.editor.findChild<QListWidget *>(u"lstProblems"_s);
        QCOMPARE(problems->count(), 1);
        QVERIFY(problems->item(0)->text().contains(u"é"_s));
        problems->setCurrentRow(0);
        Q_EMIT problems->itemClicked(problems->item(0));
        QCOMPARE(f.editor.findChild<QTableView *>(u"tblQuestions"_s)->currentIndex().row(), 4);
        trigger(&f.editor, "actSave");
        QCOMPARE(readBytes(f.path), before);
        QCOMPARE(f.dialogs.messages().size(), 1);
        QVERIFY(f.editor.isModified());
        // A lone "@" is listed with its cell and column, as the loader's check finds it.
        QVERIFY(f.edit(2, QuestionTableModel::QuestionColumn, u"tom@example.com"_s));
        QVERIFY2(problems->item(0)->text().startsWith(u"3 問目　問題 4文字目: "_s),
            qPrintable(problems->item(0)->text()));
        // A problem of a whole cell says no column.
        QVERIFY(f.edit(2, QuestionTableModel::QuestionColumn, u"Q"_s));
        QVERIFY(f.edit(2, QuestionTableModel::AnswerColumn, QString()));
        QCOMPARE(problems->item(0)->text(), u"3 問目　解答が空です。"_s);
    }

    // Closing over unsaved changes asks: cancel keeps the window, no drops the edit, yes saves.
    void unsavedChangesAsked_data() { addRows(unsavedRows); }
    void unsavedChangesAsked()
    {
        QFETCH(int, row);
        const UnsavedRow &r = unsavedRows[row];
        Fixture f;
        const QByteArray before = readBytes(f.path);
        f.editor.show();
        QVERIFY(f.editor.openFile(f.path));
        trigger(&f.editor, "actDeleteRows");
        f.dialogs.messageAnswers.enqueue(r.answer);
        QVERIFY(QTest::qWaitForWindowActive(&f.editor));
        QTest::keyClick(&f.editor, Qt::Key_W, Qt::ControlModifier);
        QCOMPARE(f.editor.isVisible(), !r.closes);
        QCOMPARE(f.dialogs.kinds(), QStringList {u"message"_s});
        QCOMPARE(readBytes(f.path) != before, r.saved);
    }

    // A copy kept while editing survives a crash (the window gone without closing) and
    // is offered by the next editor; taking it up restores the edit, still unsaved. A
    // copy whose file is named for no path of its own is offered once all the same.
    void recoveryAfterCrash_data() { addRows(recoveryRows); }
    void recoveryAfterCrash()
    {
        QFETCH(int, row);
        const RecoveryRow &r = recoveryRows[row];
        Fixture f;
        const QDir rec(f.dir.filePath(u"rec"_s));
        QStringList edited;
        {
            frmEditor editor(f.m, f.dialogs, RecoveryStore(rec.path()));
            QVERIFY(editor.openFile(f.path));
            QVERIFY(editor.model().setData(
                editor.model().index(0, QuestionTableModel::QuestionColumn), u"直した問題"_s, Qt::EditRole));
            edited = editor.model().lines();
            editor.keepRecoveryCopy();
        }
        if (r.strayName)
            QVERIFY(QFile::rename(
                rec.filePath(rec.entryList(QDir::Files).first()), rec.filePath(u"x.recovery"_s)));
        {
            frmEditor next(f.m, f.dialogs, RecoveryStore(rec.path()));
            f.dialogs.messageAnswers << r.answer << MessageAnswer::No; // the offer, then "save the changes?"
            QCOMPARE(next.offerRecovery(), r.answer == MessageAnswer::Yes);
            QVERIFY(f.dialogs.messages().first().contains(QDir::toNativeSeparators(f.path)));
            if (r.answer == MessageAnswer::Yes) {
                QCOMPARE(next.model().lines(), edited);
                QCOMPARE(next.filePath(), f.path);
                QVERIFY(next.isModified());
                QVERIFY(!ReadQuestionFile(f.path).lines.contains(u"直した問題"_s));
                QVERIFY(next.close());
            }
        }
        frmEditor third(f.m, f.dialogs, RecoveryStore(rec.path()));
        QVERIFY(!third.offerRecovery());
        QCOMPARE(rec.entryList(QDir::Files), QStringList {});
    }
    // A table written to CSV reads back the same into a new window's table (never over
    // the file it came from); a CSV the file cannot hold is refused with a message, the
    // table as it was.
    void csvRoundTrip()
    {
        Fixture f;
        QVERIFY(f.editor.openFile(f.path));
        const QStringList original = f.editor.model().lines();
        const QString csv = f.dir.filePath(u"t.csv"_s), bad = f.dir.filePath(u"bad.csv"_s);
        writeBytes(bad, "Q \xF0\x9F\x98\x80,h,a\r\n");
        const QByteArray file = readBytes(f.path);
        f.dialogs.saveAnswers << f.path << csv;
        trigger(&f.editor, "actExportCsv");
        QCOMPARE(readBytes(f.path), file);
        trigger(&f.editor, "actExportCsv");
        trigger(&f.editor, "actNew");
        f.dialogs.openAnswers << csv << bad;
        f.dialogs.messageAnswers.enqueue(MessageAnswer::No); // the imported table not saved
        for (int i = 0; i < 2; ++i) {
            trigger(&f.editor, "actImportCsv");
            QCOMPARE(f.editor.model().lines(), original);
        }
        QCOMPARE(f.dialogs.kinds(),
            (QStringList {
                u"save"_s, u"message"_s, u"save"_s, u"open"_s, u"message"_s, u"open"_s, u"message"_s}));
    }
};

QTEST_MAIN(tst_frmeditor)
#include "tst_frmeditor.moc"
