// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliCommon.h"
#include "cli/Commands.h"

#include "bank/QuestionFileCheck.h"
#include "bank/QuestionFileCheckText.h"

#include <cstdio>

namespace sorario::cli {

int runCheck(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE"),
        QStringLiteral("Question files, as they would be loaded together."), QStringLiteral("FILE..."));
    parseOrThrow(parser, args);
    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        throw UsageError(QStringLiteral("check: name at least one question file"));

    const QList<CheckProblem> problems = CheckQuestionFiles(files);
    QByteArray out;
    int errors = 0;
    int warnings = 0;
    for (const CheckProblem &p : problems) {
        // How a file was read is no problem: it goes with the summary, so that a
        // clean file still prints nothing on standard output.
        if (SeverityOf(p.kind) == CheckSeverity::Note) {
            printError(ProblemText(p));
            continue;
        }
        out += ProblemText(p).toUtf8() + '\n';
        errors += SeverityOf(p.kind) == CheckSeverity::Error;
        warnings += SeverityOf(p.kind) == CheckSeverity::Warning;
    }
    std::fwrite(out.constData(), 1, static_cast<size_t>(out.size()), stdout);
    std::fflush(stdout);
    printError(QStringLiteral("%1個のファイルを調べました。エラー%2件、警告%3件。")
                   .arg(files.size())
                   .arg(errors)
                   .arg(warnings));
    return errors > 0 ? ExitRefused : ExitOk;
}

} // namespace sorario::cli
