// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryRecord.h"
#include "history/Marks.h"

#include <QDialog>
#include <QUndoStack>

#include <memory>
#include <optional>

namespace Ui {
class MarkingWindow;
}

namespace sorario {

class Dialogs;
class HistoryStore;

// 「採点」: the answer sheets handed in for one recorded run, one row each, a mark per
// question. A row is typed as the numbers of its wrong questions, changed cell by cell,
// or taken out by Delete on its pupil; each change is saved as it is made and can be undone.
class MarkingWindow : public QDialog
{
    Q_OBJECT

public:
    // `sheet`: the run's sheet chosen first, from 0.
    MarkingWindow(
        const HistoryStore &store, Dialogs &dialogs, RecordedRun run, int sheet, QWidget *parent = nullptr);
    ~MarkingWindow() override;

    // Saves `row` in the place of the pupil's row (none: takes it out) and shows what the
    // history then holds.
    bool save(int pupil, const std::optional<MarkedSheet> &row);
    // Sets the run's points per question (none: the default) and scores every row at them.
    bool savePoints(std::optional<int> tenths);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void txtWrong_Enter();
    void spnSheet_Change();
    void spnPoints_Change();
    void cmdDefaultPoints_Click();
    void cmdReload_Click();

private:
    bool change(int pupil, const std::optional<MarkedSheet> &after);
    bool removeRow();
    void changePoints(std::optional<int> after);
    int points(int sheet) const;
    bool markCell(Mark mark);
    bool undoKey(const QKeyEvent &key);
    void showRows();
    void showMeaning();
    int rowOf(int pupil) const; // -1 when the pupil has none
    void proposePupil(int from);
    int questionCount(int sheet) const;

    std::unique_ptr<Ui::MarkingWindow> m_ui;
    const HistoryStore &m_store;
    Dialogs &m_dialogs;
    RecordedRun m_run;
    QList<MarkedSheet> m_rows; // as shown: by pupil number, rows without one last
    std::optional<int> m_setPoints; // set for the run, in tenths; none while the default holds
    QUndoStack m_undo;
};

} // namespace sorario
