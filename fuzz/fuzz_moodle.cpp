// SPDX-License-Identifier: GPL-3.0-or-later
// A Moodle XML question bank read back into the lines of a question file.
#include "OnlineBankCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    return sorario::fuzz::checkOnlineBank(sorario::OnlineFormat::MoodleXml, data, size);
}
