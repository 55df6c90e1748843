// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorDialogs.h"

namespace sorario {
namespace {

// An open dialog takes only a file that is there; a save dialog asks before replacing one.
FileDialogFlags flagsFor(FileUse use)
{
    return use == FileUse::Open ? FileDialogFlag::FileMustExist : FileDialogFlag::OverwritePrompt;
}

} // namespace

FileDialogOptions questionFileDialog(const QString &title, FileUse use)
{
    FileDialogOptions options;
    options.title = title;
    options.filters = {QStringLiteral("問題ファイル(*.qvn) (*.qvn)"), AllFilesFilter};
    options.defaultExt = QStringLiteral("qvn");
    options.flags = flagsFor(use);
    return options;
}

FileDialogOptions csvFileDialog(const QString &title, FileUse use)
{
    FileDialogOptions options;
    options.title = title;
    options.filters = {QStringLiteral("CSV ファイル(*.csv) (*.csv)"), AllFilesFilter};
    options.defaultExt = QStringLiteral("csv");
    options.flags = flagsFor(use);
    return options;
}

// The filter chosen names the format, through the ending it gives the name.
FileDialogOptions onlineBankDialog(const QString &title)
{
    FileDialogOptions options;
    options.title = title;
    options.filters
        = {QStringLiteral("Moodle XML(*.xml) (*.xml)"), QStringLiteral("GIFT(*.gift *.txt) (*.gift *.txt)")};
    options.defaultExt = QStringLiteral("xml");
    options.flags = flagsFor(FileUse::Save);
    return options;
}

} // namespace sorario
