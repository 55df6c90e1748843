// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/FileChoice.h"
#include "setup/LoadQuestionFiles.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

struct Module1;

// One entry of the main window's file list: the name shown (without ".qvn") and
// the file's real name in its folder.
struct QuestionFileEntry
{
    QString shownName;
    QString fileName;
};

// "/" appended unless the path already ends in one.
QString FolderWithSeparator(const QString &path);

// The *.qvn files of `folder` (the extension in any case, as copied from other
// systems), sorted by name.
QList<QuestionFileEntry> QuestionFilesIn(const QString &folder);

// The visible subfolders of `folder`, sorted by name, as absolute paths.
QStringList SubfoldersOf(const QString &folder);

// ChooseFiles on the selected entries of the list, in list order.
FileChoice ChooseFiles(Module1 &m, const QString &currentFolder, const QList<QuestionFileEntry> &entries,
    const QList<bool> &selected);

} // namespace sorario
