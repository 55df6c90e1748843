// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HistoryPlaceDialog.h"

#include "history/HistoryCopy.h"
#include "history/HistoryPath.h"
#include "platform/Dialogs.h"
#include "shared/ProgramConstants.h"
#include "ui_HistoryPlaceDialog.h"

#include <QGuiApplication>
#include <QPushButton>

namespace sorario {

HistoryPlaceDialog::HistoryPlaceDialog(
    const std::optional<ServerChoice> &current, Dialogs &dialogs, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::HistoryPlaceDialog>())
    , m_dialogs(dialogs)
{
    m_ui->setupUi(this);
    m_ui->buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(m_ui->optServer, &QRadioButton::toggled, m_ui->grpServer, &QWidget::setEnabled);
    connect(m_ui->buttons, &QDialogButtonBox::accepted, this, &HistoryPlaceDialog::accept);
    connect(m_ui->buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_ui->cmdCopy, &QPushButton::clicked, this, &HistoryPlaceDialog::cmdCopy_Click);
    if (current) {
        m_ui->optServer->setChecked(true);
        m_ui->txtHost->setText(current->host);
        m_ui->spnPort->setValue(current->port);
        m_ui->txtDatabase->setText(current->database);
        m_ui->txtUser->setText(current->user);
        m_ui->chkVerify->setChecked(current->verifyCertificate);
    }
}

HistoryPlaceDialog::~HistoryPlaceDialog() = default;

std::optional<ServerChoice> HistoryPlaceDialog::chosen() const
{
    if (!m_ui->optServer->isChecked())
        return std::nullopt;
    return ServerChoice {m_ui->txtHost->text().trimmed(), m_ui->spnPort->value(),
        m_ui->txtDatabase->text().trimmed(), m_ui->txtUser->text().trimmed(), m_ui->chkVerify->isChecked()};
}

void HistoryPlaceDialog::accept()
{
    const std::optional<ServerChoice> server = chosen();
    if (server && (server->host.isEmpty() || server->database.isEmpty() || server->user.isEmpty())) {
        m_dialogs.message(
            QStringLiteral("サーバーのホスト、データベース、ユーザーを入れてください。"), ProgramTitle);
        return;
    }
    QDialog::accept();
}

void HistoryPlaceDialog::cmdCopy_Click()
{
    const std::optional<ServerChoice> server = chosen();
    if (!server || server->host.isEmpty() || server->database.isEmpty() || server->user.isEmpty()) {
        m_dialogs.message(
            QStringLiteral("サーバーのホスト、データベース、ユーザーを入れてください。"), ProgramTitle);
        return;
    }
    HistoryStore to(SessionLocation(ServerUri(*server)));
    const HistoryStore from(DefaultHistoryFile());
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    std::variant<CopyReport, CopyFailure> copied = CopyHistory(from, to);
    QGuiApplication::restoreOverrideCursor();
    if (const auto *failed = std::get_if<CopyFailure>(&copied);
        failed && failed->side == CopySide::To && SignInAgain(m_dialogs, to, failed->fault, failed->detail)) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
        copied = CopyHistory(from, to);
        QGuiApplication::restoreOverrideCursor();
    }
    if (const auto *failed = std::get_if<CopyFailure>(&copied))
        m_dialogs.message(HistoryFailureMessage(failed->side == CopySide::From ? from.path() : to.path(),
                              failed->fault, failed->detail),
            ProgramTitle);
    else
        m_dialogs.message(CopyReportText(std::get<CopyReport>(copied), to.path()), ProgramTitle);
}

} // namespace sorario
