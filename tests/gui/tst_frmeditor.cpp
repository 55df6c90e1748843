// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileRead.h"
#include "bank/QuestionFiles.h"
#include "editor/QuestionTableModel.h"
#include "editor/frmEditor.h"
#include "shared/Module1.h"

#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

const QString Drill = u"中学英語文法ドリル1.qvn"_s;
const QString Encoded = u"高校英語文法演習.qvn"_s;

void trigger(QWidget *window, const char *action)
{
    window->findChild<QAction *>(QString::fromLatin1(action))->trigger();
}

void edit(frmEditor &editor, int row, int column, const QString &text)
{
    QVERIFY(editor.model().setData(editor.model().index(row, column), text, Qt::EditRole));
}

} // namespace

class tst_frmeditor : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void editUndoSave_data();
    void editUndoSave();
    void rowWork_data();
    void rowWork();
    void problemRowMarked();
    void unsavedChangesAsked_data();
    void unsavedChangesAsked();
    void recoveryAfterCrash();

private:
    QString copyOfSample(const QString &name);

    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<Module1> m_m;
    ScriptedDialogs m_dialogs;
};

void tst_frmeditor::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    m_m = std::make_unique<Module1>();
    m_dialogs = ScriptedDialogs();
}

QString tst_frmeditor::copyOfSample(const QString &name)
{
    const QString path = m_dir->filePath(name);
    QFile::copy(QDir(QStringLiteral(SORARIO_SAMPLES)).filePath(name), path);
    return path;
}

void tst_frmeditor::editUndoSave_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("plain") << Drill;
    QTest::newRow("encoded") << Encoded;
}

// An edit, undone and redone, saved in the form the file came in, reads back as
// exactly the edited lines.
void tst_frmeditor::editUndoSave()
{
    QFETCH(QString, sample);
    const QString path = copyOfSample(sample);
    frmEditor editor(*m_m, m_dialogs, RecoveryStore(m_dir->filePath(u"rec"_s)));
    QVERIFY(editor.openFile(path));
    const QStringList original = editor.model().lines();
    // The part column: the declared parts, equal runs, the last to the end.
    const int rows = editor.model().questionCount();
    const int parts = original[1].toInt();
    const auto partOf = [&](int row) { return editor.model().index(row, 0).data().toInt(); };
    QCOMPARE(QList<int>({partOf(0), partOf(rows / parts - 1), partOf(rows / parts), partOf(rows - 1)}),
        QList<int>({1, 1, 2, parts}));

    edit(editor, 1, QuestionTableModel::HintColumn, u"ヒント, \"引用\" @強調@"_s);
    QVERIFY(editor.isModified());
    trigger(&editor, "actUndo");
    QCOMPARE(editor.model().lines(), original);
    QVERIFY(!editor.isModified());
    trigger(&editor, "actRedo");
    QStringList expected = original;
    expected[HeaderLineCount + 3 + 1] = u"ヒント, \"引用\" @強調@"_s;
    QCOMPARE(editor.model().lines(), expected);

    QSignalSpy saved(&editor, &frmEditor::saved);
    trigger(&editor, "actSave");
    QCOMPARE(saved.count(), 1);
    QVERIFY(!editor.isModified());
    const QuestionFileRead read = ReadQuestionFile(path);
    QCOMPARE(read.countedLines(), expected);
    QCOMPARE(read.encoded, sample == Encoded);
    if (sample == Drill)
        QCOMPARE(readBytes(path), sjis(expected.join(u"\r\n"_s) + u"\r\n"_s));
}

void tst_frmeditor::rowWork_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QStringList>("questions"); // the first column of every row after the work
    QTest::newRow("insert") << u"actInsertRow"_s << QString()
                            << QStringList {u"q1"_s, QString(), u"q2"_s, u"q3"_s};
    QTest::newRow("delete") << u"actDeleteRows"_s << QString() << QStringList {u"q1"_s, u"q3"_s};
    QTest::newRow("up") << u"actMoveUp"_s << QString() << QStringList {u"q2"_s, u"q1"_s, u"q3"_s};
    QTest::newRow("down") << u"actMoveDown"_s << QString() << QStringList {u"q1"_s, u"q3"_s, u"q2"_s};
    QTest::newRow("paste from a spreadsheet") << u"actPaste"_s << u"\"a\tb\"\th\ta\r\nc\r\n"_s
                                              << QStringList {u"q1"_s, u"a\tb"_s, u"c"_s, u"q2"_s, u"q3"_s};
    QTest::newRow("replace all") << u"cmdReplaceAll"_s << QString()
                                 << QStringList {u"x1"_s, u"x2"_s, u"x3"_s};
}

