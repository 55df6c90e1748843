// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorExport.h"

#include "bank/QuestionFiles.h"
#include "editor/EditorDialogs.h"
#include "exchange/OnlineBank.h"
#include "exchange/QuestionCsv.h"
#include "platform/Dialogs.h"
#include "platform/SafeWrite.h"
#include "shared/ProgramConstants.h"

#include <QDir>
#include <QFileInfo>

namespace sorario {

BankExportOutcome writeOnlineBank(const QString &path, const QStringList &lines, const QString &filePath)
{
    const std::optional<OnlineFormat> format = onlineFormatOf(path);
    if (!format)
        return BankExportOutcome::failed(BankExportFault::UnknownName, QDir::toNativeSeparators(path));
    const QString source
        = filePath.isEmpty() ? QStringLiteral("（新しいファイル）") : QDir::toNativeSeparators(filePath);
    const QuestionFileRead read = ReadQuestionLines(lines);
    if (read.fault != LoadFault::None)
        return BankExportOutcome::failed(BankExportFault::NotLoadable, LoadFailureMessage(read, source));
    const OnlineBankWrite bank = onlineBankBytes(*format, {read.countedLines()});
    if (bank.notHeld != OnlineBankWrite::NotHeld::None)
        return BankExportOutcome::failed(BankExportFault::NotHeld, onlineNotHeldText(bank, source));
    WriteOutcome written
        = checkWriteTarget(path, filePath.isEmpty() ? QStringList() : QStringList {filePath});
    if (written.ok())
        written = writeBytesAtomically(path, bank.bytes);
    if (!written.ok())
        return BankExportOutcome::failed(
            BankExportFault::WriteFailed, writeFailureMessage(written, QDir::toNativeSeparators(path)));
    return {};
}

QString bankExportMessage(const BankExportOutcome &failed)
{
    switch (failed.fault.value_or(BankExportFault::WriteFailed)) {
    case BankExportFault::UnknownName:
        return QStringLiteral("書き出すファイルの名前は、Moodle XML なら「.xml」、GIFT なら「.gift」か"
                              "「.txt」で終えて下さい。\n")
            + failed.detail;
    case BankExportFault::NotLoadable:
    case BankExportFault::NotHeld:
        return QStringLiteral("学習システム用のファイルを書き出せませんでした。\n") + failed.detail;
    case BankExportFault::WriteFailed:
        break;
    }
    return failed.detail;
}

std::optional<QString> exportOnlineBank(
    Dialogs &dialogs, const QStringList &lines, const QString &filePath, const QString &folder)
{
    FileDialogOptions options = onlineBankDialog(QStringLiteral("学習システム用に書き出す"));
    options.fileName = filePath.isEmpty() ? lines.value(0) : QFileInfo(filePath).completeBaseName();
    options.initialDir = folder;
    const std::optional<QString> path = dialogs.saveDialog(options);
    if (!path || path->isEmpty())
        return std::nullopt;
    if (const BankExportOutcome written = writeOnlineBank(*path, lines, filePath); !written.ok()) {
        dialogs.message(bankExportMessage(written), ProgramTitle);
        return std::nullopt;
    }
    return path;
}

std::optional<QString> exportQuestionCsv(
    Dialogs &dialogs, const QStringList &lines, const QString &filePath, const QString &folder)
{
    FileDialogOptions options = csvFileDialog(QStringLiteral("CSV に書き出す"), FileUse::Save);
    options.initialDir = folder;
    const std::optional<QString> path = dialogs.saveDialog(options);
    if (!path || path->isEmpty())
        return std::nullopt;
    // A table written over the question file it came from would lose that file.
    WriteOutcome written
        = checkWriteTarget(*path, filePath.isEmpty() ? QStringList() : QStringList {filePath});
    if (written.ok())
        written = writeBytesAtomically(*path, questionCsvBytes(lines));
    if (written.ok())
        return path;
    dialogs.message(QStringLiteral("CSV ファイルを保存できませんでした。\n") + QDir::toNativeSeparators(*path)
            + u'\n' + writeFailureReason(written),
        EditorTitle);
    return std::nullopt;
}

} // namespace sorario
