// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

namespace sorario::cli {

// Each takes the arguments after its command name and returns the exit code.
int runLoad(const QStringList &args);
int runDecode(const QStringList &args);
int runEncode(const QStringList &args);
int runText(const QStringList &args);
int runPrint(const QStringList &args);
int runConvert(const QStringList &args);
int runCheck(const QStringList &args);
int runCsv(const QStringList &args);
int runQvn(const QStringList &args);
int runMoodle(const QStringList &args);
int runGift(const QStringList &args);
int runOdt(const QStringList &args);
int runHistory(const QStringList &args);
int runReprint(const QStringList &args);
int runMarks(const QStringList &args);
int runAnalysis(const QStringList &args);
int runScores(const QStringList &args);

} // namespace sorario::cli
