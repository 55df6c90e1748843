// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"

namespace sorario {

// The teacher's dialogs, but for the capacity prompt: a sheet laid out again as it
// was (a reprint, a swap in the preview) either fitted or was printed whole, so it
// is printed whole without asking again.
class ReprintDialogs : public Dialogs
{
public:
    explicit ReprintDialogs(Dialogs &dialogs)
        : m_dialogs(dialogs)
    {
    }

    MessageAnswer messageBox(
        const QString &text, MessageButtons buttons, MessageIcon icon, const QString &title) override;
    void beep() override { m_dialogs.beep(); }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        return m_dialogs.inputBox(prompt, title, defaultText);
    }
    std::optional<FontChoice> fontDialog(const QString &face, int size, FontDialogFlags flags) override
    {
        return m_dialogs.fontDialog(face, size, flags);
    }
    bool printDialog(QPrinter *printer, PrintDialogFlags flags) override
    {
        return m_dialogs.printDialog(printer, flags);
    }
    bool printPreview(PreviewDocument &document) override { return m_dialogs.printPreview(document); }
    bool printPreview(PreviewDocument &document, PreviewQuestions &questions) override
    {
        return m_dialogs.printPreview(document, questions);
    }
    std::optional<QString> saveDialog(const FileDialogOptions &options) override
    {
        return m_dialogs.saveDialog(options);
    }
    std::optional<QString> openDialog(const FileDialogOptions &options) override
    {
        return m_dialogs.openDialog(options);
    }

private:
    Dialogs &m_dialogs;
};

} // namespace sorario
