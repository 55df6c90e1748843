// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QtGlobal>

#include <vector>

namespace sorario {

// A fixed-capacity table used from slot 1, as the program's tables always are.
// Storage is allocated once; an index outside 1..Capacity is a programming error.
template <typename T, int Capacity> class Slots
{
public:
    static constexpr int capacity = Capacity;

    Slots()
        : m_items(Capacity + 1)
    {
    }

    T &operator()(int slot)
    {
        Q_ASSERT(slot >= 1 && slot <= Capacity);
        return m_items[static_cast<size_t>(slot)];
    }
    const T &operator()(int slot) const
    {
        Q_ASSERT(slot >= 1 && slot <= Capacity);
        return m_items[static_cast<size_t>(slot)];
    }

    // Slots 1..count, in order.
    QList<T> first(int count) const
    {
        QList<T> items;
        for (int i = 1; i <= count; ++i)
            items.append((*this)(i));
        return items;
    }

    void clear(int first, int last)
    {
        for (int i = first; i <= last; ++i)
            (*this)(i) = T {};
    }

private:
    std::vector<T> m_items;
};

} // namespace sorario
