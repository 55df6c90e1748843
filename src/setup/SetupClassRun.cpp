// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/SetupClassRun.h"

#include "bank/Draw.h"
#include "history/ClassNames.h"
#include "history/HistoryPath.h"
#include "platform/Dialogs.h"
#include "setup/BankProcedures.h"
#include "setup/ClassChoiceFile.h"
#include "shared/Module1.h"

namespace sorario {

SetupClassRun::SetupClassRun(Module1 &module, Dialogs &dialogs)
    : m_module(module)
    , m_dialogs(dialogs)
    , m_history(SessionLocation(WindowHistoryLocation(module)))
{
}

void SetupClassRun::chooseHistory(const std::optional<ServerChoice> &server)
{
    RememberHistoryServer(m_module, server);
    m_history = HistoryStore(SessionLocation(WindowHistoryLocation(m_module)));
}

bool SetupClassRun::signIn()
{
    const HistoryOutcome<QStringList> known = m_history.classes();
    if (known.ok() || !SignInAgain(m_dialogs, m_history, *known.fault, known.detail))
        return known.ok();
    const HistoryOutcome<QStringList> signedIn = m_history.classes();
    if (!signedIn.ok())
        m_dialogs.message(HistoryFailureMessage(m_history.path(), signedIn), ProgramTitle);
    return signedIn.ok();
}

std::optional<DrawSheet> SetupClassRun::begin(
    const QString &typed, int avoidRecent, ReviewDraw review, RunOutput output)
{
    if (const ClassRunOutcome<> checked = CheckExportable(review);
        output == RunOutput::Exported && !checked.ok()) {
        m_dialogs.message(ClassRunFailureMessage(m_history.path(), checked), ProgramTitle);
        return std::nullopt;
    }
    const QString name = typed.trimmed();
    // A history that cannot be read says nothing of which classes are new.
    const HistoryOutcome<QStringList> known = m_history.classes();
    if (!name.isEmpty() && known.ok() && !KnownClass(OfferedClasses(known.value), name)
        && m_dialogs.messageBox(
               NewClassQuestion(name), MessageButtons::YesNo, MessageIcon::Question, ProgramTitle)
            != MessageAnswer::Yes)
        return std::nullopt;
    RememberClassChoice(m_module, {name, avoidRecent, review});
    m_seed = ClockSeed(m_module);
    m_run = std::make_unique<ClassRun>(m_module, m_history, name, avoidRecent, review);
    const ClassRunOutcome<QStringList> prepared = m_run->prepare(m_seed);
    if (!prepared.ok()) {
        m_dialogs.message(ClassRunFailureMessage(m_history.path(), prepared), ProgramTitle);
        end();
        return std::nullopt;
    }
    // Printing without the history is the teacher's choice: the class may get questions again.
    if (m_run->withoutHistory()) {
        if (m_dialogs.messageBox(PrintWithoutHistoryQuestion(prepared.value.join(u'\n'), avoidRecent),
                MessageButtons::YesNo, MessageIcon::Question, ProgramTitle)
            != MessageAnswer::Yes) {
            end();
            return std::nullopt;
        }
    } else {
        tell(prepared.value);
    }
    return m_run->wrap(SheetDraws(m_module, m_seed));
}

QStringList SetupClassRun::classes() const
{
    return OfferedClasses(m_history.classes().value);
}

ClassChoice SetupClassRun::lastChoice() const
{
    return LastClassChoice(m_module);
}

void SetupClassRun::record(RunOutput output, const QList<SheetOutcome> &sheets)
{
    if (!m_run)
        return;
    if (const HistoryOutcome<> recorded = m_run->record(output, m_seed, sheets); !recorded.ok())
        tell({NotRecordedMessage(m_history.path(), recorded)});
}

void SetupClassRun::tell(const QStringList &notices)
{
    QStringList shown = notices;
    shown.removeAll(QString());
    if (!shown.isEmpty())
        m_dialogs.message(shown.join(u'\n'), ProgramTitle);
}

} // namespace sorario
