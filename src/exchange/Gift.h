// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/OnlineBank.h"

namespace sorario {

// A GIFT question bank: each category a "$CATEGORY:" line after its header note as
// comments; each fill-the-blank and word-order question a short answer with its name,
// its text and hint (general feedback) as HTML, its answer behind "="; a multiple
// choice its choices in order, "~" before each but the right one's "=". GIFT's markers in a text
// are written after a backslash. A reader trims an answer, so an answer's blanks at
// either end do not come back.
QByteArray giftBytes(const QList<BankCategory> &categories);

// Whether an answer reads back as one: GIFT has no escape for "->".
bool giftHoldsAnswer(QStringView answer);

// Categories, short answers and multiple choice of one right answer; any other kind
// of question is refused with the line it begins on.
BankFileRead readGift(QByteArrayView bytes);

} // namespace sorario
