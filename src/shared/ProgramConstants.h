// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

namespace sorario {

inline constexpr int MaxChosenFiles = 100;
inline constexpr int MaxFileLines = 10000;
// Characters of one question-file line, and of one cell of the editor: far more than
// a sheet shows, and far less than makes a print run of thousands of pages.
inline constexpr int MaxLineLength = 10000;
inline constexpr int MaxBankQuestions = 5000;
inline constexpr int MaxDrawnQuestions = 1000;
inline constexpr int MaxChosenParts = 500;
inline constexpr int HeaderLineCount = 6;
inline constexpr int MaxSheetCount = 60;

inline const QString ProgramTitle = QStringLiteral("ソラリオ");
inline const QString ProgramVersion = QStringLiteral("Ver.2.04");
inline const QString DefaultFontName = QStringLiteral("ＭＳ Ｐ明朝");
inline constexpr std::int16_t DefaultFontSize = 10;
inline const QString DefaultSheetLogo = QStringLiteral("《ミナセラ》");
// The question count chosen when a range is decided, and after every run.
inline constexpr std::int16_t DefaultQuestionCount = 10;

} // namespace sorario
