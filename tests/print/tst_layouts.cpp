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

// Page 1's texts joined line by line.
QStringList linesOf(const PrintLog &log)
{
    QStringList lines;
    double y = -1;
    for (const PrintOperation &op : log.texts(1)) {
        if (op.y != y)
            lines.append(QString());
        y = op.y;
        lines.last() += op.text;
    }
    return lines;
}

// The tops of `count` lines at the 5 mm pitch.
QList<double> tops(qsizetype count, double first = 35)
{
    QList<double> ys;
    while (ys.size() < count)
        ys.append(first + 5 * double(ys.size()));
    return ys;
}

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
        const QStringList one {u"文法"_s},
            eight {u"１"_s, u"２"_s, u"３"_s, u"４"_s, u"５"_s, u"６"_s, u"７"_s, u"８"_s};
        const struct
        {
            QStringList titles;
            bool allParts = false;
            QStringList parts {};
            QString title = u"文法"_s, line;
        } rows[] = {
            {.titles = one, .allParts = true, .line = u"すべてのはんい"_s},
            {.titles = one, .parts = {u"２"_s, u"５"_s}, .line = u"その２・５"_s},
            {.titles = one, .parts = eight, .line = u"その１・２・３・４・５・６・７・８"_s}, // 17 kept
            {.titles = one,
                .parts = eight + QStringList {u"１２"_s},
                .line = u"１～１２"_s}, // first and last
            {.titles = {u"基礎"_s, u"応用"_s}, .title = u"まとめのテスト"_s, .line = u"基礎～応用"_s},
            {.titles = {u"ABCDEFGH"_s, u"x"_s, u"IJKLMNOPQ"_s},
                .allParts = true,
                .title = u"まとめのテスト"_s,
                .line = u"ABCDEFGH～IJKLMNOP"_s}, // cut after 17
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
        auto m = moduleWith(q, 1);
        const auto texts = printed(*m, PrintQuestionsFitted).texts();
        const QStringList expected {
            u"( 1) Q1"_s, u"　 〔go〕"_s, QString(), Dash43, u"( 2) Q2"_s, QString(), Dash43};
        QCOMPARE(texts.size(), expected.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(texts[i].text, expected[i]);
            QCOMPARE(texts[i].y, 35.0 + 5 * i);
            QCOMPARE(texts[i].x, 10.0);
            QCOMPARE(texts[i].lineEnd, texts[i].text == Dash43);
            QCOMPARE(texts[i].font, u"ＭＳ Ｐ明朝"_s);
        }
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
            bool full = true;
            int layout = 2;
            QList<QuestionRecord> questions;
            QList<int> linesPerPage;
            QString page2Starts {};
        } rows[] = {
            {.questions = plainQuestions(100), .linesPerPage = {40, 45, 15}, .page2Starts = u"(41) Q41"_s},
            {.full = false, .questions = plainQuestions(41), .linesPerPage = {41}},
            // Question 1 takes five lines, 2 to 12 three each: question 13's rule is line 41.
            {.layout = 1,
                .questions = plainQuestions(13, {}, 1, u"a\\/b\\/c"_s),
                .linesPerPage = {40, 1},
                .page2Starts = Dash43},
            // 39 one-line questions, then one of two lines: its continuation is line 41.
            {.questions = plainQuestions(40, {}, 40, QString(100, u'a')),
                .linesPerPage = {40, 1},
                .page2Starts = u"　 a"_s},
        };
        for (const auto &r : rows) {
            auto m = moduleWith(r.questions, r.layout);
            const PrintLog log = printed(*m, r.full ? PrintQuestionsAll : PrintQuestionsFitted);
            QCOMPARE(countOps(log, PrintOperation::Kind::NewPage), r.linesPerPage.size() - 1);
            for (int p = 1; p <= r.linesPerPage.size(); ++p)
                QCOMPARE(lineTops(log, p), tops(r.linesPerPage[p - 1], p == 1 ? 35 : 15));
            if (r.linesPerPage.size() > 1)
                QVERIFY2(
                    textsOn(log, 2).first().startsWith(r.page2Starts), qPrintable(textsOn(log, 2).first()));
        }
    }

    // Fixed metrics at 10 points: a line holds 90 ASCII characters after x = 10.
    void keepWords()
    {
        const QString filler(80, u'x'), label = u"( 1) "_s;
        const struct
        {
            bool keep = true;
            QString question;
            QStringList lines;
        } rows[] = {
            {.keep = false,
                .question = filler + u" garden"_s,
                .lines = {label + filler + u" gard"_s, u"　 en"_s}},
            {.question = filler + u" garden"_s, .lines = {label + filler + u" "_s, u"　 garden"_s}},
            // Apostrophes and digits belong to the word.
            {.question = filler + u" don't 1st"_s, .lines = {label + filler + u" "_s, u"　 don't 1st"_s}},
            // A word longer than a line is still broken; a closing mark hangs as before.
            {.question = QString(100, u'y'),
                .lines = {label, u"　 "_s + QString(87, u'y'), u"　 "_s + QString(13, u'y')}},
            {.question = QString(42, u'あ') + u"。後"_s,
                .lines = {label + QString(42, u'あ') + u"。"_s, u"　 後"_s}},
        };
        for (const auto &r : rows) {
            auto m = moduleWith({{r.question, QString(), u"a"_s}});
            m->LineBreaks = r.keep ? WordBreaks::KeepWords : WordBreaks::Anywhere;
            QCOMPARE(linesOf(printed(*m, PrintQuestionsFitted)), r.lines);
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

    void answerLines()
    {
        const QString q1 = u"( 1) Q1"_s;
        const struct
        {
            QString hint, answer;
            QStringList lines;
        } rows[] = {
            {u"**"_s, u"went"_s, {q1, u"　■　went"_s}},
            {u"go"_s, u"went"_s, {q1, u"　 〔go〕"_s, u"　■　went"_s}},
            {QString(), u"a\\/b"_s, {q1, u"　■　a"_s, u"     b"_s}},
        };
        for (const auto &r : rows) {
            const PrintLog log = printed(*moduleWith({{u"Q1"_s, r.hint, r.answer}}), PrintAnswerSheet);
            QCOMPARE(textsOn(log), r.lines);
            QCOMPARE(lineTops(log, 1), tops(r.lines.size()));
        }
    }

    // 20 questions of two lines fill the 40 answer lines exactly; every closing
    // "@" uses up one of them, breaking inside the line it is on.
    void closingMarkUsesAnAnswerPageLine()
    {
        QList<QuestionRecord> inAnswer = plainQuestions(20);
        inAnswer[19].Answer = u"a@b@c"_s;
        const struct
        {
            QList<QuestionRecord> questions;
            int page1Lines;
            QString page2;
        } rows[] = {
            {plainQuestions(20, {}, 1, u"a@b@c"_s), 39, u"　■　A20|10,15"_s},
            {inAnswer, 40, u"c|24,15"_s}, // "c" goes on at round(10 + width of "　■　ab")
        };
        for (const auto &r : rows) {
            const PrintLog log = printed(*moduleWith(r.questions), PrintAnswerSheet);
            QCOMPARE(int(lineTops(log, 1).size()), r.page1Lines);
            QStringList page2;
            for (const PrintOperation &op : log.texts(2))
                page2.append(u"%1|%2,%3"_s.arg(op.text).arg(op.x).arg(op.y));
            QCOMPARE(page2, QStringList {r.page2});
        }
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
