// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/QuestionFileList.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace sorario {

namespace {

const QString Extension = QStringLiteral(".qvn");

// The order the original file system gave: by name, letters' case ignored, the same
// whatever the locale.
void sortNames(QStringList &names)
{
    std::stable_sort(names.begin(), names.end(),
        [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
}

} // namespace

QString FolderWithSeparator(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

QList<QuestionFileEntry> QuestionFilesIn(const QString &folder)
{
    QDir dir(folder);
    dir.setFilter(QDir::Files);
    QStringList names = dir.entryList();
    sortNames(names);
    QList<QuestionFileEntry> entries;
    for (const QString &name : std::as_const(names)) {
        if (name.size() <= Extension.size() || !name.endsWith(Extension, Qt::CaseInsensitive))
            continue;
        entries.append({name.left(name.size() - Extension.size()), name});
    }
    return entries;
}

QStringList SubfoldersOf(const QString &folder)
{
    QDir dir(folder);
    dir.setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList names = dir.entryList();
    sortNames(names);
    QStringList paths;
    for (const QString &name : std::as_const(names))
        paths.append(dir.absoluteFilePath(name));
    return paths;
}

FileChoice ChooseFiles(Module1 &m, const QString &currentFolder, const QList<QuestionFileEntry> &entries,
    const QList<bool> &selected)
{
    QStringList paths;
    for (qsizetype i = 0; i < entries.size() && i < selected.size(); ++i) {
        if (selected[i])
            paths.append(currentFolder + entries[i].fileName);
    }
    return ChooseFiles(m, paths);
}

} // namespace sorario
