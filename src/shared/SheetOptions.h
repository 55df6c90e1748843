// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/PrintChoices.h"
#include "shared/ProgramConstants.h"

#include <QString>

#include <algorithm>
#include <cstdint>

namespace sorario {

// Every choice that changes what a sheet prints, as one value: the set-up window, the
// options file, the history's columns and the command line each read and write it whole.
struct SheetOptions
{
    std::int16_t AnswerLayout = 1; // 1 with answer column, 2 without
    std::int16_t AttachAnswers = 1; // 1 answer page, 2 none
    QString FontName = DefaultFontName;
    std::int16_t FontSize = DefaultFontSize;
    QString SheetLogo = DefaultSheetLogo;
    std::int16_t sheetCount = 1; // sheets of one run, each with its own draw
    Paper paper = Paper::B5;
    WordBreaks lineBreaks = WordBreaks::Anywhere;
    Overflow overflow = Overflow::Ask;
    QuestionBreaks pageBreaks = QuestionBreaks::Anywhere;
    AnswerPlace answerPages = AnswerPlace::AfterEachSheet;
    DuplexPadding duplex = DuplexPadding::None;
    ChoiceLabels choiceLabels = ChoiceLabels::Kana;

    // How many sheets a run prints: a stored or typed count outside the limits prints at the nearest.
    int sheets() const { return std::clamp<int>(sheetCount, 1, MaxSheetCount); }

    friend bool operator==(const SheetOptions &, const SheetOptions &) = default;
};

} // namespace sorario
