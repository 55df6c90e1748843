// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/ClassNames.h"
#include "history/HistoryStore.h"
#include "setup/ClassRun.h"
#include "setup/HistoryPlace.h"
#include "shared/SheetDraw.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

namespace sorario {

struct Module1;
class Dialogs;

// The set-up window's runs for a class: the question before a class not seen
// before, what is remembered for the next window, and what the history says.
class SetupClassRun
{
public:
    SetupClassRun(Module1 &m, Dialogs &dialogs);

    const HistoryStore &history() const { return m_history; }
    // The server chosen in 「履歴の保存先」, or none for this computer: kept, and used from now on.
    void chooseHistory(const std::optional<ServerChoice> &server);
    // A server that wants a password has the teacher asked for it, once a session.
    // False when it was not given or not taken (told).
    bool signIn();
    // The classes the history has recorded, the one recorded last first (OfferedClasses).
    QStringList classes() const;
    // The choice of the last run, for the next window.
    ClassChoice lastChoice() const;

    // Every sheet's draw, all seeded from one reading of the clock, for `className`
    // (none for an empty name) without its recent questions, its review first. Nothing when the
    // teacher does not want a new class, or the run is refused (told): then there is no run.
    std::optional<DrawSheet> begin(
        const QString &className, int avoidRecent, ReviewDraw review, RunOutput output = RunOutput::Printed);
    ClassRun &run() { return *m_run; }
    quint64 seed() const { return m_seed; }

    // Records the run for the class, and tells the teacher what the history says.
    void record(RunOutput output, const QList<SheetOutcome> &sheets);
    // Ends the run: its clock and an unrecorded sheet number go with it.
    void end() { m_run.reset(); }

private:
    void tell(const QStringList &notices);

    Module1 &m_module;
    Dialogs &m_dialogs;
    HistoryStore m_history;
    std::unique_ptr<ClassRun> m_run;
    quint64 m_seed = 0;
};

} // namespace sorario
