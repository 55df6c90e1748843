// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace sorario {

// Where a width break falls when English words are kept whole. `head` is the
// text from the line's segment start up to and including the first character
// that no longer fits, and `placed` how many characters of it the break puts on
// this line. A break inside a run of ASCII letters, digits and apostrophes moves
// back to just before the run, unless the run begins the line's text (after its
// indent), so a word longer than a line is still broken where it must be.
// `lineHasText`: something is placed on the line before this segment.
qsizetype KeepWordsWhole(QStringView head, qsizetype placed, bool lineHasText);

} // namespace sorario
