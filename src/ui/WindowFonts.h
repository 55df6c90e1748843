// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sorario {

// The window faces ("ＭＳ Ｐゴシック" for lists and texts, "HG創英角ﾎﾟｯﾌﾟ体" for the title)
// mapped to installed Japanese fonts. Idempotent.
void installWindowFontSubstitutions();

} // namespace sorario
