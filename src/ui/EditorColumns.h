// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTableView;

namespace sorario {

// The question table's columns: the kind beside the part, and the question taking
// what the others leave, so that all of them, 解答 included, are in sight at the
// window's first size and the question grows with the window.
void layOutEditorColumns(QTableView &table);

} // namespace sorario
