// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <variant>

namespace sorario {

// What an operation gives, or the kind of failure that kept it from giving it with the
// detail its message adds (the system's own words, a name). Each area makes its
// messages from the kinds in one place, so a caller never compares texts.
template <typename Fault, typename T = std::monostate> struct [[nodiscard]] Outcome
{
    T value {};
    std::optional<Fault> fault; // none when the value holds
    QString detail;
    int line = 0; // where in its input, from 1, for the kinds that name a line

    Outcome() = default;
    Outcome(T held) // NOLINT(google-explicit-constructor): a value is its own success
        : value(std::move(held))
    {
    }
    static Outcome failed(Fault kind, const QString &why = {}, int line = 0)
    {
        Outcome o;
        o.fault = kind;
        o.detail = why;
        o.line = line;
        return o;
    }
    bool ok() const { return !fault; }
};

} // namespace sorario
