// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Cp932System.h"

#include <iconv.h>

namespace sorario {

// glibc's name "CP932" keeps 0x5C the backslash ("SHIFT_JIS" makes it ¥).
struct Cp932System::Handles
{
    iconv_t toUnicode = iconv_open("UTF-16LE", "CP932");
    iconv_t fromUnicode = iconv_open("CP932", "UTF-16LE");

    // iconv_open's failure value is (iconv_t)-1 by its own definition.
    static bool usable(iconv_t cd)
    {
        return cd != reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)
    }

    ~Handles()
    {
        if (usable(toUnicode))
            iconv_close(toUnicode);
        if (usable(fromUnicode))
            iconv_close(fromUnicode);
    }
};

Cp932System::Cp932System()
    : m_handles(std::make_unique<Handles>())
{
}

Cp932System::~Cp932System() = default;

char16_t Cp932System::toUnit(const char *bytes, int length) const
{
    iconv_t cd = m_handles->toUnicode;
    if (!Handles::usable(cd))
        return NoUnit;
    char16_t out[4] = {};
    char *inPtr = const_cast<char *>(bytes);
    char *outPtr = reinterpret_cast<char *>(out);
    size_t inLeft = static_cast<size_t>(length);
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0)
        return NoUnit;
    if (sizeof out - outLeft != sizeof(char16_t))
        return NoUnit;
    return out[0];
}

std::uint16_t Cp932System::toCode(char16_t unit) const
{
    iconv_t cd = m_handles->fromUnicode;
    if (!Handles::usable(cd))
        return NoCode;
    char *inPtr = reinterpret_cast<char *>(&unit);
    unsigned char out[4] = {};
    char *outPtr = reinterpret_cast<char *>(out);
    size_t inLeft = sizeof unit;
    size_t outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return NoCode;
    return codeOf(out, sizeof out - outLeft);
}

} // namespace sorario
