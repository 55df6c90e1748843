// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Analysis.h"
#include "history/HistoryRecord.h"
#include "platform/SafeWrite.h"
#include "print/PrintTarget.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class AnalysisWindow;
}

namespace sorario {

class Dialogs;
class HistoryStore;

// 「分析」: what a class got right over a period, or one run: the scores' mean and
// median, their histogram, and each question's rate, weakest first; a second class
// beside it on the questions both had. 「CSV保存」 writes the first class's tables,
// 「印刷」 prints them on a B5 or A4 page; 「成績の書き出し」 writes its grade book.
class AnalysisWindow : public QDialog
{
    Q_OBJECT

public:
    // `run`: the run chosen in the history, offered as the other scope. `targets`: where
    // 「印刷」 prints; by default the real printer.
    AnalysisWindow(const HistoryStore &store, Dialogs &dialogs, const QString &className,
        std::optional<RecordedRun> run, PrintTargetFactory targets = {}, QWidget *parent = nullptr);
    ~AnalysisWindow() override;

private Q_SLOTS:
    void scope_Change();
    void cmdCsv_Click();
    void cmdPrint_Click();
    void cmdScores_Click();

private:
    std::optional<Analysis> read(const AnalysisScope &scope);
    void showQuestions(const std::optional<Analysis> &beside);
    // The line under the table says where the file went, or a message why it did not.
    void showWritten(const WriteOutcome &written, const QString &path);

    std::unique_ptr<Ui::AnalysisWindow> m_ui;
    const HistoryStore &m_store;
    Dialogs &m_dialogs;
    PrintTargetFactory m_targets;
    std::optional<RecordedRun> m_run;
    AnalysisScope m_scope;
    std::optional<Analysis> m_analysis; // of m_scope, when it has marks
};

} // namespace sorario
