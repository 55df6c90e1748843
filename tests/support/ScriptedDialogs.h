// SPDX-License-Identifier: GPL-3.0-or-later
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
        FileDialogOptions fileOptions;
        QString title = {};
    };

    QList<Shown> shown;
    QQueue<MessageAnswer> messageAnswers; // default Ok / Cancel when empty
    QQueue<QString> inputAnswers; // default: empty (cancel)
    QQueue<std::optional<FontChoice>> fontAnswers;
    QQueue<bool> printAnswers; // default: true
    QQueue<std::optional<QString>> saveAnswers; // default: cancel
    QQueue<std::optional<QString>> openAnswers; // default: cancel
    QQueue<bool> previewAnswers; // printed from the preview; default: false
    QList<std::pair<int, int>> previewSwaps; // 入れ替え in the preview: sheet, position
    QList<QList<QList<QuestionRecord>>> previewSheets; // the questions listed, before and after the swaps

    MessageAnswer messageBox(
        const QString &text, MessageButtons buttons, MessageIcon, const QString &title) override
    {
        shown.append({QStringLiteral("message"), text, {}, title});
        if (!messageAnswers.isEmpty())
            return messageAnswers.dequeue();
        return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
    }
    void beep() override { shown.append({QStringLiteral("beep"), {}, {}}); }
    QString inputBox(const QString &prompt, const QString &, const QString &defaultText) override
    {
        shown.append({QStringLiteral("input"), prompt, {}});
        shown.last().fileOptions.fileName = defaultText;
        return inputAnswers.isEmpty() ? QString() : inputAnswers.dequeue();
    }
    std::optional<QString> passwordBox(const QString &prompt, const QString &) override
    {
        shown.append({QStringLiteral("password"), prompt, {}});
        return inputAnswers.isEmpty() ? std::nullopt : std::optional(inputAnswers.dequeue());
    }
    std::optional<FontChoice> fontDialog(const QString &face, int, FontDialogFlags) override
    {
        shown.append({QStringLiteral("font"), face, {}});
        return fontAnswers.isEmpty() ? std::nullopt : fontAnswers.dequeue();
    }
    bool printDialog(QPrinter *, PrintDialogFlags) override
    {
        shown.append({QStringLiteral("print"), {}, {}});
        return printAnswers.isEmpty() ? true : printAnswers.dequeue();
    }
    // Scripted to print, the preview's print button prints the document.
    bool printPreview(PreviewDocument &document) override
    {
        shown.append({QStringLiteral("preview"), {}, {}});
        const bool print = !previewAnswers.isEmpty() && previewAnswers.dequeue();
        return print && document.paintRequested();
    }
    bool printPreview(PreviewDocument &document, PreviewQuestions &questions) override
    {
        previewSheets.append(questions.sheets());
        for (const auto &[sheet, position] : previewSwaps)
            questions.swap(sheet, position);
        previewSheets.append(questions.sheets());
        return printPreview(document);
    }
    std::optional<QString> saveDialog(const FileDialogOptions &options) override
    {
        shown.append({QStringLiteral("save"), {}, options});
        return saveAnswers.isEmpty() ? std::nullopt : saveAnswers.dequeue();
    }
    std::optional<QString> openDialog(const FileDialogOptions &options) override
    {
        shown.append({QStringLiteral("open"), {}, options});
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
            if (s.kind == u"message")
                m.append(s.text);
        return m;
    }
};

} // namespace sorario::test
