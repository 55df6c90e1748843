#pragma once

#include "platform/Dialogs.h"

#include <QString>

class QWidget;

namespace sorario {

// The program's flag values for file dialogs, as the callers prepare them.
inline constexpr int FileDialogOverwritePrompt = 0x2;
inline constexpr int FileDialogFileMustExist = 0x1000;
// Font dialog: scalable fonts only.
inline constexpr int FontDialogScalableOnly = 0x20000;

// "desc|pattern|desc|pattern" as Qt name filters ("desc (pattern)"). Patterns keep
// their meaning from the original platform: "*.*" is every file.
QStringList qtNameFilters(const QString &filter);

// The real dialogs. Each is modal to `parent` (or to the active window when none).
class QtDialogs : public Dialogs
{
public:
    explicit QtDialogs(QWidget *parent = nullptr) : m_parent(parent) {}

    MessageAnswer messageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                             const QString &title) override;
    void beep() override;
    QString inputBox(const QString &prompt, const QString &title,
                     const QString &defaultText) override;
    std::optional<FontChoice> fontDialog(const QString &face, int size, int flags) override;
    bool printDialog(PrintSurface &surface, int flags) override;
    bool printPreview(PrintSurface &surface) override;
    std::optional<QString> saveDialog(const FileDialogOptions &options) override;
    std::optional<QString> openDialog(const FileDialogOptions &options) override;

private:
    QWidget *parent() const;
    std::optional<QString> fileDialog(const FileDialogOptions &options, bool save);

    QWidget *m_parent = nullptr;
};

} // namespace sorario
