// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/SheetTitle.h"

#include "shared/Module1.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

namespace sorario {

TestNaming testNamingOf(const Module1 &m)
{
    TestNaming naming {{}, m.FileHeaders(1, 3), m.AllPartsChosen == 1, {}};
    // With no file chosen the first slot still names the test, as it always did.
    for (int f = 1; f <= std::clamp<int>(m.ChosenFileCount, 1, MaxChosenFiles); ++f)
        naming.titles.append(m.FileHeaders(f, 1));
    naming.partNumbers = m.ChosenPartNumbers.first(std::clamp<int>(m.ChosenPartCount, 0, MaxChosenParts));
    return naming;
}

QString SheetTitleText(const Module1 &m)
{
    return sheetTitleText(testNamingOf(m).titles);
}

QString sheetTitleText(const QStringList &titles)
{
    return titles.size() > 1 ? QStringLiteral("まとめのテスト") : titles.value(0);
}

QString SheetFileName(const Module1 &m)
{
    return sheetFileName(SheetTitleText(m));
}

QString sheetFileName(const QString &title)
{
    QString name = title.trimmed();
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = u'_';
    }
    return name.isEmpty() || name.startsWith(u'.') ? ProgramTitle : name;
}

QString SheetFolder(const Module1 &m)
{
    return sheetFolder({m.ChosenFileCount > 0 ? m.ChosenFileList(1) : m.CurrentFolder});
}

QString sheetFolder(const QStringList &files)
{
    // A folder given ends in a separator: its own path.
    if (files.isEmpty() || files.first().isEmpty())
        return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(files.first()).absolutePath();
}

QString RangeLineText(const Module1 &m, int limit)
{
    return rangeLineText(testNamingOf(m), limit);
}

QString rangeLineText(const TestNaming &naming, int limit)
{
    if (naming.titles.size() > 1) {
        const QString line = naming.titles.first() + u'～' + naming.titles.last();
        return limit > 0 ? line.left(limit) : line;
    }
    if (naming.allParts)
        return QStringLiteral("すべてのはんい");
    const QStringList &parts = naming.partNumbers;
    const QString joined = QStringLiteral("その") + parts.join(u'・');
    if (limit > 0 && joined.size() > limit && !parts.isEmpty())
        return parts.first() + u'～' + parts.last();
    return joined;
}

SheetHeading SheetHeadingOf(const Module1 &m, int rangeLimit)
{
    return sheetHeadingOf(testNamingOf(m), m.SheetLetters, m.options.SheetLogo, rangeLimit);
}

SheetHeading sheetHeadingOf(
    const TestNaming &naming, const QString &letters, const QString &logo, int rangeLimit)
{
    return {
        sheetTitleText(naming.titles), rangeLineText(naming, rangeLimit), naming.sheetCode, letters, logo};
}

} // namespace sorario
