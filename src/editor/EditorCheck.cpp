// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditorCheck.h"

#include "bank/QuestionFileCheck.h"
#include "bank/QuestionFileCheckText.h"
#include "bank/QuestionFileRead.h"
#include "platform/Cp932.h"
#include "setup/RangeSetup.h"
#include "shared/ProgramConstants.h"

#include <algorithm>

namespace sorario {
namespace {

const QStringList ColumnNames {QStringLiteral("問題"), QStringLiteral("ヒント"), QStringLiteral("解答")};

EditorProblem placed(int line, const QString &message)
{
    // Lines count from 1: six header lines, then three a question; 0 is the file.
    if (line <= HeaderLineCount)
        return {EditorProblem::Place::Header, std::max(line, 1) - 1, message};
    return {EditorProblem::Place::Row, (line - HeaderLineCount - 1) / 3, message};
}

QString where(int line)
{
    if (line <= HeaderLineCount)
        return QStringLiteral("見出し%1行目").arg(line);
    return ColumnNames[(line - HeaderLineCount - 1) % 3];
}

} // namespace

QList<EditorProblem> checkEditedLines(const QStringList &lines)
{
    QList<EditorProblem> problems;
    for (const CheckProblem &p : CheckQuestionLines(lines, QString())) {
        if (SeverityOf(p.kind) == CheckSeverity::Note)
            continue;
        // A column is said only of a question's cells, which the editor shows as they are.
        const bool cell = p.column > 0 && p.line > HeaderLineCount;
        problems.append(placed(p.line,
            cell ? QStringLiteral("%1 %2文字目: ").arg(where(p.line)).arg(p.column) + ProblemMessage(p)
                 : ProblemMessage(p)));
    }
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString character = firstCharacterNotHeld(lines[i]);
        if (!character.isEmpty())
            problems.append(placed(int(i) + 1,
                QStringLiteral("%1: 「%2」は Shift-JIS で保存できない文字です。")
                    .arg(where(int(i) + 1), character)));
    }
    return problems;
}

bool holdsUnwritable(const QStringList &lines)
{
    return std::any_of(lines.begin(), lines.end(),
        [](const QString &line) { return !firstCharacterNotHeld(line).isEmpty(); });
}

QList<int> partOfQuestions(const QStringList &lines)
{
    const QuestionFileRead read = ReadQuestionLines(lines);
    if (read.fault != LoadFault::None)
        return {};
    const int questions = read.questionCount();
    const PartDivision parts
        = DivideIntoParts(AddDeclaredParts(0, read.declaredParts().value).value_or(1), questions);
    QList<int> partOf(questions, 0);
    for (int part = 1; part <= parts.count; ++part) {
        const QuestionRun run = PartQuestions(part, parts.count, parts.size, questions);
        for (int q = run.first; q <= run.last; ++q)
            partOf[q - 1] = part;
    }
    return partOf;
}

} // namespace sorario
