// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TestText.h"

#include "export/BracketExchange.h"
#include "print/SheetHeader.h"

#include "shared/Module1.h"
#include "shared/SheetTitle.h"
#include "shared/TextHelpers.h"

#include <QStringList>

#include <algorithm>

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
    const QString title = SheetTitleText(m);
    const QString range = RangeLineText(m);
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

QString BuildSheetTexts(Module1 &m, const DrawSheet &draw)
{
    const int sheets = std::clamp<int>(m.options.sheetCount, 1, MaxSheetCount);
    QString text;
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        if (sheet > 1)
            text += SheetSeparator + CrLf;
        if (draw)
            draw(sheet);
        // As on paper, where the sheet's number carries its place in a run of several.
        m.SheetIndex = static_cast<std::int16_t>(sheets > 1 ? sheet : 0);
        const SheetKey key = KindsKey(m.clock.now(), m.SheetLetters, m.SheetIndex, m.options.choiceLabels);
        for (int k = 1; k <= std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions); ++k)
            m.DrawnQuestions(k) = OnSheet(m.DrawnQuestions(k), key);
        ExchangeBracketAndAnswer(m);
        text += BuildTestText(m);
    }
    m.SheetIndex = 0;
    return text;
}

} // namespace sorario
