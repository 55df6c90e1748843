// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ReprintDialogs.h"

#include "print/PrintRun.h"

namespace sorario {

MessageAnswer ReprintDialogs::messageBox(
    const QString &text, MessageButtons buttons, MessageIcon icon, const QString &title)
{
    if (buttons == MessageButtons::YesNoCancel && title == CapacityPromptTitle)
        return MessageAnswer::No;
    return m_dialogs.messageBox(text, buttons, icon, title);
}

} // namespace sorario
