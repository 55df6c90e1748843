#include "exchange/QuestionLines.h"

#include "bank/EncodedLines.h"
#include "bank/QuestionFileCheck.h"
#include "bank/QuestionFiles.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"

#include <memory>

namespace sorario {

QuestionLines readQuestionLines(const QString &path)
{
    QuestionLines result;
    const QList<CheckProblem> problems = CheckQuestionFiles({path});
    if (RefusedByLoader(problems)) {
        for (const CheckProblem &p : problems)
            if (p.severity == CheckSeverity::Error)
                result.refusals.append(ProblemText(p));
        return result;
    }
    const LineFileRead read = readLineFile(path);
    result.encoded = !read.lines.isEmpty() && read.lines.first().startsWith(QStringView(EncodedMark));
    if (!result.encoded) {
        result.lines = read.lines;
        return result;
    }
    auto m = std::make_unique<Module1>();
    m->EncodedText = read.lines.first().mid(3);
    DecodeEncodedLines(*m);
    QStringList lines;
    for (int i = 1; i <= m->DecodedLineCount; ++i)
        lines.append(m->FileLines(i));
    result.lines = lines;
    return result;
}

} // namespace sorario
