// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace sorario {

// One question of a handed-in sheet as the teacher marked it.
// A byte each: a class's marks are held whole.
enum class Mark : quint8 { Unmarked, Right, Wrong, Partial };

// One answer sheet handed in: whose it is, which sheet of the run, and its marks
// in question order.
struct MarkedSheet
{
    int pupil = 0; // 出席番号, 1 to MaxPupil; 0 when not given
    int sheet = 1; // the run's sheet, from 1 (the "k" of "-k")
    QList<Mark> marks;
    friend bool operator==(const MarkedSheet &, const MarkedSheet &) = default;
};

inline constexpr int MaxPupil = 60;

// ○ × △, and "-" for a question not marked yet.
QChar MarkSymbol(Mark mark);
QString MarkText(const QList<Mark> &marks);
// The mark a typed or written character stands for: the symbols, the letters the
// keyboard uses for them (o x t) and their look-alikes (〇 ✕).
std::optional<Mark> MarkOf(QChar c);

// Points are counted in tenths: a question is worth a whole number or one decimal.
// By default the questions share 100 points: 100 / count, to one decimal.
int DefaultPointsTenths(int questionCount);

// Points a teacher may set for a run's questions: 0.1 to 100.
inline constexpr int MinPointsTenths = 1;
inline constexpr int MaxPointsTenths = 1000;
bool PointsInRange(int tenths);

// What a question of a sheet of `questionCount` is worth: the points set for its
// run, or when none are, the default.
int PointsTenths(std::optional<int> setTenths, int questionCount);

// What a sheet of `questionCount` is out of: the points set times its questions, or
// the hundred the default shares out (7 questions at 14.3 still make a hundred).
int FullTenths(std::optional<int> setTenths, int questionCount);

// The sheet's score in tenths: a question's points for ○, half of them for △
// (rounded up to the tenth), none for × or a question not marked.
int ScoreTenths(const QList<Mark> &marks, int pointsTenths);

// Tenths as the teacher reads points: "5", "3.3".
QString PointsText(int tenths);

} // namespace sorario
