// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace sorario {

// What the program sets before its first window: style, icon, Qt's own dialogs in
// Japanese and fonts.
void setUpApplication(QApplication &app);

} // namespace sorario
