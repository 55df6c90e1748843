// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

namespace sorario {

// Where a width break falls when English words are kept whole. `rest` is the
// text from the line's segment start on, `at` the number of its characters up to
// and including the first one that no longer fits, and `placed` how many the
// break puts on this line. A break inside a run of ASCII letters, digits and
// apostrophes moves back to just before the run, and before any opening brackets
// in front of it, unless that would leave the line's text (after its indent)
// empty, so a word longer than a line is still broken where it must be. Blanks
// at the break stay at the end of this line.
// `lineHasText`: something is placed on the line before this segment.
qsizetype KeepWordsWhole(QStringView rest, qsizetype at, qsizetype placed, bool lineHasText);

} // namespace sorario
