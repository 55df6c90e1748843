// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSetup.h"
#include "platform/ProgramFolder.h"
#include "setup/StartFolder.h"
#include "shared/Module1.h"
#include "ui/QtDialogs.h"
#include "ui/frmMain.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    sorario::setUpApplication(app);

    auto module = std::make_unique<sorario::Module1>();
    sorario::InitialiseFolders(*module);
    QDir::setCurrent(sorario::StartFolder(*module, QApplication::arguments().mid(1), QDir::currentPath(),
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    sorario::QtDialogs dialogs;
    sorario::frmMain window(*module, dialogs);
    window.show();
    const int code = QApplication::exec();
    sorario::RememberStartFolder(*module, window.folderShown());
    return code;
}
