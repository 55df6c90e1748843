#pragma once

#include "platform/Dialogs.h"

#include <QList>
#include <QQueue>
#include <QString>

#include <functional>

namespace sorario::test {

// Dialogs answered from queues; records everything shown, in order.
class ScriptedDialogs : public Dialogs
{
public:
    struct Shown
    {
        QString kind; // "message", "beep", "input", "font", "print", "preview", "save", "open"
        QString text;
        QString title;
        MessageButtons buttons = MessageButtons::Ok;
        MessageIcon icon = MessageIcon::None;
        FileDialogOptions fileOptions;
        int flags = 0;
    };

    QList<Shown> shown;
    QQueue<MessageAnswer> messageAnswers;        // default Ok / Cancel when empty
    QQueue<QString> inputAnswers;                // default: empty (cancel)
    QQueue<std::optional<FontChoice>> fontAnswers;
    QQueue<bool> printAnswers;                   // default: true
    QQueue<std::optional<QString>> saveAnswers;  // default: cancel
    QQueue<std::optional<QString>> openAnswers;  // default: cancel
    std::function<void(PrintSurface &)> onPrintDialog; // e.g. point the surface at a PDF
    QQueue<bool> previewAnswers;                 // printed from the preview; default: false
    std::function<void(PrintSurface &)> onPrint;       // the preview's print button, when printed

    MessageAnswer messageBox(const QString &text, MessageButtons buttons, MessageIcon icon,
                             const QString &title) override
    {
        shown.append({QStringLiteral("message"), text, title, buttons, icon, {}, 0});
        if (!messageAnswers.isEmpty())
            return messageAnswers.dequeue();
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    void beep() override { shown.append({QStringLiteral("beep"), {}, {}, {}, {}, {}, 0}); }
    QString inputBox(const QString &prompt, const QString &title, const QString &defaultText) override
    {
        Shown s{QStringLiteral("input"), prompt, title, {}, {}, {}, 0};
        s.fileOptions.fileName = defaultText;
        shown.append(s);
        return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
    }
    std::optional<FontChoice> fontDialog(const QString &face, int size, int flags) override
    {
        shown.append({QStringLiteral("font"), face, QString::number(size), {}, {}, {}, flags});
        return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
    }
    bool printDialog(PrintSurface &surface, int flags) override
    {
        shown.append({QStringLiteral("print"), {}, {}, {}, {}, {}, flags});
        const bool ok = printAnswers.isEmpty() ? true : printAnswers.dequeue();
        if (ok && onPrintDialog)
            onPrintDialog(surface);
        return ok;
    }
    bool printPreview(PrintSurface &surface) override
    {
        shown.append({QStringLiteral("preview"), {}, {}, {}, {}, {}, 0});
        const bool printed = !previewAnswers.isEmpty() && previewAnswers.dequeue();
        if (printed && onPrint)
            onPrint(surface);
        return printed;
    }
    std::optional<QString> saveDialog(const FileDialogOptions &options) override
    {
        shown.append({QStringLiteral("save"), {}, options.title, {}, {}, options, options.flags});
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
    }
    std::optional<QString> openDialog(const FileDialogOptions &options) override
    {
        shown.append({QStringLiteral("open"), {}, options.title, {}, {}, options, options.flags});
        return openAnswers.isEmpty() ? std::nullopt : openAnswers.dequeue();
    }

    QStringList kinds() const
    {
        QStringList k;
        for (const Shown &s : shown)
            k.append(s.kind);
        return k;
    }
    QStringList messages() const
    {
        QStringList m;
        for (const Shown &s : shown)
            if (s.kind == QLatin1String("message"))
                m.append(s.text);
        return m;
    }
};

} // namespace sorario::test
