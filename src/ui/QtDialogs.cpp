// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QtDialogs.h"

#include "shared/Module1.h"
#include "ui/FontChoiceDialog.h"
#include "ui/PreviewZoom.h"
#include "ui/SwapPreview.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>

namespace sorario {

namespace {

// The original platform's default message title is the program's own title.
QString titleOr(const QString &title)
{
    return title.isEmpty() ? ProgramTitle : title;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The ending a filter of one kind of file gives ("GIFT(*.gift *.txt) (*.gift *.txt)":
// "gift"); none for every file.
QString filterSuffix(const QString &filter)
{
    const QString first = filter.section(u'(', -1).section(u')', 0, 0).section(u' ', 0, 0);
    if (!first.startsWith(QLatin1String("*.")) || first.size() < 3 || first.mid(2).contains(u'*'))
        return {};
    return first.mid(2);
}

} // namespace

QWidget *QtDialogs::parent() const
{
    return m_parent ? m_parent : QApplication::activeWindow();
}

MessageAnswer QtDialogs::messageBox(
    const QString &text, MessageButtons buttons, MessageIcon icon, const QString &title)
{
    QMessageBox box(parent());
    box.setWindowTitle(titleOr(title));
    // File names and typed text are shown as they are, never as markup.
    box.setTextFormat(Qt::PlainText);
    box.setText(text);
    if (buttons != MessageButtons::Ok) {
        box.setIcon(icon == MessageIcon::None ? QMessageBox::Question : qtIcon(icon));
        QPushButton *yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton *no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        // Without a cancel button, Escape is the safe answer.
        box.setEscapeButton(no);
        switch (buttons) {
        case MessageButtons::YesNoCancel:
            box.setEscapeButton(box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole));
            break;
        case MessageButtons::Ok:
        case MessageButtons::YesNo:
            break;
        }
        box.exec();
        if (box.clickedButton() == yes)
            return MessageAnswer::Yes;
        if (box.clickedButton() == no)
            return MessageAnswer::No;
        return MessageAnswer::Cancel;
    }
    box.setIcon(qtIcon(icon));
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::Ok;
}

void QtDialogs::beep()
{
    QApplication::beep();
}

QString QtDialogs::inputBox(const QString &prompt, const QString &title, const QString &defaultText)
{
    QInputDialog dialog(parent());
    dialog.setWindowTitle(titleOr(title));
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    dialog.resize(360, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.textValue();
}

std::optional<QString> QtDialogs::passwordBox(const QString &prompt, const QString &title)
{
    QInputDialog dialog(parent());
    dialog.setWindowTitle(titleOr(title));
    dialog.setLabelText(prompt);
    dialog.setTextEchoMode(QLineEdit::Password);
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("キャンセル"));
    dialog.resize(360, dialog.sizeHint().height());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<FontChoice> QtDialogs::fontDialog(const QString &face, int size, FontDialogFlags flags)
{
    FontChoiceDialog dialog(face, size, flags.testFlag(FontDialogFlag::ScalableOnly), parent());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

bool QtDialogs::printDialog(QPrinter *printer, PrintDialogFlags flags)
{
    if (!printer)
        return true; // a destination of its own: nothing to choose
    QPrintDialog dialog(printer, parent());
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setOption(QAbstractPrintDialog::PrintSelection, !flags.testFlag(PrintDialogFlag::NoSelection));
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::printPreview(PreviewDocument &document)
{
    // On the document's own printer, so that its print button prints the document shown.
    QPrintPreviewDialog dialog(&document.previewPrinter(), parent());
    dialog.setWindowTitle(QStringLiteral("印刷プレビュー"));
    if (auto *pages = dialog.findChild<QPrintPreviewWidget *>())
        addPreviewZoom(*pages); // fitting is on the dialog's own tool bar
    bool printed = false;
    QObject::connect(
        &dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&document, &printed](QPrinter *printer) {
            if (printer == &document.previewPrinter())
                printed = document.paintRequested() || printed;
        });
    dialog.exec();
    return printed;
}

bool QtDialogs::printPreview(PreviewDocument &document, PreviewQuestions &questions)
{
    SwapPreview dialog(document, questions, parent());
    dialog.exec();
    return dialog.printed();
}

std::optional<QString> QtDialogs::fileDialog(const FileDialogOptions &options, bool save)
{
    QFileDialog dialog(parent(), options.title);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save)
        dialog.setFileMode(QFileDialog::AnyFile);
    else
        dialog.setFileMode(options.flags.testFlag(FileDialogFlag::FileMustExist) ? QFileDialog::ExistingFile
                                                                                 : QFileDialog::AnyFile);
    dialog.setOption(
        QFileDialog::DontConfirmOverwrite, !options.flags.testFlag(FileDialogFlag::OverwritePrompt));
    // The descriptions already name their patterns.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);

    const QStringList &filters = options.filters;
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const qsizetype index = options.filterIndex - 1;
        dialog.selectNameFilter(filters.value(index >= 0 && index < filters.size() ? index : 0));
    }
    if (!options.defaultExt.isEmpty())
        dialog.setDefaultSuffix(options.defaultExt);
    // A name typed without an ending takes the chosen filter's, which may name a format.
    QObject::connect(
        &dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &options](const QString &filter) {
            const QString suffix = filterSuffix(filter);
            dialog.setDefaultSuffix(suffix.isEmpty() ? options.defaultExt : suffix);
        });
    if (!options.initialDir.isEmpty())
        dialog.setDirectory(options.initialDir);
    if (!options.fileName.isEmpty())
        dialog.selectFile(options.fileName);
    dialog.setLabelText(QFileDialog::Accept, save ? QStringLiteral("保存") : QStringLiteral("開く"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("キャンセル"));

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty() || files.first().isEmpty())
        return std::nullopt;
    // The chosen folder becomes the current one, as with the original platform's file
    // dialogs: the main window's drive list returns there, so a converted file shows.
    QDir::setCurrent(QFileInfo(files.first()).absolutePath());
    return files.first();
}

std::optional<QString> QtDialogs::saveDialog(const FileDialogOptions &options)
{
    return fileDialog(options, true);
}

std::optional<QString> QtDialogs::openDialog(const FileDialogOptions &options)
{
    return fileDialog(options, false);
}

} // namespace sorario
