#pragma once

#include "platform/Dialogs.h"

namespace sorario {

// The teacher's dialogs for a reprint, but for the capacity prompt: a recorded sheet
// either fitted or was printed whole, so the reprint prints it whole without asking.
class ReprintDialogs : public Dialogs
{
public:
    explicit ReprintDialogs(Dialogs &dialogs) : m_dialogs(dialogs) {}

    MessageAnswer messageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                             const QString &title) override;
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
