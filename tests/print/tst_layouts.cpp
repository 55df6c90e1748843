// SPDX-License-Identifier: GPL-3.0-or-later
// The sheet's header, the question pages (measured, fitted, full) and the answer page.
#include "PrintTestSupport.h"

#include "print/QuestionLayouts.h"
#include "print/SheetHeader.h"
#include "print/TraceJson.h"
#include "shared/SheetTitle.h"

#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

const QString Dash43 = u"　 "_s + QString(43, QChar(u'─'));

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void header()
    {
        auto m = moduleWith({});
        m->FileHeaders(1, 3) = u"K7"_s;
        m->SheetLogo = u"《ミナセラ》"_s;
        m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
        RecordingSurface s;
        PrintHeader(*m, s);

        // Lines as "x1,y1 x2,y2 box color", texts as "x,y size text end", all in ＭＳ ゴシック.
        QStringList got;
        for (const PrintOperation &op : s.log().operations()) {
            QVERIFY(op.kind == PrintOperation::Kind::Line || op.font == u"ＭＳ ゴシック"_s);
            got.append(op.kind == PrintOperation::Kind::Line
                    ? u"%1,%2 %3,%4 %5 %6"_s.arg(op.x1).arg(op.y1).arg(op.x2).arg(op.y2).arg(op.box).arg(
                        op.color)
                    : u"%1,%2 %3 %4 %5"_s.arg(op.x).arg(op.y).arg(op.size).arg(op.text).arg(op.lineEnd));
        }
        const QStringList expected {
            u"12,12 167,30 1 6"_s,
            u"95,12 95,30 0 0"_s,
            u"150,12 150,30 0 0"_s,
            u"95,17 150,17 0 0"_s,
            u"100,17 100,30 0 0"_s,
            u"12,9 8 K7(SheetNo.:03051407) 0"_s,
            u"150.5,9 8 《ミナセラ》 1"_s, // 167 - 6 * 2.75
            u"97,14 8 　　　　年　　　　　組　　　　　番 1"_s,
            u"96,20 8 氏 1"_s,
            u"96,24 8 名 1"_s,
            u"163,26 8 点 1"_s,
            u"16,16 16 文法テスト 1"_s,
            u"20,24 12 すべてのはんい 0"_s,
        };
        QCOMPARE(got, expected);
        QCOMPARE(s.fontSize(), 12.0);
    }

    void rangeLine()
    {
        const QStringList one {u"文法"_s}, two {u"基礎"_s, u"応用"_s},
            all = {u"まとめのテスト"_s},
            eight {u"１"_s, u"２"_s, u"３"_s, u"４"_s, u"５"_s, u"６"_s, u"７"_s, u"８"_s};
        const struct
        {
            QStringList titles;
            bool allParts;
            QStringList parts;
            QString title, line;
        } rows[] = {
            // titles, all parts, parts chosen, title, range line
            {one, true, {}, one[0], u"すべてのはんい"_s},
            {one, false, {u"２"_s, u"５"_s}, one[0], u"その２・５"_s},
            {one, false, eight, one[0], u"その１・２・３・４・５・６・７・８"_s}, // 17 kept
            {one, false, eight + QStringList {u"１２"_s}, one[0], u"１～１２"_s}, // first and last
            {two, false, {}, all[0], u"基礎～応用"_s},
            {{u"ABCDEFGH"_s, u"x"_s, u"IJKLMNOPQ"_s}, true, {}, all[0], u"ABCDEFGH～IJKLMNOP"_s}, // cut at 17
        };
        for (const auto &r : rows) {
            Module1 m;
            m.ChosenFileCount = static_cast<std::int16_t>(r.titles.size());
            for (int f = 0; f < r.titles.size(); ++f)
                m.FileHeaders(f + 1, 1) = r.titles[f];
            m.AllPartsChosen = static_cast<std::int16_t>(r.allParts);
            m.ChosenPartCount = static_cast<std::int16_t>(r.parts.size());
            for (int i = 0; i < r.parts.size(); ++i)
                m.ChosenPartNumbers(i + 1) = r.parts[i];
            QCOMPARE(SheetTitleText(m), r.title);
            QCOMPARE(RangeLineText(m, HeaderRangeLimit), r.line);
        }
    }

    // One line per question (layout 2); 40 lines plus the one extra fit.
    void measuringCapacity()
    {
        const struct
        {
            QList<QuestionRecord> questions;
            int overCapacity, fitCount;
        } rows[] = {
            {plainQuestions(41), 0, 0},
            {plainQuestions(42), 1, 41},
            {plainQuestions(41, u"**"_s), 0, 0}, // "**" counts no line
            {plainQuestions(21, u"*"_s), 1, 20}, // "*" counts one
            // After a closing "@" the rest is measured emphasised (wider) than it prints:
            // 80 narrow characters after "b" take a second line when measured.
            {plainQuestions(41, {}, 1, u"@b@"_s + QString(80, u'x')), 1, 40},
        };
        for (const auto &r : rows) {
            auto m = moduleWith(r.questions);
            m->OverCapacity = 0;
            QVERIFY(printed(*m, MeasureQuestions).operations().isEmpty());
            QCOMPARE(int(m->OverCapacity), r.overCapacity);
            QCOMPARE(int(m->FitCount), r.fitCount);
        }
    }

    void fittedLayoutOne()
    {
        QList<QuestionRecord> q = plainQuestions(2);
        q[0].Hint = u"go"_s;
        q[1].Hint = u"*"_s;
        const PrintLog log = printed(*moduleWith(q, 1), PrintQuestionsFitted);
        QCOMPARE(placedOn(log),
            (QStringList {u"( 1) Q1|10,35"_s, u"　 〔go〕|10,40"_s, u"|10,45"_s, Dash43 + u"|10,50|end"_s,
                u"( 2) Q2|10,55"_s, u"|10,60"_s, Dash43 + u"|10,65|end"_s}));
        for (const PrintOperation &op : log.texts())
            QCOMPARE(op.font, u"ＭＳ Ｐ明朝"_s);
    }

    // Fitted questions start afresh; the full print carries an odd "@" over.
    void oddMarkCarriesOverOnlyInFullPrint()
    {
        for (const bool full : {false, true}) {
            auto m = moduleWith({{u"a@b"_s, {}, {}}, {u"c@d@e"_s, {}, {}}});
            const auto texts = printed(*m, full ? PrintQuestionsAll : PrintQuestionsFitted).texts();
            QList<bool> emphasis; // ( 1) a | b | ( 2) c | d | e
            for (const PrintOperation &op : texts)
                emphasis.append(op.emphasis);
            QCOMPARE(texts[2].text, u"( 2) c"_s);
            QCOMPARE(emphasis, (QList<bool> {false, false, full, !full, false}));
        }
    }

    // Full print: FirstPageLines lines from y 35, then NextPageLines from y 15; the
    // fitted print keeps its 41st line on the first page.
    void pageBreaks()
    {
        const struct
        {
            bool full;
            int layout;
            QList<QuestionRecord> questions;
            QList<int> linesPerPage;
            QString page2Starts;
        } rows[] = {
            {true, 2, plainQuestions(100), {40, 45, 15}, u"(41) Q41"_s},
            {false, 2, plainQuestions(41), {41}, {}},
            // Question 1 takes five lines, 2 to 12 three each: question 13's rule is line 41.
            {true, 1, plainQuestions(13, {}, 1, u"a\\/b\\/c"_s), {40, 1}, Dash43},
            // 39 one-line questions, then one of two lines: its continuation is line 41.
            {true, 2, plainQuestions(40, {}, 40, QString(100, u'a')), {40, 1}, u"　 a"_s},
        };
        for (const auto &r : rows) {
            const PrintLog log = printed(
                *moduleWith(r.questions, r.layout), r.full ? PrintQuestionsAll : PrintQuestionsFitted);
            QCOMPARE(countOps(log, PrintOperation::Kind::NewPage), r.linesPerPage.size() - 1);
            for (int p = 1; p <= r.linesPerPage.size(); ++p) {
                QList<double> tops;
                while (tops.size() < r.linesPerPage[p - 1])
                    tops.append((p == 1 ? 35 : 15) + 5 * double(tops.size()));
                QCOMPARE(lineTops(log, p), tops);
            }
            if (r.linesPerPage.size() > 1)
                QVERIFY2(
                    textsOn(log, 2).first().startsWith(r.page2Starts), qPrintable(textsOn(log, 2).first()));
        }
    }

    // Fixed metrics at 10 points: a line holds 90 ASCII characters after x = 10.
    void keepWords()
    {
        const QString x80(80, u'x'), label = u"( 1) "_s;
        const struct
        {
            bool keep;
            QString question;
            QStringList lines;
        } rows[] = {
            {false, x80 + u" garden"_s, {label + x80 + u" gard"_s, u"　 en"_s}},
            {true, x80 + u" garden"_s, {label + x80 + u" "_s, u"　 garden"_s}},
            {true, x80 + u" don't 1st"_s, {label + x80 + u" "_s, u"　 don't 1st"_s}}, // all one word
            // A word longer than a line is still broken; a closing mark hangs as before.
            {true, QString(100, u'y'), {label, u"　 "_s + QString(87, u'y'), u"　 "_s + QString(13, u'y')}},
            {true, QString(42, u'あ') + u"。後"_s, {label + QString(42, u'あ') + u"。"_s, u"　 後"_s}},
        };
        for (const auto &r : rows) {
            auto m = moduleWith({{r.question, QString(), u"a"_s}});
            m->LineBreaks = r.keep ? WordBreaks::KeepWords : WordBreaks::Anywhere;
            QCOMPARE(textsOn(printed(*m, PrintQuestionsFitted)), r.lines);
        }
    }

    void answerSheetSameForBothLayouts()
    {
        QList<QuestionRecord> q = plainQuestions(50, u"hint"_s);
        q[3].Hint = u"**"_s;
        q[4].Answer = u"x\\/y"_s;
        QCOMPARE(TraceJson(printed(*moduleWith(q, 1), PrintAnswerSheet)),
            TraceJson(printed(*moduleWith(q, 2), PrintAnswerSheet)));
    }

    // 20 questions of two lines fill the 40 answer lines exactly; every closing
    // "@" uses up one of them, breaking inside the line it is on.
    void answerLines()
    {
        const QString q1 = u"( 1) Q1|10,35"_s;
        QList<QuestionRecord> markInAnswer = plainQuestions(20);
        markInAnswer[19].Answer = u"a@b@c"_s;
        const struct
        {
            QList<QuestionRecord> questions;
            qsizetype page1Lines;
            int page; // the texts listed are the page's
            QStringList texts;
        } rows[] = {
            {{{u"Q1"_s, u"**"_s, u"went"_s}}, 2, 1, {q1, u"　■　went|10,40"_s}},
            {{{u"Q1"_s, u"go"_s, u"went"_s}}, 3, 1, {q1, u"　 〔go〕|10,40"_s, u"　■　went|10,45"_s}},
            {{{u"Q1"_s, {}, u"a\\/b"_s}}, 3, 1, {q1, u"　■　a|10,40"_s, u"     b|10,45"_s}},
            {plainQuestions(20, {}, 1, u"a@b@c"_s), 39, 2, {u"　■　A20|10,15"_s}},
            {markInAnswer, 40, 2, {u"c|24,15"_s}}, // at round(10 + width of "　■　ab")
        };
        for (const auto &r : rows) {
            const PrintLog log = printed(*moduleWith(r.questions), PrintAnswerSheet);
            QCOMPARE(lineTops(log, 1).size(), r.page1Lines);
            QCOMPARE(placedOn(log, r.page), r.texts);
        }
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
