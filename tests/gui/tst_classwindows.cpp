// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window for a named class: its history, the preview's swap, 「履歴」.
#include "setup/frmSettei.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include "history/HistoryStore.h"
#include "shared/Module1.h"

#include <QApplication>
#include <QComboBox>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

class TestClassWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A class's preview: 入れ替え changes one question, and what prints and is recorded
    // is what the preview listed; the class is offered again and 「履歴」 shows the sheet.
    void classRun()
    {
        QTemporaryDir home;
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, home.path());
        const QString history = home.filePath(QStringLiteral("h.sqlite"));
        qputenv("SORARIO_HISTORY", history.toUtf8());
        QTemporaryDir dir;
        Module1 m;
        fillBank(m, 200, 1);
        ScriptedDialogs dialogs;
        const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
        auto w = std::make_unique<frmSettei>(m, dialogs, pdfSurfaces(pdf));
        control<QComboBox>(w.get(), "cboClass")->setEditText(QStringLiteral("2年B組"));
        click(w.get(), "Command5");
        dialogs.previewSwaps = {{0, 2}};
        dialogs.previewAnswers.enqueue(true);
        click(w.get(), "cmdPreview");

        const QStringList before = dialogs.previewSheets.value(0).value(0);
        const QStringList after = dialogs.previewSheets.value(1).value(0);
        QCOMPARE(after.size(), before.size());
        int changed = 0;
        for (qsizetype i = 0; i < after.size(); ++i)
            changed += after[i] != before[i];
        QCOMPARE(changed, 1);
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        const auto third = [](const QString &question) { return u"( 3) "_s + question.section(u'（', 0, 0); };
        QVERIFY(printed.contains(third(after[2])) && !printed.contains(third(before[2])));
        const QList<RecordedRun> runs = HistoryStore(history).runs(QStringLiteral("2年B組")).value;
        QCOMPARE(runs.size(), 1);
        QStringList recorded;
        for (const QuestionRecord &q : runs[0].sheets[0].questions)
            recorded.append(q.QuestionText);
        QCOMPARE(recorded, after);

        w = std::make_unique<frmSettei>(m, dialogs, pdfSurfaces(pdf));
        QCOMPARE(entries(control<QComboBox>(w.get(), "cboClass")), QStringList {QStringLiteral("2年B組")});
        control<QComboBox>(w.get(), "cboClass")->setEditText(QStringLiteral("2年B組"));
        int listed = 0;
        int questions = 0;
        QTimer::singleShot(0, [&] {
            QWidget *window = QApplication::activeModalWidget();
            listed = control<QTreeWidget>(window, "lstSheets")->topLevelItemCount();
            questions = control<QListWidget>(window, "lstQuestions")->count();
            window->close();
        });
        click(w.get(), "cmdHistory");
        QCOMPARE(listed, 1);
        QCOMPARE(questions, after.size());
        qunsetenv("SORARIO_HISTORY");
    }
};

QTEST_MAIN(TestClassWindows)
#include "tst_classwindows.moc"
