// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/frmHenkan.h"
#include "ui_frmHenkan.h"

#include "convert/FirstFormat.h"
#include "shared/Module1.h"

namespace sorario {

frmHenkan::frmHenkan(Module1 &module, Dialogs &dlgs, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmHenkan>())
    , m(module)
    , dialogs(dlgs)
{
    ui->setupUi(this);
    connect(ui->Command1, &QPushButton::clicked, this, &frmHenkan::Command1_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &frmHenkan::Command2_Click);
    Form_Load();
}

frmHenkan::~frmHenkan() = default;

void frmHenkan::Form_Load()
{
    // The window's caption names what it does, like the button that opens it.
    setWindowTitle(QStringLiteral("ファイル変換"));
    const QString text
        = QStringLiteral("　バージョン１用問題ファイル形式を、バージョン２用問題ファイル形式へ変換します。")
        + QStringLiteral("\r\n\r\n")
        + QStringLiteral("　変換実行ボタンをクリックして、変換するファイルを選択して下さい。");
    // The text box shows line breaks, not the characters that make them.
    ui->Text1->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmHenkan::Command1_Click()
{
    // An installed copy's own folder holds no question files; start where the teacher is.
    const bool portable = m.SettingsFolder.isEmpty() || m.SettingsFolder == m.ProgramFolder;
    RunConversion(dialogs, portable ? m.ProgramFolder : m.CurrentFolder);
}

void frmHenkan::Command2_Click()
{
    accept();
}

} // namespace sorario
