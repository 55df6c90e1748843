// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmHenkan;
}

namespace sorario {

struct Module1;
class Dialogs;

// The conversion window: first-format question files into the current format, one
// pair per "変換実行", until "キャンセル／終了".
class frmHenkan : public QDialog
{
    Q_OBJECT

public:
    frmHenkan(Module1 &m, Dialogs &dialogs, QWidget *parent = nullptr);
    ~frmHenkan() override;

private Q_SLOTS:
    void Command1_Click();
    void Command2_Click();

private:
    void Form_Load();

    std::unique_ptr<Ui::frmHenkan> m_ui;
    Module1 &m_module;
    Dialogs &m_dialogs;
};

} // namespace sorario
