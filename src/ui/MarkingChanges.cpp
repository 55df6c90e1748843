// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MarkingChanges.h"

#include "ui/MarkingWindow.h"

#include <utility>

namespace sorario {

RowChange::RowChange(
    MarkingWindow &window, int pupil, std::optional<MarkedSheet> before, std::optional<MarkedSheet> after)
    : m_window(window)
    , m_pupil(pupil)
    , m_before(std::move(before))
    , m_after(std::move(after))
{
}

void RowChange::undo()
{
    m_window.save(m_pupil, m_before);
}

void RowChange::redo()
{
    // The first step was saved before the change was kept.
    if (!std::exchange(m_saved, false))
        m_window.save(m_pupil, m_after);
}

PointsChange::PointsChange(MarkingWindow &window, std::optional<int> before, std::optional<int> after)
    : m_window(window)
    , m_before(before)
    , m_after(after)
{
}

void PointsChange::undo()
{
    m_window.savePoints(m_before);
}

void PointsChange::redo()
{
    if (!std::exchange(m_saved, false))
        m_window.savePoints(m_after);
}

} // namespace sorario
