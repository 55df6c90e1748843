#include "export/TestTextFile.h"

#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QStringList>

#include <algorithm>

namespace sorario {
namespace {

// The line-break mark of the sheet layouts; a text file has no use for it.
const QString BreakMark = QStringLiteral("\\/");

QString titleLine(const Module1 &m)
{
    if (m.ChosenFileCount > 1)
        return QStringLiteral("まとめのテスト");
    return m.FileHeaders(1, 1);
}

QString rangeLine(const Module1 &m)
{
    if (m.ChosenFileCount > 1) {
        const int last = std::min<int>(m.ChosenFileCount, MaxChosenFiles);
        return m.FileHeaders(1, 1) + u'～' + m.FileHeaders(last, 1);
    }
    if (m.AllPartsChosen == 1)
        return QStringLiteral("すべてのはんい");
    QStringList parts;
    const int count = std::clamp<int>(m.ChosenPartCount, 0, MaxChosenParts);
    for (int i = 1; i <= count; ++i)
        parts.append(m.ChosenPartNumbers(i));
    return QStringLiteral("その") + parts.join(u'・');
}

// Three characters, right-aligned; a four-digit number keeps all its digits
// rather than losing its thousands.
QString numberField(int k)
{
    return QString::number(k).rightJustified(3, u' ');
}

QString questionBlock(const Module1 &m, int count)
{
    QString block;
    for (int k = 1; k <= count; ++k) {
        const QuestionRecord &q = m.DrawnQuestions(k);
        block += numberField(k) + u' ' + q.QuestionText + CrLf;
        block += QStringLiteral("　〔") + q.Hint + u'〕' + CrLf;
    }
    return block.remove(BreakMark);
}

QString answerBlock(const Module1 &m, int count)
{
    QString block;
    for (int k = 1; k <= count; ++k)
        block += numberField(k) + u' ' + m.DrawnQuestions(k).Answer + CrLf;
    return block.remove(BreakMark);
}

} // namespace

QString BuildTestText(const Module1 &m)
{
    const int count = std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions);
    const QString title = titleLine(m);
    const QString range = rangeLine(m);
    const QStringList records = {
        title,
        range,
        questionBlock(m, count),
        QString(66, u'-'),
        QStringLiteral("【解答】"),
        title,
        range,
        answerBlock(m, count),
    };
    QString text;
    for (const QString &record : records)
        text += record + CrLf;
    return text;
}

} // namespace sorario
