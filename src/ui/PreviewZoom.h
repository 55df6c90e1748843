// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QBoxLayout;
class QPrintPreviewWidget;

namespace sorario {

// Zooming of a print preview's pages: Ctrl+wheel, and Ctrl++ (or Ctrl+=) and Ctrl+-
// anywhere in its window.
void addPreviewZoom(QPrintPreviewWidget &pages);

// 「幅に合わせる」 and 「ページに合わせる」, for a preview without a tool bar of its own.
void addFitButtons(QPrintPreviewWidget &pages, QBoxLayout &into);

} // namespace sorario
