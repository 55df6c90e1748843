// SPDX-License-Identifier: GPL-3.0-or-later
// How each sheet of a run sets the word-order and multiple-choice questions. The
// orders are written out: a sheet printed once must reprint so for ever.
#include "bank/QuestionKinds.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(sorario::ChoiceLabels)

class TestQuestionKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void onSheet_data()
    {
        QTest::addColumn<QStringList>("lines"); // question, hint, answer
        QTest::addColumn<int>("sheet");
        QTest::addColumn<ChoiceLabels>("labels");
        QTest::addColumn<QStringList>("set");
        const QStringList order {
            u"{{She / is / a / good / teacher}}."_s, u"**"_s, u"She is a good teacher."_s};
        const QStringList choice {u"He (  ) to school."_s, u"{{go / goes / went / going}}"_s, u"goes"_s};
        QTest::newRow("word order, sheet 1")
            << order << 1 << ChoiceLabels::Kana
            << QStringList {u"（ She / is / teacher / good / a ）."_s, u"**"_s, order[2]};
        QTest::newRow("word order, sheet 2")
            << order << 2 << ChoiceLabels::Kana
            << QStringList {u"（ She / a / teacher / good / is ）."_s, u"**"_s, order[2]};
        QTest::newRow("word order, sheet 3")
            << order << 3 << ChoiceLabels::Kana
            << QStringList {u"（ is / good / a / She / teacher ）."_s, u"**"_s, order[2]};
        QTest::newRow("choices, sheet 1")
            << choice << 1 << ChoiceLabels::Kana
            << QStringList {choice[0], u"ア go　イ went　ウ going　エ goes"_s, u"エ goes"_s};
        QTest::newRow("choices, sheet 2")
            << choice << 2 << ChoiceLabels::Kana
            << QStringList {choice[0], u"ア goes　イ went　ウ going　エ go"_s, u"ア goes"_s};
        QTest::newRow("choices, sheet 3")
            << choice << 3 << ChoiceLabels::Kana
            << QStringList {choice[0], u"ア went　イ going　ウ go　エ goes"_s, u"エ goes"_s};
        // The editor's preview shows a choice written twice before the check refuses it.
        QTest::newRow("a choice twice: the first is the answer")
            << QStringList {choice[0], u"{{go / went / go}}"_s, u"go"_s} << 1 << ChoiceLabels::Kana
            << QStringList {choice[0], u"ア go　イ go　ウ went"_s, u"ア go"_s};
        QTest::newRow("choices, sheet 1, labelled by digits")
            << choice << 1 << ChoiceLabels::Digits
            << QStringList {choice[0], u"1 go　2 went　3 going　4 goes"_s, u"4 goes"_s};
        // Five orders besides the written one: sheet 5 takes the one no earlier sheet had.
        QTest::newRow("three words and three choices, sheet 5")
            << QStringList {u"{{It / is / hot}}."_s, u"{{go / goes / went}}"_s, u"went"_s} << 5
            << ChoiceLabels::Kana
            << QStringList {u"（ hot / is / It ）."_s, u"ア go　イ went　ウ goes"_s, u"イ went"_s};
        QTest::newRow("first word lower-cased, but I and capitals")
            << QStringList {u"{{_She / is}} {{_I / am}} {{_NHK / is}}"_s, {}, {}} << 0 << ChoiceLabels::Kana
            << QStringList {u"（ is / she ） （ am / I ） （ is / NHK ）"_s, {}, {}};
        // Two orders besides the written one: sheet 3 repeats one.
        const QStringList twice {u"{{a / a / b}}"_s, {}, {}};
        QTest::newRow("a word twice, sheet 3")
            << twice << 3 << ChoiceLabels::Kana << QStringList {u"（ b / a / a ）"_s, {}, {}};
        const QStringList separated {u"{{a"_s + QChar(0x1f) + u"b / c / d}}"_s, {}, {}};
        QTest::newRow("a word holding a unit separator")
            << separated << 1 << ChoiceLabels::Kana << QStringList {u"（ d / a / b / c ）"_s, {}, {}};
    }
    void onSheet()
    {
        QFETCH(QStringList, lines);
        QFETCH(int, sheet);
        QFETCH(ChoiceLabels, labels);
        QFETCH(QStringList, set);
        const QuestionRecord on = OnSheet(
            {lines[0], lines[1], lines[2]}, {.run = u"05010900"_s, .sheet = sheet, .labels = labels});
        QCOMPARE(on.QuestionText, set[0]);
        QCOMPARE(on.Hint, set[1]);
        QCOMPARE(on.Answer, set[2]);
    }

    // A word order's end punctuation stays after its group, selected or not.
    void wordOrderMarked_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("length");
        QTest::addColumn<QString>("marked");
        QTest::newRow("whole line, a blank before \".\"")
            << u"I like it ."_s << 0 << 0 << u"{{I / like / it}} ."_s;
        QTest::newRow("selection over \"?\"")
            << u"Do you like it?"_s << 3 << 12 << u"Do {{you / like / it}}?"_s;
        QTest::newRow("selection over blanks and \"!\"")
            << u"Stop it now ! "_s << 0 << 14 << u"{{Stop / it / now}} ! "_s;
    }
    void wordOrderMarked()
    {
        QFETCH(QString, line);
        QFETCH(int, from);
        QFETCH(int, length);
        QFETCH(QString, marked);
        QCOMPARE(
            WithGroupMarked(line, from, length, QuestionKind::WordOrder), std::optional<QString>(marked));
    }
};

QTEST_GUILESS_MAIN(TestQuestionKinds)
#include "tst_QuestionKinds.moc"
