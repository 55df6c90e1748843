// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSetup.h"
#include "platform/ProgramFolder.h"
#include "shared/Module1.h"
#include "ui/QtDialogs.h"
#include "ui/frmMain.h"

#include <QApplication>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    sorario::setUpApplication(app);

    auto module = std::make_unique<sorario::Module1>();
    sorario::InitialiseFolders(*module);
    sorario::QtDialogs dialogs;
    sorario::frmMain window(*module, dialogs);
    window.show();
    return app.exec();
}
