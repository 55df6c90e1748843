// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/FontSubstitution.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>

namespace sorario {

namespace {

struct StandIn
{
    QStringList names; // every spelling a settings file or font dialog may hold
    QStringList fonts; // best first
    std::optional<double> lineHeightEm;
    bool mincho = false; // emphasis in a bold serif face, else a bold sans one
};

// The IPA fonts share their advance widths with the Windows faces, so line breaks
// and capacities come out as on the machines the settings files were made on.
// Noto CJK only keeps the text Japanese where the IPA fonts are missing.
QList<StandIn> standIns()
{
    const QString notoSerif = QStringLiteral("Noto Serif CJK JP");
    const QString notoSans = QStringLiteral("Noto Sans CJK JP");
    const QString ipaMincho = QStringLiteral("IPAMincho");
    const QString ipaPMincho = QStringLiteral("IPAPMincho");
    const QString ipaGothic = QStringLiteral("IPAGothic");
    const QString ipaPGothic = QStringLiteral("IPAPGothic");
    return {
        {{QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")},
            {ipaPMincho, ipaMincho, notoSerif, notoSans}, 1.0, true},
        {{QStringLiteral("ＭＳ 明朝"), QStringLiteral("MS Mincho")},
            {ipaMincho, ipaPMincho, notoSerif, notoSans}, 1.0, true},
        {{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic")}, {ipaPGothic, ipaGothic, notoSans},
            1.0},
        {{QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic")}, {ipaGothic, ipaPGothic, notoSans},
            1.0},
        {{QStringLiteral("MS UI Gothic")}, {ipaPGothic, ipaGothic, notoSans}, 1.0},
        {{QStringLiteral("メイリオ"), QStringLiteral("Meiryo"), QStringLiteral("Meiryo UI"),
             QStringLiteral("游ゴシック"), QStringLiteral("Yu Gothic")},
            {ipaPGothic, ipaGothic, notoSans}, std::nullopt},
        {{QStringLiteral("游明朝"), QStringLiteral("Yu Mincho")},
            {ipaPMincho, ipaMincho, notoSerif, notoSans}, std::nullopt, true},
    };
}

std::optional<StandIn> standInFor(const QString &storedName)
{
    for (const StandIn &entry : standIns()) {
        for (const QString &name : entry.names) {
            if (name.compare(storedName, Qt::CaseInsensitive) == 0)
                return entry;
        }
    }
    return std::nullopt;
}

} // namespace

QString emphasisFace(const QString &storedName)
{
    // A face chosen by its stand-in's own name is that face's style too.
    std::optional<StandIn> entry = standInFor(storedName);
    for (const StandIn &e : standIns()) {
        if (!entry && e.fonts.first().compare(storedName, Qt::CaseInsensitive) == 0)
            entry = e;
    }
    if (!entry)
        return storedName;
    const QString bold
        = entry->mincho ? QStringLiteral("Noto Serif CJK JP") : QStringLiteral("Noto Sans CJK JP");
    return QFontDatabase::styles(bold).contains(QStringLiteral("Bold")) ? bold : storedName;
}

std::optional<double> originalLineHeightEm(const QString &storedName)
{
    const auto entry = standInFor(storedName);
    return entry ? entry->lineHeightEm : std::nullopt;
}

QString printedFace(const QString &storedName)
{
    installFontSubstitutions();
    return QFontInfo(QFont(storedName)).family();
}

void installFontSubstitutions()
{
    // Windows has the faces themselves.
#ifndef Q_OS_WIN
    for (const StandIn &entry : standIns()) {
        for (const QString &name : entry.names) {
            // Qt appends; adding only what is missing keeps repeated calls harmless.
            const QStringList present = QFont::substitutes(name);
            QStringList missing;
            for (const QString &font : entry.fonts) {
                if (!present.contains(font, Qt::CaseInsensitive))
                    missing.append(font);
            }
            if (!missing.isEmpty())
                QFont::insertSubstitutions(name, missing);
        }
    }
#endif
}

} // namespace sorario
