// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FontNames.h"

#include <QByteArray>
#include <QFont>
#include <QRawFont>

namespace sorario {

namespace {

// Entries of a font's "name" table, as the OpenType format lays them out.
constexpr int WindowsPlatform = 3;
constexpr int JapaneseLanguage = 0x0411;
constexpr int FamilyNameId = 1;
constexpr int TypographicFamilyNameId = 16;

} // namespace

QString japaneseFamilyName(const QString &family)
{
    const QByteArray table = QRawFont::fromFont(QFont(family)).fontTable("name");
    const auto u16 = [&table](qsizetype at) {
        return at >= 0 && at + 2 <= table.size()
            ? (static_cast<uchar>(table[at]) << 8) | static_cast<uchar>(table[at + 1])
            : -1;
    };
    const int count = u16(2);
    const int storage = u16(4);
    QString legacy, typographic;
    for (int i = 0; i < count; ++i) {
        const qsizetype record = 6 + 12 * qsizetype(i);
        const int nameId = u16(record + 6);
        if (u16(record) != WindowsPlatform || u16(record + 4) != JapaneseLanguage
            || (nameId != FamilyNameId && nameId != TypographicFamilyNameId))
            continue;
        const qsizetype start = storage + qsizetype(u16(record + 10));
        const int length = u16(record + 8);
        if (length < 0 || start + length > table.size())
            continue;
        QString name;
        for (int k = 0; k + 1 < length; k += 2)
            name.append(QChar(static_cast<char16_t>(u16(start + k))));
        (nameId == TypographicFamilyNameId ? typographic : legacy) = name;
    }
    return typographic.isEmpty() ? legacy : typographic;
}

} // namespace sorario
