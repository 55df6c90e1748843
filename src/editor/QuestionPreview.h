// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Clock.h"
#include "shared/PrintChoices.h"

#include <QImage>
#include <QString>
namespace sorario {

struct QuestionRecord;

// A question as the sheet prints it: composed and placed by the print engine on the
// recording surface (so line breaks, "\/" indents and "@" emphasis fall where the
// sheet puts them), then painted with the chosen font, emphasis in bold.
class QuestionPreview
{
public:
    QuestionPreview();
    ~QuestionPreview();

    // An image of the printed lines, 175 mm wide at `pixelsPerMm`; a null image
    // when the font cannot print.
    QImage render(const QuestionRecord &question, int answerLayout, const QString &fontName, int fontSize,
        double pixelsPerMm, ChoiceLabels labels = ChoiceLabels::Kana);

private:
    Clock m_clock; // what sets word groups and choices as a sheet printed now would
};

} // namespace sorario
