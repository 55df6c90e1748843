#include "editor/EditorCheck.h"

#include "platform/Cp932.h"
#include "shared/Module1.h"

namespace sorario {
namespace {

const QStringList ColumnNames {QStringLiteral("問題"), QStringLiteral("ヒント"), QStringLiteral("解答")};

EditorProblem placed(int line, const QString &message)
{
    // Lines count from 1: six header lines, then three a question.
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
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString character = firstCharacterNotHeld(lines[i]);
        if (!character.isEmpty())
            problems.append(placed(int(i) + 1,
                QStringLiteral("%1: 「%2」は Shift-JIS で保存できない文字です。")
                    .arg(where(int(i) + 1), character)));
    }
    return problems;
}

QList<int> partOfQuestions(const QStringList &lines)
{
    (void)lines;
    return {};
}

} // namespace sorario
