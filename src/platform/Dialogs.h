#pragma once

#include <QString>

#include <optional>

namespace sorario {

class PrintSurface;

enum class MessageButtons { Ok, YesNo, YesNoCancel };
enum class MessageIcon { None, Question, Exclamation, Critical, Information };
enum class MessageAnswer { Ok, Yes, No, Cancel };

struct FontChoice
{
    QString face;
    double size = 0; // points, as the dialog gives it
};

// Settings of a save or open dialog as the program prepares them. `filter` is in
// the "description|pattern|description|pattern" form; `flags` keeps the program's
// own flag values so the dialog honours them (overwrite prompt, folder must exist…).
struct FileDialogOptions
{
    QString title;
    QString filter;
    int filterIndex = 1;
    QString defaultExt;
    QString fileName;   // proposed name
    QString initialDir;
    int flags = 0;
};

// Every modal interaction of the program. The real implementation shows Qt
// dialogs; tests and the command line answer from a script.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // An empty title means the platform's default title.
    virtual MessageAnswer messageBox(const QString &text, MessageButtons buttons,
                                     MessageIcon icon, const QString &title) = 0;
    virtual void beep() = 0;
    // Cancel gives an empty text.
    virtual QString inputBox(const QString &prompt, const QString &title,
                             const QString &defaultText) = 0;
    // Nothing on cancel or failure.
    virtual std::optional<FontChoice> fontDialog(const QString &face, int size, int flags) = 0;
    // Lets the user choose where the surface prints; false on cancel.
    virtual bool printDialog(PrintSurface &surface, int flags) = 0;
    // Shows the finished document of `surface` page by page; the user may print it
    // from there. True when it was printed. Without a preview nothing is shown.
    virtual bool printPreview(PrintSurface &surface)
    {
        (void)surface;
        return false;
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
