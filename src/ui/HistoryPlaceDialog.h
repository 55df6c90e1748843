// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "setup/HistoryPlace.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class HistoryPlaceDialog;
}

namespace sorario {

class Dialogs;

// 「履歴の保存先」: this computer, or a grade team's server; from there a teacher's
// own history may be copied to the server.
class HistoryPlaceDialog : public QDialog
{
    Q_OBJECT

public:
    HistoryPlaceDialog(
        const std::optional<ServerChoice> &current, Dialogs &dialogs, QWidget *parent = nullptr);
    ~HistoryPlaceDialog() override;

    // The server chosen, or none for this computer.
    std::optional<ServerChoice> chosen() const;

private:
    void cmdCopy_Click();
    void accept() override;

    std::unique_ptr<Ui::HistoryPlaceDialog> m_ui;
    Dialogs &m_dialogs;
};

} // namespace sorario
