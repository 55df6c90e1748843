// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryRecord.h"
#include "print/PrintTarget.h"

#include <QDialog>

#include <memory>

namespace Ui {
class HistoryWindow;
}

namespace sorario {

class Dialogs;
class HistoryStore;

// 「履歴」: a class's recorded sheets, newest first, the questions of the chosen one,
// and that sheet printed or previewed again as it was; a sheet number typed or
// pasted in finds its sheet; 「採点」 marks the answer sheets of the chosen run;
// 「分析」 shows what the class, or that run, got wrong.
class HistoryWindow : public QDialog
{
    Q_OBJECT

public:
    HistoryWindow(const HistoryStore &store, Dialogs &dialogs, PrintTargetFactory targets,
        const QString &className, QWidget *parent = nullptr);
    ~HistoryWindow() override;

private Q_SLOTS:
    void cboClass_Change();
    void lstSheets_Click();
    void cmdReprint_Click();
    void cmdPreview_Click();
    void cmdFind_Click();
    void cmdMarks_Click();
    void cmdAnalysis_Click();

private:
    void reprint(PrintPurpose purpose);

    std::unique_ptr<Ui::HistoryWindow> m_ui;
    const HistoryStore &m_store;
    Dialogs &m_dialogs;
    PrintTargetFactory m_targets;
    QList<RecordedRun> m_runs;
    QList<std::pair<int, int>> m_rows; // per list row: run, sheet position
};

} // namespace sorario
