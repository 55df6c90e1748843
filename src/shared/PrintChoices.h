// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace sorario {

// The paper the finished B5 pages go onto. The layout is that of the B5 page
// whatever the paper; only the placing of its pages changes.
enum class Paper { B5, A4, B4TwoUp, A3TwoUp };

// Where a width break may fall in English text.
enum class WordBreaks { Anywhere, KeepWords };

// Where a page break may fall in a test printed over several pages.
enum class QuestionBreaks { Anywhere, KeepQuestions };

// What a run does first when the questions overflow the first page.
enum class Overflow { Ask, ShrinkFirst };

// Where the answer pages of a run of several sheets go.
enum class AnswerPlace { AfterEachSheet, AllLast };

// Whether a sheet with an odd page count is followed by a blank page, so that
// each sheet printed on both sides starts on its own paper.
enum class DuplexPadding { None, BlankAfterOdd };

// How a sheet labels the choices of a multiple-choice question: ア イ ウ エ, or 1 2 3 4.
enum class ChoiceLabels { Kana, Digits };

} // namespace sorario
