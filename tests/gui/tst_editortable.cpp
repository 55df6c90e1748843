// SPDX-License-Identifier: GPL-3.0-or-later
// The question editor's table: its columns at the window's first size.
#include "editor/QuestionTableModel.h"
#include "ui/frmEditor.h"

#include "GuiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

using namespace sorario::test;

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
};

QTEST_MAIN(tst_editortable)
#include "tst_editortable.moc"
