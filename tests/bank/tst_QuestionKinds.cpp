// SPDX-License-Identifier: GPL-3.0-or-later
// How each sheet of a run sets the word-order and multiple-choice questions.
#include "bank/QuestionKinds.h"

#include <QSet>
#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;

namespace {

// The words between "（ " and " ）", sorted.
QStringList wordsSet(const QString &text)
{
    const qsizetype open = text.indexOf(u"（ "_s) + 2;
    QStringList words = text.mid(open, text.indexOf(u" ）"_s) - open).split(u" / "_s);
    words.sort();
    return words;
}

} // namespace

class TestQuestionKinds : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wordOrderOnThreeSheets()
    {
        const QuestionRecord q {u"彼女はよい先生です。{{She / is / a / good / teacher}}."_s, u"**"_s,
            u"She is a good teacher."_s};
        QSet<QString> orders;
        for (int sheet = 1; sheet <= 3; ++sheet) {
            const QuestionRecord set = OnSheet(q, {.run = u"05010900"_s, .sheet = sheet});
            QVERIFY(set.QuestionText != u"彼女はよい先生です。（ She / is / a / good / teacher ）."_s);
            QCOMPARE(wordsSet(set.QuestionText),
                (QStringList {u"She"_s, u"a"_s, u"good"_s, u"is"_s, u"teacher"_s}));
            QCOMPARE(set.Answer, u"She is a good teacher."_s);
            orders.insert(set.QuestionText);
        }
        QCOMPARE(orders.size(), 3);
    }

    void choicesOnThreeSheets()
    {
        const QuestionRecord q {u"He (  ) to school."_s, u"{{go / goes / went / going}}"_s, u"goes"_s};
        QSet<QString> orders;
        for (int sheet = 1; sheet <= 3; ++sheet) {
            const QuestionRecord set = OnSheet(q, {.run = u"05010900b"_s, .sheet = sheet});
            const QStringList choices = set.Hint.split(u'　');
            QCOMPARE(choices.size(), 4);
            QVERIFY(choices[0].startsWith(u"ア "_s) && choices[3].startsWith(u"エ "_s));
            QVERIFY(set.Answer.endsWith(u" goes"_s));
            QVERIFY(choices.contains(set.Answer)); // the key's letter names "goes" on this sheet
            orders.insert(set.Hint);
        }
        QCOMPARE(orders.size(), 3);
    }

    void firstWordCase_data()
    {
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("words");
        QTest::newRow("kept as written")
            << u"{{She / is / here}}"_s << QStringList {u"She"_s, u"here"_s, u"is"_s};
        QTest::newRow("lower-cased") << u"{{_She / is / here}}"_s
                                     << QStringList {u"here"_s, u"is"_s, u"she"_s};
        QTest::newRow("I stays") << u"{{_I / am / here}}"_s << QStringList {u"I"_s, u"am"_s, u"here"_s};
        QTest::newRow("capitals stay") << u"{{_NHK / is / on}}"_s << QStringList {u"NHK"_s, u"is"_s, u"on"_s};
    }
    void firstWordCase()
    {
        QFETCH(QString, question);
        QFETCH(QStringList, words);
        QCOMPARE(
            wordsSet(OnSheet({question, {}, {}}, {.run = u"05010900"_s, .sheet = 0}).QuestionText), words);
    }

    void otherQuestionsAsTheyAre()
    {
        const QuestionRecord q {u"She （　　） {to} school. (go)"_s, u"{{go}} or {{goes"_s, u"goes"_s};
        QCOMPARE(OnSheet(q, {.run = u"05010900"_s, .sheet = 2}), q);
    }
};

QTEST_GUILESS_MAIN(TestQuestionKinds)
#include "tst_QuestionKinds.moc"
