// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "settings/SheetSettings.h"
#include "shared/SheetOptions.h"

#include <QSettings>
#include <QString>

#include <functional>
#include <optional>

class QSettings;

namespace sorario {

// The paper's name in the options file and on the command line: b5, a4,
// b4-2up, a3-2up.
QString PaperName(Paper paper);
std::optional<Paper> PaperNamed(const QString &name);

// The choices' labels by name, in the options file and on the command line: kana, digits.
QString ChoiceLabelsName(ChoiceLabels labels);
std::optional<ChoiceLabels> ChoiceLabelsNamed(const QString &name);

// Sorario.ini beside Vk.ini: the paper, keeping words whole, shrinking to fit and
// keeping questions on one page and the order of the pages, remembered per user.
// Vk.ini keeps its own format untouched.
QString PrintOptionsFilePath(const SettingsFolders &folders);

// A settings file to read; a broken one reads as an empty one.
QSettings readSettingsFile(const QString &path);

// No file yet (a first start) keeps words and questions whole; a missing or unknown
// value in a file leaves the default.
void loadPrintOptions(const SettingsFolders &folders, SheetOptions &options);
// A failed save is not reported, as for Vk.ini; the old file stays whole.
void savePrintOptions(const SettingsFolders &folders, const SheetOptions &options);

// Sorario.ini holds the set-up window's other remembered choices too: `update` sets
// them, the rest of the file kept, written the same way.
void updateOptionsFile(const SettingsFolders &folders, const std::function<void(QSettings &)> &update);

} // namespace sorario
