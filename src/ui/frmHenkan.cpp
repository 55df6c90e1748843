// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmHenkan.h"
#include "ui_frmHenkan.h"

#include "setup/RunConversion.h"
#include "shared/Module1.h"

namespace sorario {

frmHenkan::frmHenkan(Module1 &module, Dialogs &dlgs, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmHenkan>())
    , m_module(module)
    , m_dialogs(dlgs)
{
    m_ui->setupUi(this);
    connect(m_ui->Command1, &QPushButton::clicked, this, &frmHenkan::Command1_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &frmHenkan::Command2_Click);
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
    m_ui->Text1->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

void frmHenkan::Command1_Click()
{
    // The old files sit where the teacher keeps question files: the main window's folder.
    const QString start = m_module.CurrentFolder.isEmpty() ? m_module.ProgramFolder : m_module.CurrentFolder;
    // The run tells the teacher what came of it; the window stays as it is either way.
    (void)RunConversion(m_dialogs, start);
}

void frmHenkan::Command2_Click()
{
    accept();
}

} // namespace sorario
