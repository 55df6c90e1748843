// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "convert/FirstFormat.h"

namespace sorario {

class Dialogs;
struct FileDialogOptions;

// The open dialog of the window's "変換実行", starting in `initialDir`.
FileDialogOptions ConversionOpenOptions(const QString &initialDir);

// The window's "変換実行": open dialog (starting in `initialDir`), conversion (asking
// before an existing FILE.qvn is replaced), message.
ConversionResult RunConversion(Dialogs &dialogs, const QString &initialDir);

} // namespace sorario
