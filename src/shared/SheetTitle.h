// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

// What names a test: each chosen file's title in order (at least the first file's
// slot), the first file's sheet code, and the parts chosen of one file.
struct TestNaming
{
    QStringList titles;
    QString sheetCode;
    bool allParts = false;
    QStringList partNumbers;
};

// The naming the state's chosen files and range give.
TestNaming testNamingOf(const Module1 &m);

// The title of a test: the one file's title, or "まとめのテスト" for several.
QString SheetTitleText(const Module1 &m);
QString sheetTitleText(const QStringList &titles);

// What a save dialog proposes for a test: its title as a file name (characters that
// no file name may hold become "_"), in the folder of the first question file. Every
// save proposes that folder (or the main window's, m.CurrentFolder, before a file
// is chosen); the user's Documents folder when there is none.
QString SheetFileName(const Module1 &m);
QString sheetFileName(const QString &title);
QString SheetFolder(const Module1 &m);
QString sheetFolder(const QStringList &files);

// The range of a test: "すべてのはんい", "その１・３・５", or the first and last
// files' titles joined by "～". A `limit` above 0 is the room the sheet header has:
// a longer part list becomes its first and last number ("２～１２"), and a longer
// pair of titles is cut to that many characters.
QString RangeLineText(const Module1 &m, int limit = 0);
QString rangeLineText(const TestNaming &naming, int limit = 0);

// What every sheet of a run heads itself with besides its number's time, place and
// pupil: title, range line, the first file's sheet code, the letters after the
// minute, the logo.
struct SheetHeading
{
    QString title;
    QString rangeLine;
    QString sheetCode;
    QString letters;
    QString logo;
};

// The heading the state's files, range and options give; `rangeLimit` as for RangeLineText.
SheetHeading SheetHeadingOf(const Module1 &m, int rangeLimit);
SheetHeading sheetHeadingOf(
    const TestNaming &naming, const QString &letters, const QString &logo, int rangeLimit);

} // namespace sorario
