// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>

namespace sorario {

// Every line of every file the program writes ends so.
inline const QString CrLf = QStringLiteral("\r\n");

// A number as the program writes it into messages and files: a blank in the
// sign position for zero and above, the minus sign below ("12" -> " 12").
QString NumberText(std::int64_t value);

// Nearest integer, ties to the even neighbour (2.5 -> 2, 3.5 -> 4).
std::int64_t RoundHalfEven(double value);

// The leading number of a text: blanks skipped, then an optional sign, digits and
// one decimal point; 0 when the text does not begin with a number ("2.5部" -> 2.5),
// an infinity when the number is beyond a double.
double LeadingNumber(QStringView text);

// ASCII digits turned into full-width digits ("12" -> "１２"); other characters stay.
QString FullWidthDigits(QStringView text);

} // namespace sorario
