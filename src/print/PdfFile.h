// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PaintedDocument.h"

class QPrinter;

namespace sorario {

// Paints `list` as the PDF file `printer` names, made in memory and written whole as
// every file is: on the file itself a short write would go unseen, as the PDF writer
// stops at it without a word. A symlink is written through. Returns the pages;
// throws PrintFailure when the file is refused or cannot be written.
int paintPdfFile(const DisplayList &list, const QPrinter &printer, FontCache &fonts, Paper placing);

} // namespace sorario
