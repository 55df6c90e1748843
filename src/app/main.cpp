// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/QtDialogs.h"
#include "app/WindowFonts.h"
#include "app/frmMain.h"
#include "platform/ProgramFolder.h"
#include "print/FontSubstitution.h"
#include "shared/Module1.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyleFactory>
#include <QTranslator>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("sorario"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Every window, dialogs included, carries the icon of the desktop entry.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/sorario.svg")));

    // Qt's own dialogs (print, font, files) in Japanese where the translations are installed.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
            QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTranslator);

    sorario::installFontSubstitutions();
    sorario::installWindowFontSubstitutions();
    QFont uiFont(QStringLiteral("ＭＳ Ｐゴシック"));
    uiFont.setPointSize(10);
    QApplication::setFont(uiFont);

    auto module = std::make_unique<sorario::Module1>();
    sorario::InitialiseFolders(*module);
    sorario::QtDialogs dialogs;
    sorario::frmMain window(*module, dialogs);
    window.show();
    return app.exec();
}
