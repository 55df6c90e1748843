// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>

namespace sorario {

struct FoundSheets;

// A run's number is its minute, "mmddhhnn", as the first run of that minute has it;
// each later run of the minute adds letters: "b" for the second, on to "z", then
// "aa", "ab", … Its sheets add "-k" as ever.

// The number of the first run of `minute` whose number no run in `taken` has.
QString FreeRunNumber(const QString &minute, const QSet<QString> &taken);

// The run's number within a sheet number: "05010900b" of "05010900b-2".
QString RunNumberOf(const QString &sheetNumber);

// The letters after the minute: "b" of "05010900b-2", none of "05010900-2".
QString RunLettersOf(const QString &sheetNumber);

// A run's date and time in full, seconds and all, so that two runs of one minute differ.
QString RunTimeText(const QDateTime &when);

// What a look-up of `number` found when it is not one run: none, or several runs
// (records made before numbers took letters), listed with their class and time.
QString FoundSheetsText(const QString &number, const QList<FoundSheets> &found);

} // namespace sorario
