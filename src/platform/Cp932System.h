// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace sorario {

// The system's own code-page 932 conversion, one code at a time: iconv's "CP932"
// (Cp932Iconv.cpp) or Windows' code-page calls (Cp932Win.cpp), whichever the build
// has. The codec builds its tables from it once; its rules stay with the codec.
class Cp932System
{
public:
    static constexpr char16_t NoUnit = 0xFFFF; // no code-page character maps to U+FFFF
    static constexpr std::uint16_t NoCode = 0xFFFF;

    Cp932System();
    ~Cp932System();
    Cp932System(const Cp932System &) = delete;
    Cp932System &operator=(const Cp932System &) = delete;

    // The one UTF-16 unit that `length` bytes (1 or 2) are; NoUnit when they are
    // no character or more than one unit.
    char16_t toUnit(const char *bytes, int length) const;

    // The code of one UTF-16 unit (a byte, or lead byte << 8 | trail byte); NoCode
    // when it has no code-page form.
    std::uint16_t toCode(char16_t unit) const;

    // The code of what a conversion wrote: one byte, or a lead and a trail byte.
    static std::uint16_t codeOf(const unsigned char *bytes, std::size_t length)
    {
        if (length == 1)
            return bytes[0];
        if (length == 2)
            return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
        return NoCode;
    }

private:
    struct Handles;
    std::unique_ptr<Handles> m_handles;
};

} // namespace sorario
