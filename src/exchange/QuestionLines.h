#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace sorario {

// A question file's lines as the loader reads them, decoded when encoded; or,
// when the loader would refuse the file, its reasons.
struct QuestionLines
{
    std::optional<QStringList> lines;
    bool encoded = false;
    QStringList refusals; // one line each, as `check` writes them
};

QuestionLines readQuestionLines(const QString &path);

} // namespace sorario
