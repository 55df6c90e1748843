// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtJapanese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace sorario {

namespace {

struct Gap
{
    const char *context;
    const char *source;
    const char16_t *japanese;
};

// What the print dialog and the file dialog still showed in English with Qt's file.
const Gap gaps[] = {
    {"QPrintSettingsOutput", "Pages", u"ページ指定"},
    {"QPrintSettingsOutput", "Double Sided Printing", u"両面印刷"},
    {"QPrintSettingsOutput", "Off", u"片面"},
    {"QPrintSettingsOutput", "Long side binding", u"長辺とじ"},
    {"QPrintSettingsOutput", "Short side binding", u"短辺とじ"},
    {"QPrintSettingsOutput",
        "Specify pages or ranges separated by commas. Ranges are specified by two numbers separated by a "
        "hyphen. E.g: 3,5-7,9 prints pages 3, 5, 6, 7 and 9.",
        u"ページまたは範囲をカンマで区切って指定します。範囲は二つの数をハイフンでつなぎます。例: 3,5-7,9 "
        u"はページ 3、5、6、7、9 を印刷します。"},
    {"QAbstractFileIconProvider", "Drive", u"ドライブ"},
    {"QAbstractFileIconProvider", "Folder", u"フォルダー"},
};

class GapTranslator : public QTranslator
{
public:
    using QTranslator::QTranslator;

    QString translate(const char *context, const char *sourceText, const char * /*disambiguation*/,
        int /*n*/) const override
    {
        if (context == nullptr || sourceText == nullptr)
            return {};
        for (const Gap &gap : gaps) {
            if (std::strcmp(gap.context, context) == 0 && std::strcmp(gap.source, sourceText) == 0)
                return QString::fromUtf16(gap.japanese);
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

} // namespace

void installQtJapanese(QCoreApplication &app)
{
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    // Installed last, so asked first; it answers only for the gaps.
    QCoreApplication::installTranslator(new GapTranslator(&app));
}

} // namespace sorario
