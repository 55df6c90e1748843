#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

enum class CheckSeverity {
    Warning, // the file loads, but perhaps not as the teacher meant
    Error,   // LoadQuestionFiles would refuse the files
};

struct CheckProblem
{
    QString file;     // as given
    int line = 0;     // 1-based; 0 for the file as a whole
    int column = 0;   // 1-based character of that line; 0 when none
    CheckSeverity severity = CheckSeverity::Error;
    QString message;

    friend bool operator==(const CheckProblem &, const CheckProblem &) = default;
};

// Every problem of the files, read as LoadQuestionFiles reads them in this order:
// each file on its own, then what they pass together (5000 questions, 100 files,
// the 16-bit part count). Files are only read; nothing is shown or written.
// An Error among the problems means exactly that the load would fail.
QList<CheckProblem> CheckQuestionFiles(const QStringList &paths);

bool RefusedByLoader(const QList<CheckProblem> &problems);

// "FILE:LINE:COLUMN: エラー: message", the line and column left out when 0.
QString ProblemText(const CheckProblem &problem);

} // namespace sorario
