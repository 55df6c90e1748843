// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

#include <QString>

class QWidget;

namespace sorario {

// The real dialogs. Each is modal to `parent` (or to the active window when none).
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr)
        : m_parent(parent)
    {
    }

    MessageAnswer messageBox(
        const QString &text, MessageButtons buttons, MessageIcon icon, const QString &title) override;
    void beep() override;
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override;
    std::optional<QString> passwordBox(const QString &prompt, const QString &title) override;
    std::optional<FontChoice> fontDialog(const QString &face, int size, FontDialogFlags flags) override;
    bool printDialog(QPrinter *printer, PrintDialogFlags flags) override;
    bool printPreview(PreviewDocument &document) override;
    bool printPreview(PreviewDocument &document, PreviewQuestions &questions) override;
    std::optional<QString> saveDialog(const FileDialogOptions &options) override;
    std::optional<QString> openDialog(const FileDialogOptions &options) override;

private:
    QWidget *parent() const;
    std::optional<QString> fileDialog(const FileDialogOptions &options, bool save);

    QWidget *m_parent = nullptr;
};

} // namespace sorario
