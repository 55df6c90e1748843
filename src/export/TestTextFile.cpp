#include "export/TestTextFile.h"

#include "platform/Dialogs.h"
#include "platform/SafeWrite.h"
#include "shared/Module1.h"

#include <QDir>

namespace sorario {
FileDialogOptions TestTextSaveOptions()
{
    FileDialogOptions options;
    options.title = QStringLiteral("テキストファイル保存");
    options.filter = QStringLiteral("テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*");
    options.filterIndex = 1;
    options.defaultExt = QStringLiteral("txt");
    options.fileName = ProgramTitle;
    options.flags
        = FileDialogFlag::OverwritePrompt | FileDialogFlag::HideReadOnly | FileDialogFlag::PathMustExist;
    return options;
}

bool WriteTestTextTo(const Module1 &m, const QString &path)
{
    return writeTextFileAtomically(path, BuildTestText(m));
}

bool WriteTestTextFile(const Module1 &m, Dialogs &dialogs)
{
    return SaveTestText(BuildTestText(m), dialogs);
}

bool SaveTestText(const QString &text, Dialogs &dialogs)
{
    const std::optional<QString> path = dialogs.saveDialog(TestTextSaveOptions());
    if (!path || path->isEmpty())
        return false;
    if (writeTextFileAtomically(*path, text))
        return true;
    // Saying nothing would let the teacher believe the test was saved.
    dialogs.message(
        QStringLiteral("テキストファイルを保存できませんでした。\n") + QDir::toNativeSeparators(*path),
        ProgramTitle);
    return false;
}

} // namespace sorario