// Each piece of row work on the second row, and its undo.
void tst_frmeditor::rowWork()
{
    QFETCH(QString, action);
    QFETCH(QString, clipboard);
    QFETCH(QStringList, questions);
    const QString path = writeSjisLines(m_dir->filePath(u"r.qvn"_s),
        {u"T"_s, u"1"_s, u"C"_s, {}, {}, {}, u"q1"_s, u"h"_s, u"a"_s, u"q2"_s, u"h"_s, u"a"_s, u"q3"_s,
            u"h"_s, u"a"_s});
    frmEditor editor(*m_m, m_dialogs, RecoveryStore(m_dir->filePath(u"rec"_s)));
    QVERIFY(editor.openFile(path));
    const QStringList before = editor.model().lines();
    editor.findChild<QTableView *>(u"tblQuestions"_s)->setCurrentIndex(editor.model().index(1, 1));
    QGuiApplication::clipboard()->setText(clipboard);
    editor.findChild<QLineEdit *>(u"txtFind"_s)->setText(u"q"_s);
    editor.findChild<QLineEdit *>(u"txtReplace"_s)->setText(u"x"_s);
    if (auto *button = editor.findChild<QPushButton *>(action))
        button->click();
    else
        trigger(&editor, action.toLatin1().constData());
    QStringList after;
    for (int row = 0; row < editor.model().questionCount(); ++row)
        after.append(editor.model().record(row).QuestionText);
    QCOMPARE(after, questions);
    trigger(&editor, "actUndo");
    QCOMPARE(editor.model().lines(), before);
}

// A character Shift-JIS cannot hold marks its row, is listed (a click goes there),
// and keeps the file from being saved with "?" in its place.
void tst_frmeditor::problemRowMarked()
{
    const QString path = copyOfSample(Drill);
    const QByteArray before = readBytes(path);
    frmEditor editor(*m_m, m_dialogs, RecoveryStore(m_dir->filePath(u"rec"_s)));
    QVERIFY(editor.openFile(path));
    edit(editor, 4, QuestionTableModel::AnswerColumn, u"café"_s);
    QVERIFY(editor.model().index(4, 1).data(Qt::BackgroundRole).isValid());
    QVERIFY(!editor.model().index(3, 1).data(Qt::BackgroundRole).isValid());

    auto *problems = editor.findChild<QListWidget *>(u"lstProblems"_s);
    QCOMPARE(problems->count(), 1);
    QVERIFY(problems->item(0)->text().contains(u"é"_s));
    problems->setCurrentRow(0);
    Q_EMIT problems->itemClicked(problems->item(0));
    QCOMPARE(editor.findChild<QTableView *>(u"tblQuestions"_s)->currentIndex().row(), 4);

    trigger(&editor, "actSave");
    QCOMPARE(readBytes(path), before);
    QCOMPARE(m_dialogs.messages().size(), 1);
    QVERIFY(editor.isModified());
}

void tst_frmeditor::unsavedChangesAsked_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("cancel keeps the window") << MessageAnswer::Cancel << false << false;
    QTest::newRow("no drops the edit") << MessageAnswer::No << true << false;
    QTest::newRow("yes saves") << MessageAnswer::Yes << true << true;
}

void tst_frmeditor::unsavedChangesAsked()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    const QString path = copyOfSample(Drill);
    const QByteArray before = readBytes(path);
    frmEditor editor(*m_m, m_dialogs, RecoveryStore(m_dir->filePath(u"rec"_s)));
    editor.show();
    QVERIFY(editor.openFile(path));
    trigger(&editor, "actDeleteRows");
    m_dialogs.messageAnswers.enqueue(answer);
    QCOMPARE(editor.close(), closed);
    QCOMPARE(m_dialogs.kinds(), QStringList {u"message"_s});
    QCOMPARE(readBytes(path) != before, written);
}

// A copy kept while editing survives a crash (the window gone without closing) and
// is offered by the next editor; taking it up restores the edit, still unsaved.
void tst_frmeditor::recoveryAfterCrash()
{
    const QString path = copyOfSample(Drill);
    const QString store = m_dir->filePath(u"rec"_s);
    QStringList edited;
    {
        frmEditor editor(*m_m, m_dialogs, RecoveryStore(store));
        QVERIFY(editor.openFile(path));
        edit(editor, 0, QuestionTableModel::QuestionColumn, u"直した問題"_s);
        edited = editor.model().lines();
        editor.keepRecoveryCopy();
    }
    frmEditor next(*m_m, m_dialogs, RecoveryStore(store));
    m_dialogs.messageAnswers.enqueue(MessageAnswer::Yes);
    QVERIFY(next.offerRecovery());
    QVERIFY(m_dialogs.messages().first().contains(QDir::toNativeSeparators(path)));
    QCOMPARE(next.model().lines(), edited);
    QCOMPARE(next.filePath(), path);
    QVERIFY(next.isModified());
    QVERIFY(!ReadQuestionFile(path).lines.contains(u"直した問題"_s));
}

QTEST_MAIN(tst_frmeditor)
#include "tst_frmeditor.moc"
