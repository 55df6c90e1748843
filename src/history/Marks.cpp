// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Marks.h"

namespace sorario {

QChar MarkSymbol(Mark mark)
{
    switch (mark) {
    case Mark::Right:
        return u'○';
    case Mark::Wrong:
        return u'×';
    case Mark::Partial:
        return u'△';
    case Mark::Unmarked:
        break;
    }
    return u'-';
}

QString MarkText(const QList<Mark> &marks)
{
    QString text;
    for (Mark mark : marks)
        text += MarkSymbol(mark);
    return text;
}

std::optional<Mark> MarkOf(QChar c)
{
    switch (c.unicode()) {
    case u'○':
    case u'〇':
    case u'o':
    case u'O':
        return Mark::Right;
    case u'×':
    case u'✕':
    case u'x':
    case u'X':
        return Mark::Wrong;
    case u'△':
    case u't':
    case u'T':
        return Mark::Partial;
    case u'-':
        return Mark::Unmarked;
    default:
        return std::nullopt;
    }
}

int DefaultPointsTenths(int questionCount)
{
    return questionCount > 0 ? (2000 / questionCount + 1) / 2 : 0;
}

bool PointsInRange(int tenths)
{
    return tenths >= MinPointsTenths && tenths <= MaxPointsTenths;
}

int PointsTenths(std::optional<int> setTenths, int questionCount)
{
    return setTenths && PointsInRange(*setTenths) ? *setTenths : DefaultPointsTenths(questionCount);
}

int FullTenths(std::optional<int> setTenths, int questionCount)
{
    return setTenths && PointsInRange(*setTenths) ? *setTenths * questionCount : 1000;
}

int ScoreTenths(const QList<Mark> &marks, int pointsTenths)
{
    int halves = 0;
    for (Mark mark : marks)
        halves += mark == Mark::Right ? 2 : mark == Mark::Partial ? 1 : 0;
    return (halves * pointsTenths + 1) / 2;
}

QString PointsText(int tenths)
{
    return tenths % 10 == 0 ? QString::number(tenths / 10) : QString::number(tenths / 10.0, 'f', 1);
}

} // namespace sorario
