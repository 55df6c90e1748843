// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/SheetOptions.h"

#include <QDateTime>
#include <QJsonObject>

#include <optional>

class QCommandLineParser;

namespace sorario::cli {

// Which commands' sheet options: those of every command that draws (--layout, --sheets,
// --choice-labels), or those of `print`, which takes every one.
enum class SheetOptionSet { Draw, Print };

// --layout, --seed, --sheets, --choice-labels
void addDrawOptions(QCommandLineParser &parser);
// The options only `print` takes.
void addPrintSheetOptions(QCommandLineParser &parser);

// Each sheet option of `set` checked before the load, so that a mistyped one never
// costs a draw: a UsageError.
void checkSheetOptions(const QCommandLineParser &parser, SheetOptionSet set);

// Sets in `options` what the command line chooses: each option of `set` it names, and
// those of `set` taken with their default.
void readSheetOptions(const QCommandLineParser &parser, SheetOptionSet set, SheetOptions &options);

// --now: the run's clock, which numbers its sheets and sets their word groups and choices
// (print, text, odt); nothing when not given.
void addNowOption(QCommandLineParser &parser);
std::optional<QDateTime> nowOption(const QCommandLineParser &parser);

// The options as `history` prints them.
QJsonObject sheetOptionsJson(const SheetOptions &options);

} // namespace sorario::cli
