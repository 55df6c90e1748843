// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/SheetTitle.h"

#include "shared/Module1.h"

#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace sorario {
namespace {

bool severalFiles(const Module1 &m)
{
    return m.ChosenFileCount > 1;
}

} // namespace

QString SheetTitleText(const Module1 &m)
{
    return severalFiles(m) ? QStringLiteral("まとめのテスト") : m.FileHeaders(1, 1);
}

QString SheetFileName(const Module1 &m)
{
    QString name = SheetTitleText(m).trimmed();
    for (QChar &c : name) {
        if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c))
            c = u'_';
    }
    return name.isEmpty() || name.startsWith(u'.') ? ProgramTitle : name;
}

QString SheetFolder(const Module1 &m)
{
    return m.ChosenFileCount > 0 ? QFileInfo(m.ChosenFileList(1)).absolutePath() : QString();
}

QString RangeLineText(const Module1 &m, int limit)
{
    if (severalFiles(m)) {
        const int last = std::min<int>(m.ChosenFileCount, MaxChosenFiles);
        const QString line = m.FileHeaders(1, 1) + u'～' + m.FileHeaders(last, 1);
        return limit > 0 ? line.left(limit) : line;
    }
    if (m.AllPartsChosen == 1)
        return QStringLiteral("すべてのはんい");
    const int count = std::clamp<int>(m.ChosenPartCount, 0, MaxChosenParts);
    QStringList parts;
    for (int i = 1; i <= count; ++i)
        parts.append(m.ChosenPartNumbers(i));
    const QString joined = QStringLiteral("その") + parts.join(u'・');
    if (limit > 0 && joined.size() > limit && !parts.isEmpty())
        return parts.first() + u'～' + parts.last();
    return joined;
}

SheetHeading SheetHeadingOf(const Module1 &m, int rangeLimit)
{
    return {SheetTitleText(m), RangeLineText(m, rangeLimit), m.FileHeaders(1, 3), m.SheetLetters,
        m.options.SheetLogo};
}

} // namespace sorario
