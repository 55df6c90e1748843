// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cp932System.h"

#include <windows.h>

namespace sorario {

namespace {
constexpr UINT CodePage = 932;
}

struct Cp932System::Handles
{
};

Cp932System::Cp932System() = default;

Cp932System::~Cp932System() = default;

char16_t Cp932System::toUnit(const char *bytes, int length) const
{
    wchar_t out[4] = {};
    // Without the flag a byte that is no character would come back as a stand-in.
    const int n = MultiByteToWideChar(CodePage, MB_ERR_INVALID_CHARS, bytes, length, out, 4);
    return n == 1 ? static_cast<char16_t>(out[0]) : NoUnit;
}

std::uint16_t Cp932System::toCode(char16_t unit) const
{
    const wchar_t in = static_cast<wchar_t>(unit);
    unsigned char out[4] = {};
    BOOL usedDefault = FALSE;
    // No best fit: "é" is no "e"; a character without its own code has none.
    const int n = WideCharToMultiByte(CodePage, WC_NO_BEST_FIT_CHARS, &in, 1, reinterpret_cast<char *>(out),
        sizeof out, nullptr, &usedDefault);
    if (usedDefault || n <= 0)
        return NoCode;
    return codeOf(out, static_cast<std::size_t>(n));
}

} // namespace sorario
