// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/Marks.h"

#include <QUndoCommand>

#include <optional>

namespace sorario {

class MarkingWindow;

// A pupil's row as it was and as it became (none: no row); each step saves the row it goes to.
class RowChange : public QUndoCommand
{
public:
    RowChange(MarkingWindow &window, int pupil, std::optional<MarkedSheet> before,
        std::optional<MarkedSheet> after);
    void undo() override;
    void redo() override;

private:
    MarkingWindow &m_window;
    int m_pupil;
    std::optional<MarkedSheet> m_before;
    std::optional<MarkedSheet> m_after;
    bool m_saved = true;
};

// The run's points as they were and as they became.
class PointsChange : public QUndoCommand
{
public:
    PointsChange(MarkingWindow &window, std::optional<int> before, std::optional<int> after);
    void undo() override;
    void redo() override;

private:
    MarkingWindow &m_window;
    std::optional<int> m_before;
    std::optional<int> m_after;
    bool m_saved = true;
};

} // namespace sorario
