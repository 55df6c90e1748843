// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/SheetHeader.h"

#include "print/PrintSurface.h"
#include "shared/SheetTitle.h"
#include "shared/TextHelpers.h"

#include <QDateTime>

namespace sorario {
namespace {

constexpr int FrameColor = 6;

void printAt(PrintSurface &surface, double x, double y, const QString &text, bool lineEnd = true)
{
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    surface.print(text, lineEnd);
}

} // namespace

QString SheetNumberText(const SheetHeading &heading, int sheetIndex, const QDateTime &when)
{
    return heading.sheetCode + QStringLiteral("(SheetNo.:") + SheetNumber(when, sheetIndex, heading.letters)
        + u')';
}

QString SheetNumber(const QDateTime &when, int sheetIndex, const QString &letters)
{
    // Sheets of one run are printed within the same minute; the sheet's place in
    // the run tells them apart.
    const QString sheet = sheetIndex > 0 ? u'-' + QString::number(sheetIndex) : QString();
    return when.toString(QStringLiteral("MMddHHmm")) + letters + sheet;
}

SheetKey KindsKey(const QDateTime &now, const QString &letters, int sheetIndex, ChoiceLabels labels)
{
    return {SheetNumber(now, 0, letters), sheetIndex, labels};
}

SheetKey KindsKeyOf(const QString &sheetNumber, ChoiceLabels labels)
{
    const qsizetype dash = sheetNumber.lastIndexOf(u'-');
    bool placed = false;
    const int sheet = dash < 0 ? 0 : sheetNumber.mid(dash + 1).toInt(&placed);
    if (!placed)
        return {sheetNumber, 0, labels};
    return {sheetNumber.left(dash), sheet, labels};
}

void printSheetHeader(
    const SheetHeading &heading, int sheetIndex, int pupil, const QDateTime &when, PrintSurface &surface)
{
    surface.line(12, 12, 167, 30, true, FrameColor);
    surface.line(95, 12, 95, 30, false, 0);
    surface.line(150, 12, 150, 30, false, 0);
    surface.line(95, 17, 150, 17, false, 0);
    surface.line(100, 17, 100, 30, false, 0);

    surface.setFontName(HeaderFontName);
    surface.setFontSize(8);
    printAt(surface, 12, 9, SheetNumberText(heading, sheetIndex, when), false);
    // A pupil's own sheet says whose it is beside its number.
    if (pupil > 0)
        surface.print(QStringLiteral("　出席番号") + NumberText(pupil), false);
    printAt(surface, 167 - surface.textWidth(heading.logo), 9, heading.logo);
    printAt(surface, 97, 14, QStringLiteral("　　　　年　　　　　組　　　　　番"));
    printAt(surface, 96, 20, QStringLiteral("氏"));
    printAt(surface, 96, 24, QStringLiteral("名"));
    printAt(surface, 163, 26, QStringLiteral("点"));

    surface.setFontSize(16);
    printAt(surface, 16, 16, heading.title);

    surface.setFontSize(12);
    printAt(surface, 20, 24, heading.rangeLine, false);
}

} // namespace sorario
