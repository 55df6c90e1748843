// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PreviewDocument.h"

#include <QFlags>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

class QPrinter;

namespace sorario {

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Question, Exclamation, Critical, Information };
enum class MessageAnswer { Ok, Yes, No, Cancel };

// The flag values of the original platform's common dialogs, which the dialogs honour.
enum class FileDialogFlag {
    OverwritePrompt = 0x2,
    FileMustExist = 0x1000,
};
Q_DECLARE_FLAGS(FileDialogFlags, FileDialogFlag)

enum class FontDialogFlag {
    ScalableOnly = 0x20000,
};
Q_DECLARE_FLAGS(FontDialogFlags, FontDialogFlag)

enum class PrintDialogFlag {
    NoSelection = 0x4,
};
Q_DECLARE_FLAGS(PrintDialogFlags, PrintDialogFlag)

Q_DECLARE_OPERATORS_FOR_FLAGS(FileDialogFlags)
Q_DECLARE_OPERATORS_FOR_FLAGS(FontDialogFlags)
Q_DECLARE_OPERATORS_FOR_FLAGS(PrintDialogFlags)

struct FontChoice
{
    QString face;
    double size = 0; // points, as the dialog gives it
};

// Every file; "*.*" would leave out names without a dot.
inline const QString AllFilesFilter = QStringLiteral("すべてのファイル(*.*) (*)");

// Settings of a save or open dialog as the program prepares them. `filters` are Qt
// name filters; the dialog shows each without its last parentheses.
struct FileDialogOptions
{
    QString title;
    QStringList filters;
    int filterIndex = 1;
    QString defaultExt;
    QString fileName; // proposed name
    QString initialDir;
    FileDialogFlags flags;
};

// Every modal interaction of the program. The real implementation shows Qt
// dialogs; tests and the command line answer from a script.
class Dialogs
{
public:
    Dialogs() = default;
    Q_DISABLE_COPY(Dialogs)
    virtual ~Dialogs() = default;

    // An empty title means the platform's default title.
    virtual MessageAnswer messageBox(
        const QString &text, MessageButtons buttons, MessageIcon icon, const QString &title)
        = 0;
    virtual void beep() = 0;
    // Cancel gives an empty text.
    virtual QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) = 0;
    // A password, its characters hidden; nothing on cancel, or where no one can be asked.
    virtual std::optional<QString> passwordBox(const QString &prompt, const QString &title)
    {
        (void)prompt;
        (void)title;
        return std::nullopt;
    }
    // Nothing on cancel or failure.
    virtual std::optional<FontChoice> fontDialog(const QString &face, int size, FontDialogFlags flags) = 0;
    // Lets the user set up `printer`; false on cancel. A null printer is a
    // destination fixed beforehand: there is nothing to choose.
    virtual bool printDialog(QPrinter *printer, PrintDialogFlags flags) = 0;
    // Shows the document page by page; the user may print it from there. True when
    // it was printed. Without a preview nothing is shown.
    virtual bool printPreview(PreviewDocument &document)
    {
        (void)document;
        return false;
    }
    // The same with the sheets' questions listed beside the pages, for swapping.
    virtual bool printPreview(PreviewDocument &document, PreviewQuestions &questions)
    {
        (void)questions;
        return printPreview(document);
    }
    // The confirmed path, or nothing on cancel.
    virtual std::optional<QString> saveDialog(const FileDialogOptions &options) = 0;
    virtual std::optional<QString> openDialog(const FileDialogOptions &options) = 0;

    // Convenience for the many OK-only messages.
    void message(const QString &text, const QString &title = QString())
    {
        messageBox(text, MessageButtons::Ok, MessageIcon::None, title);
    }
};

} // namespace sorario
