// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

#include <optional>

namespace sorario {

// Local time as the sheet number and the draw's seed read it; tests and the
// command line's --now fix it.
class Clock
{
public:
    QDateTime now() const { return m_fixed ? *m_fixed : QDateTime::currentDateTime(); }
    void setFixed(const QDateTime &when) { m_fixed = when; }
    void release() { m_fixed.reset(); }

private:
    std::optional<QDateTime> m_fixed;
};

} // namespace sorario
