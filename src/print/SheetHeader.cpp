// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/SheetHeader.h"

#include "print/PrintSurface.h"
#include "shared/Module1.h"
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

QString SheetNumberText(const Module1 &m, const QDateTime &when)
{
    return m.FileHeaders(1, 3) + QStringLiteral("(SheetNo.:")
        + SheetNumber(when, m.SheetIndex, m.SheetLetters) + u')';
}

QString SheetNumber(const QDateTime &when, int sheetIndex, const QString &letters)
{
    // Sheets of one run are printed within the same minute; the sheet's place in
    // the run tells them apart.
    const QString sheet = sheetIndex > 0 ? u'-' + QString::number(sheetIndex) : QString();
    return when.toString(QStringLiteral("MMddHHmm")) + letters + sheet;
}

SheetKey KindsKey(const Module1 &m)
{
    return {SheetNumber(m.clock.now(), 0, m.SheetLetters), m.SheetIndex, m.options.choiceLabels};
}

void PrintHeader(const Module1 &m, PrintSurface &surface)
{
    PrintHeader(m, surface, m.clock.now());
}

void PrintHeader(const Module1 &m, PrintSurface &surface, const QDateTime &when)
{
    surface.line(12, 12, 167, 30, true, FrameColor);
    surface.line(95, 12, 95, 30, false, 0);
    surface.line(150, 12, 150, 30, false, 0);
    surface.line(95, 17, 150, 17, false, 0);
    surface.line(100, 17, 100, 30, false, 0);

    surface.setFontName(HeaderFontName);
    surface.setFontSize(8);
    printAt(surface, 12, 9, SheetNumberText(m, when), false);
    // A pupil's own sheet says whose it is beside its number.
    if (m.SheetPupil > 0)
        surface.print(QStringLiteral("　出席番号") + NumberText(m.SheetPupil), false);
    printAt(surface, 167 - surface.textWidth(m.options.SheetLogo), 9, m.options.SheetLogo);
    printAt(surface, 97, 14, QStringLiteral("　　　　年　　　　　組　　　　　番"));
    printAt(surface, 96, 20, QStringLiteral("氏"));
    printAt(surface, 96, 24, QStringLiteral("名"));
    printAt(surface, 163, 26, QStringLiteral("点"));

    surface.setFontSize(16);
    printAt(surface, 16, 16, SheetTitleText(m));

    surface.setFontSize(12);
    printAt(surface, 20, 24, RangeLineText(m, HeaderRangeLimit), false);
}

} // namespace sorario
