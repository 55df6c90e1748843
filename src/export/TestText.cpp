// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TestText.h"

#include "export/BracketExchange.h"
#include "print/RunSheets.h"
#include "shared/TextHelpers.h"

#include <QStringList>

namespace sorario {
namespace {

// The line-break mark of the sheet layouts; a text file has no use for it.
const QString BreakMark = QStringLiteral("\\/");

// Three characters, right-aligned; a four-digit number keeps all its digits
// rather than losing its thousands.
QString numberField(int k)
{
    return QString::number(k).rightJustified(3, u' ');
}

QString questionBlock(const QList<QuestionRecord> &questions)
{
    QString block;
    for (int k = 1; k <= questions.size(); ++k) {
        const QuestionRecord &q = questions[k - 1];
        block += numberField(k) + u' ' + q.QuestionText + CrLf;
        block += QStringLiteral("　〔") + q.Hint + u'〕' + CrLf;
    }
    return block.remove(BreakMark);
}

QString answerBlock(const QList<QuestionRecord> &questions)
{
    QString block;
    for (int k = 1; k <= questions.size(); ++k)
        block += numberField(k) + u' ' + questions[k - 1].Answer + CrLf;
    return block.remove(BreakMark);
}

} // namespace

QString testText(const SheetHeading &heading, const QList<QuestionRecord> &questions)
{
    const QStringList records = {
        heading.title,
        heading.rangeLine,
        questionBlock(questions),
        QString(66, u'-'),
        QStringLiteral("【解答】"),
        heading.title,
        heading.rangeLine,
        answerBlock(questions),
    };
    QString text;
    for (const QString &record : records)
        text += record + CrLf;
    return text;
}

QString sheetTexts(const SheetJob &job)
{
    RunSheets sheets(job);
    QString text;
    for (int sheet = 1; sheet <= job.sheets; ++sheet) {
        if (sheet > 1)
            text += SheetSeparator + CrLf;
        const RunSheet &s = sheets.use(sheet);
        QList<QuestionRecord> questions = questionsOf(s, s.drawn.count);
        if (job.options.AnswerLayout == 2) {
            for (QuestionRecord &q : questions)
                q = ExchangeBracket(q);
        }
        text += testText(job.heading, questions);
    }
    return text;
}

} // namespace sorario
