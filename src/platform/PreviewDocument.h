// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/QuestionRecord.h"

#include <QList>

class QPrinter;

namespace sorario {

// A finished document kept for the print preview, whose print button prints it.
class PreviewDocument
{
public:
    virtual ~PreviewDocument() = default;
    // The printer the preview draws on and its print button prints to.
    virtual QPrinter &previewPrinter() = 0;
    // Draws the document on printer() when the preview records its pages, or prints
    // it there when the user printed. True when it was printed.
    virtual bool paintRequested() = 0;
};

// The questions of each sheet shown in a preview, beside its pages; 「入れ替え」 swaps
// one of them for another and lays the pages out again.
class PreviewQuestions
{
public:
    virtual ~PreviewQuestions() = default;
    // Each sheet's questions as on its pages, in order.
    virtual QList<QList<QuestionRecord>> sheets() const = 0;
    // Replaces question `position` of sheet `sheet` (both from 0); false when no other
    // question is left to take its place.
    virtual bool swap(int sheet, int position) = 0;
};

} // namespace sorario
