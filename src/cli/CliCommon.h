// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Dialogs.h"
#include "shared/SheetDraw.h"

#include <QCommandLineParser>
#include <QJsonValue>
#include <QString>
#include <QStringList>

#include <optional>
#include <stdexcept>

namespace sorario {

struct Module1;

namespace cli {

inline constexpr int ExitOk = 0;
inline constexpr int ExitRefused = 1;
inline constexpr int ExitUsage = 2;

// A usage error: the message goes to standard error and the exit code is 2.
class UsageError : public std::runtime_error
{
public:
    explicit UsageError(const QString &message)
        : std::runtime_error(message.toStdString())
    {
    }
};

// Dialogs answered without a screen: messages go to standard error, the print
// dialog accepts and the save dialog gets the path set beforehand. Every question is decided by
// the command before the run; one that still comes is refused (Cancel).
class BatchDialogs : public Dialogs
{
public:
    void setSavePath(const QString &path) { m_savePath = path; }

    MessageAnswer messageBox(
        const QString &text, MessageButtons buttons, MessageIcon icon, const QString &title) override;
    void beep() override { }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<FontChoice> fontDialog(const QString &, int, FontDialogFlags) override
    {
        return std::nullopt;
    }
    bool printDialog(QPrinter *, PrintDialogFlags) override { return true; }
    std::optional<QString> saveDialog(const FileDialogOptions &) override { return m_savePath; }
    std::optional<QString> openDialog(const FileDialogOptions &) override { return std::nullopt; }

private:
    std::optional<QString> m_savePath;
};

// Parses `args` (the subcommand's own arguments, without the program and command
// names); throws UsageError on unknown options.
void parseOrThrow(QCommandLineParser &parser, const QStringList &args);

// -o OUT, described by `what`.
void addOutputOption(
    QCommandLineParser &parser, const QString &what, const QString &valueName = QStringLiteral("OUT"));
// The value of -o, or a UsageError naming `command`.
QString requiredOutput(const QCommandLineParser &parser, const QString &command);

// A whole number option within [min, max], or a UsageError.
int intOption(const QCommandLineParser &parser, const QString &name, int min, int max);

// ExitOk when every output may take the run's file, none being one of `inputs`;
// else ExitRefused, the reason on standard error, before anything is written.
int checkOutputs(const QStringList &outputs, const QStringList &inputs);

void printJson(const QJsonValue &value);
void printError(const QString &message);

// The question files named on the command line, made absolute; a UsageError when
// there are none or more than can be loaded together.
QStringList chosenFiles(const QStringList &paths);

// Range and count options shared by `text` and `print`.
void addRangeOptions(QCommandLineParser &parser);
// Decides the range and the count as the set-up window does. Returns an exit code:
// ExitOk, ExitRefused (the program's message shown), or throws UsageError.
int decideRangeFromOptions(Module1 &m, const QCommandLineParser &parser, Dialogs &dialogs);
// Loads the files named on the command line and decides the range from the options:
// ExitOk, or the exit code (the reason written to standard error).
int loadAndDecide(Module1 &m, const QCommandLineParser &parser, Dialogs &dialogs);
// What draws sheet k of the run (with the sheet options already read into `m`), from --seed when given, else
// from the clock. Sheet 1 draws as a one-sheet run always did. `runSeed`, when given, gets the run's seed.
DrawSheet sheetDrawFromOptions(Module1 &m, const QCommandLineParser &parser, quint64 *runSeed = nullptr);

QJsonValue recordJson(const QString &a, const QString &b, const QString &c);

} // namespace cli
} // namespace sorario
