// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;

namespace sorario {

// Qt's own dialogs (print, page set-up, files) in Japanese: Qt's translation where it is
// installed, and the few texts that Qt 6.4's Japanese file leaves in English.
void installQtJapanese(QCoreApplication &app);

} // namespace sorario
