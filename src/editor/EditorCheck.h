// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

// A problem of the edited file, placed where the editor shows it: a header line
// (index 0..5) or a question row (from 0).
struct EditorProblem
{
    enum class Place { Header, Row };
    Place place = Place::Row;
    int index = 0;
    QString message;
};

// What the loader's check says of the lines, and every character a Shift-JIS file
// cannot hold (saving would turn it into "?").
QList<EditorProblem> checkEditedLines(const QStringList &lines);

// Whether a save would turn some character into "?".
bool holdsUnwritable(const QStringList &lines);

// The part (from 1) of each question, as the set-up window divides the bank of
// this file alone.
QList<int> partOfQuestions(const QStringList &lines);

} // namespace sorario
