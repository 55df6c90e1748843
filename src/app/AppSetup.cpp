// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSetup.h"

#include "print/FontSubstitution.h"
#include "ui/QtJapanese.h"
#include "ui/WindowFonts.h"

#include <QApplication>
#include <QFont>
#include <QIcon>
#include <QStyleFactory>

namespace sorario {

void setUpApplication(QApplication &app)
{
    QApplication::setApplicationName(QStringLiteral("sorario"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Every window, dialogs included, carries the icon of the desktop entry.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/sorario.svg")));

    installQtJapanese(app);

    installFontSubstitutions();
    installWindowFontSubstitutions();
    QFont uiFont(QStringLiteral("ＭＳ Ｐゴシック"));
    uiFont.setPointSize(10);
    QApplication::setFont(uiFont);
}

} // namespace sorario
