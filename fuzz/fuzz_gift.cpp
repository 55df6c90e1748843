// SPDX-License-Identifier: GPL-3.0-or-later
// A GIFT question bank read back into the lines of a question file; the input as
// the questions of a file exported to GIFT and read back.
#include "OnlineBankCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    sorario::fuzz::checkRoundTrip(sorario::OnlineFormat::Gift, data, size);
    return sorario::fuzz::checkOnlineBank(sorario::OnlineFormat::Gift, data, size);
}
