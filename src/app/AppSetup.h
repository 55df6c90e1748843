// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QTranslator;

namespace sorario {

// What the program sets before its first window: style, icon, Qt's own dialogs in
// Japanese (through `qtTranslator`, which must outlive the application) and fonts.
void setUpApplication(QTranslator &qtTranslator);

} // namespace sorario
