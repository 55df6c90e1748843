// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Clock.h"
#include "shared/ProgramConstants.h"
#include "shared/QuestionRecord.h"
#include "shared/SheetOptions.h"
#include "shared/Slots.h"

#include <QString>

#include <array>
#include <cstdint>

namespace sorario {

// FileHeaders(f, s): header line s (1..6) of chosen file f (1..100).
class HeaderTable
{
public:
    QString &operator()(int file, int line) { return m_files(file)[index(line)]; }
    const QString &operator()(int file, int line) const { return m_files(file)[index(line)]; }

private:
    static size_t index(int line)
    {
        Q_ASSERT(line >= 1 && line <= HeaderLineCount);
        return static_cast<size_t>(line - 1);
    }
    Slots<std::array<QString, HeaderLineCount>, MaxChosenFiles> m_files;
};

// The program's one shared state, owned by main() and passed to every procedure
// that reads or writes it. Counts are 16-bit as the file formats and windows expect.
struct Module1
{
    // Chosen files and the load
    Slots<QString, MaxChosenFiles> ChosenFileList;
    std::int16_t ChosenFileCount = 0;
    Slots<QString, MaxFileLines> FileLines;
    HeaderTable FileHeaders;
    std::int16_t LoadFailed = 0;

    // Encoded files
    QString EncodedText;

    // The question bank
    Slots<QuestionRecord, MaxBankQuestions> QuestionBank;
    std::int16_t BankQuestionCount = 0;
    std::int16_t PartCount = 0;
    std::int16_t PartSize = 0;
    QString LoadedTitles;

    // Range and count
    Slots<QuestionRecord, MaxBankQuestions> RangePool;
    std::int16_t RangeQuestionCount = 0;
    std::int16_t QuestionCount = DefaultQuestionCount;
    std::int16_t ChosenPartCount = 0;
    Slots<QString, MaxChosenParts> ChosenPartNumbers;
    std::int16_t AllPartsChosen = 0;

    // The draw
    Slots<QuestionRecord, MaxDrawnQuestions> DrawnQuestions;

    // Output options and sheet settings
    SheetOptions options;

    // Print metrics and the last run's outcome
    std::int32_t CharHeight = 0;
    float LineSpacing = 1.2f;
    std::int32_t LineWidth = 175;
    std::int32_t FirstPageLines = 0;
    std::int32_t NextPageLines = 0;
    std::int16_t OverCapacity = 0;
    std::int16_t FitCount = 0;
    std::int16_t PrintMode = 1;
    // The size the run lowered the question font to so that it fits; 0 when it
    // prints at FontSize.
    std::int16_t FittedSize = 0;
    // What the history added to the run's minute so that its number is its own
    // ("b", "c", …); empty for the first run of a minute and for no class.
    QString SheetLetters;
    // The pupil (出席番号) whose own review the sheet being printed is; 0 for the class's.
    std::int16_t SheetPupil = 0;

    // Main window and read-me
    QString VersionText;
    QString CurrentFolder; // always ends in a separator
    QString ReadmeText;

    // Where Vk.ini, Vk.rog and Readme.txt live: the program's folder.
    QString ProgramFolder;
    // Where Vk.ini and Vk.rog are kept: ProgramFolder for a portable copy, the
    // user's configuration folder for an installed one. Empty means ProgramFolder.
    QString SettingsFolder;

    // The time the sheet number and the draw's seed read.
    Clock clock;
};

} // namespace sorario
