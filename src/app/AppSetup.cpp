// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSetup.h"

#include "print/FontSubstitution.h"
#include "ui/WindowFonts.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

namespace sorario {

void setUpApplication(QTranslator &qtTranslator)
{
    QApplication::setApplicationName(QStringLiteral("sorario"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Every window, dialogs included, carries the icon of the desktop entry.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/sorario.svg")));

    // Qt's own dialogs (print, font, files) in Japanese where the translations are installed.
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    installFontSubstitutions();
    installWindowFontSubstitutions();
    QFont uiFont(QStringLiteral("ＭＳ Ｐゴシック"));
    uiFont.setPointSize(10);
    QApplication::setFont(uiFont);
}

} // namespace sorario
