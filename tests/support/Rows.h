// SPDX-License-Identifier: GPL-3.0-or-later
// A test's table: one named data row per entry.
#pragma once

#include <QTest>

#include <cstddef>

namespace sorario::test {

// One data row per entry of `rows`, named by its `name`; the test reads rows[row].
template <typename Row, std::size_t N> void addRows(const Row (&rows)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t i = 0; i < N; ++i)
        QTest::addRow("%s", rows[i].name) << int(i);
}

} // namespace sorario::test
