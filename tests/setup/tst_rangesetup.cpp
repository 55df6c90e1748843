// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"

#include <QTest>

#include <memory>

using namespace sorario;
using namespace Qt::StringLiterals;

namespace {

// Parts `from` to `to`, as chosen in the list.
QList<int> partRun(int from, int to)
{
    QList<int> parts;
    for (int k = from; k <= to; ++k)
        parts << k;
    return parts;
}

QString fullWidth(int n)
{
    QString s = QString::number(n);
    for (QChar &c : s)
        c = QChar(c.unicode() - u'0' + 0xFF10);
    return s;
}

} // namespace

class TestRangeSetup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void decide()
    {
        const struct
        {
            int questions, parts;
            QList<int> chosen;
            int startCount; // QuestionCount before
            bool refused;
            int range; // RangeQuestionCount after (7 before: a refusal keeps it)
            QString firstLast;
            int allChosen, count, offered; // count: QuestionCount after; offered: entries in the count list
        } rows[] = {
            {25, 2, {2}, 10, false, 13, u"Q13-Q25"_s, 0, 10, 13}, // last part takes the remainder
            {30, 3, {3, 1}, 10, false, 20, u"Q1-Q30"_s, 0, 10, 20}, // parts 1 and 3 in part order
            {21, 3, {1}, 10, false, 7, u"Q1-Q7"_s, 0, 7, 7}, // smaller range lowers the count
            {90, 3, {2}, 7, false, 30, u"Q31-Q60"_s, 0, 7, 30}, // larger range keeps a lowered count
            {3, 5, partRun(1, 4), 10, false, 0, QString(), 0, 0, 0}, // empty parts of a tiny bank
            {12, 1, {1}, 10, false, 12, u"Q1-Q12"_s, 1, 10, 12}, // single part is the whole range
            {30, 1, {1}, 0, false, 30, u"Q1-Q30"_s, 1, 10, 30}, // count left at 0 starts again from 10
            // Two-digit part numbers are full-width.
            {120, 12, {12}, 10, false, 10, u"Q111-Q120"_s, 0, 10, 10},
            {30, 3, {}, 10, true, 7, QString(), 0, 10, 0}, // nothing chosen
            // The tables' capacities: 500 chosen parts, 1000 offered and drawn.
            {5000, 500, partRun(1, 500), 10, false, 5000, u"Q1-Q5000"_s, 1, 10, 1000}, // 500 of 500 parts
            {5000, 501, partRun(1, 501), 10, true, 7, QString(), 0, 10, 0}, // 501 of 501 parts
            // 500 of 32767 parts, the last holds all.
            {5000, 32767, partRun(32268, 32767), 10, false, 5000, u"Q1-Q5000"_s, 0, 10, 1000},
            {1001, 1, {1}, 10, false, 1001, u"Q1-Q1001"_s, 1, 10, 1000}, // range 1001
            // Count 1000 kept in a range of 1001.
            {1001, 1, {1}, 1000, false, 1001, u"Q1-Q1001"_s, 1, 1000, 1000},
            // No list offers more than the draw holds; a count that got there is lowered.
            {5000, 1, {1}, 32767, false, 5000, u"Q1-Q5000"_s, 1, 1000, 1000}, // count 32767 lowered to 1000
        };
        for (auto [questions, parts, chosen, startCount, refused, range, firstLast, allChosen, count,
                 offered] : rows) {
            auto m = std::make_unique<Module1>();
            for (int q = 1; q <= questions; ++q)
                m->QuestionBank(q) = {u"Q%1"_s.arg(q), QString(), u"A%1"_s.arg(q)};
            m->BankQuestionCount = static_cast<std::int16_t>(questions);
            m->PartCount = static_cast<std::int16_t>(parts);
            m->PartSize = static_cast<std::int16_t>(questions / parts);
            m->QuestionCount = static_cast<std::int16_t>(startCount);
            m->RangeQuestionCount = 7;
            QList<bool> selection(parts, false);
            for (int k : chosen)
                selection[k - 1] = true;
            test::ScriptedDialogs dialogs;
            const RangeDecision d = DecideRange(*m, selection, dialogs);

            QCOMPARE(d.decided, !refused);
            QCOMPARE(int(m->RangeQuestionCount), range);
            QCOMPARE(int(m->QuestionCount), count);
            QCOMPARE(d.countEntries.size(), offered);
            if (refused) {
                QCOMPARE(dialogs.kinds(), (QStringList {u"beep"_s, u"message"_s}));
                continue;
            }
            QVERIFY(dialogs.shown.isEmpty());
            if (m->RangeQuestionCount > 0)
                QCOMPARE(
                    m->RangePool(1).QuestionText + u'-' + m->RangePool(m->RangeQuestionCount).QuestionText,
                    firstLast);
            std::sort(chosen.begin(), chosen.end());
            QCOMPARE(int(m->ChosenPartCount), chosen.size());
            for (int i = 0; i < chosen.size(); ++i)
                QCOMPARE(m->ChosenPartNumbers(i + 1), fullWidth(chosen[i]));
            QCOMPARE(int(m->AllPartsChosen), allChosen);
            QCOMPARE(d.selectedCountIndex, std::min(count, offered) - 1);
            if (offered > 0) {
                QCOMPARE(d.countEntries.first(), u"    1題"_s);
                QCOMPARE(d.countEntries.last(), QString::number(offered).rightJustified(5, u' ') + u"題"_s);
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestRangeSetup)
#include "tst_rangesetup.moc"
