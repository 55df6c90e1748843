// SPDX-License-Identifier: GPL-3.0-or-later
// Text on the surface, the question pages (measured, fitted, full) and the answer page.
#include "PrintTestSupport.h"

#include "print/FixedMetrics.h"
#include "print/QuestionDisplay.h"
#include "print/QuestionLayouts.h"
#include "print/QuestionText.h"
#include "print/SheetHeader.h"
#include "print/TextPlacer.h"
#include "print/TraceJson.h"
#include "print/TracingSurface.h"
#include "print/WidthBreak.h"

#include <QRandomGenerator>

using namespace sorario::test;

namespace {

const QString Dash43 = u"　 "_s + QString(43, QChar(u'─'));
const QString Crlf = u"\r\n"_s;

// Counts the characters the placer has measured.
class CountingSurface : public RecordingSurface
{
public:
    qint64 calls = 0;
    double textWidth(const QString &text) override { return ++calls, RecordingSurface::textWidth(text); }
    // The general search, which measures prefixes, instead of the one-pass scan.
    qsizetype findWidthBreak(QStringView text, double room) override
    {
        return PrintSurface::findWidthBreak(text, room);
    }
};

QStringList placeOnce(const QString &text, RecordingSurface &s)
{
    auto m = moduleWith({});
    TextPlacer placer(setPrintMetrics(m->options.FontName, m->options.FontSize, s), m->options.lineBreaks, s,
        PlacingRules {});
    placer.startAfresh();
    placer.place(text);
    return placedOn(s.log());
}

// Questions as a list shows them, emphasis in [ ].
const struct
{
    const char *name;
    QuestionRecord question;
    bool answerPage;
    QString shown;
} displayRows[] = {
    {"emphasis", {u"I @have@ lived."_s, {}, {}}, false, u"( 1) I [have] lived."_s},
    {"forced break a blank", {u"次の文を。\\/Ken plays."_s, {}, {}}, false, u"( 1) 次の文を。 Ken plays."_s},
    {"run across a break plain", {u"a@b\\/c@d"_s, {}, {}}, false, u"( 1) ab [c]d"_s},
    {"unclosed mark", {u"a@b"_s, {}, {}}, false, u"( 1) ab"_s},
    {"hint printed", {u"Q"_s, u"be動詞"_s, u"is"_s}, false, u"( 1) Q 〔be動詞〕"_s},
    {"hint * prints nothing", {u"Q"_s, u"*"_s, u"is"_s}, false, u"( 1) Q"_s},
    {"hint ** prints nothing", {u"Q"_s, u"**"_s, u"is"_s}, false, u"( 1) Q"_s},
    {"answer page", {u"Q"_s, u"@go@"_s, u"went"_s}, true, u"( 1) Q 〔[go]〕 ■　went"_s},
    {"words set as on the sheet", {u"{{_She / is / @kind@}}."_s, {}, u"She is kind."_s}, true,
        u"( 1) （ is / [kind] / she ）. ■　She is kind."_s},
    {"choices as on the sheet", {u"He ( ) ."_s, u"{{go / goes}}"_s, u"goes"_s}, true,
        u"( 1) He ( ) . 〔ア goes　イ go〕 ■　ア goes"_s},
};

// A sheet number as printed, read back as what set its words.
const struct KeyRow
{
    const char *name;
    QString number, run;
    int sheet;
} keyRows[] = {
    {.name = "sheet of a run", .number = u"05010900b-2"_s, .run = u"05010900b"_s, .sheet = 2},
    {.name = "run of one sheet", .number = u"05010900"_s, .run = u"05010900"_s, .sheet = 0},
};

} // namespace

class TestLayouts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Widths at 32 points: narrow 5.5, wide 11, emphasised 9/8 of that.
    void fixedWidth()
    {
        const std::pair<QString, double> rows[] = {{QString(QChar(0x10FF)), 5.5},
            {QString(QChar(0x1100)), 11}, {u"ｱﾟ"_s, 11}, {QString(QChar(0xFFA0)), 11},
            {u"𠀋"_s, 11}, // a supplementary character counts once
            // a lone high half, a pair, a lone low half: three wide characters
            {u"\xD840\xD840\xDC0B\xDC0B"_s, 33}, {QString(1000, QChar(u'あ')), 11000}}; // no drift in the sum
        for (const auto &[text, width] : rows)
            QCOMPARE(FixedTextWidth(text, 32, false), width);
        QCOMPARE(FixedTextWidth(u"aあ"_s, 32, true), 16.5 * 9 / 8);
    }

    // The recording surface's one-pass scan finds the break the general search finds over
    // its widths: wide, narrow, halves of pairs, emphasis; long runs too, and rooms where
    // not even the first character fits.
    void scannedBreakMatchesSearch()
    {
        const QChar alphabet[] = {u'a', u'あ', u'ｱ', QChar(0xD840), QChar(0xDC0B)};
        const double sizes[] = {7.5, 10.5, 63};
        QRandomGenerator rng(11);
        for (int round = 0; round < 3000; ++round) {
            QString text;
            for (auto n = rng.bounded(round % 4 == 0 ? 1200 : 300); n > 0; --n)
                text.append(alphabet[rng.bounded(5)]);
            RecordingSurface s;
            s.setFontSize(sizes[round % 3]);
            s.setFontEmphasis(round / 3 % 2);
            const double room = round % 16 == 0 ? 10 : rng.bounded(200.0);
            QCOMPARE(s.findWidthBreak(text, room), s.PrintSurface::findWidthBreak(text, room));
        }
    }

    void longParagraphIsNotMeasuredQuadratically()
    {
        CountingSurface s;
        const int lines = int(placeOnce(QString(4500, QChar(u'a')), s).size());
        QVERIFY(lines >= 50); // about 90 characters a line
        QVERIFY2(s.calls < 20 * lines, qPrintable(QString::number(s.calls)));
    }

    void placing_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("expected");

        // 42 wide characters after the 5-character label fit; the 43rd does not.
        const QString fits = u"( 1) "_s + u"あ"_s.repeated(42);
        QTest::newRow("ordinary character starts the next line")
            << fits + u"いう"_s + Crlf << QStringList {fits + u"|10,35"_s, u"　 いう|10,40"_s};
        QTest::newRow("closing mark")
            << fits + u"」う"_s + Crlf << QStringList {fits + u"」|10,35"_s, u"　 う|10,40"_s};
        QTest::newRow("closing mark last leaves a lone indent")
            << fits + u"。"_s << QStringList {fits + u"。|10,35"_s};
        QTest::newRow("forced break") << ExpandForcedBreaks(u"( 1) ab\\/cd"_s + Crlf)
                                      << QStringList {u"( 1) ab|10,35"_s, u"     cd|10,40"_s};
        // "( 1) ab " is 13.75 mm: the word goes at 23.75, the rest at round(27.1875).
        QTest::newRow("emphasised word inside a line") << u"( 1) ab @cd@ ef"_s
                + Crlf << QStringList {u"( 1) ab |10,35"_s, u"cd|23.75,35|E"_s, u" ef|27,35"_s};
        QTest::newRow("emphasis at the start")
            << u"@ab@c"_s + Crlf << QStringList {u"|10,35"_s, u"ab|10,35|E"_s, u"c|13,35"_s};
        // A run cut by a line break is printed plain; only the closing "@" emphasises.
        QTest::newRow("run across a line break") << u"a@b"_s + Crlf + u"c@d"_s
                + Crlf << QStringList {u"a|10,35"_s, u"b|12,35"_s, u"c|10,40|E"_s, u"d|12,40"_s};
        // After 26 emphasised narrow characters the segment starts at 55 (54.6875
        // rounded): 64 more are exactly 110 mm and end at 165, which still fits.
        const QString run = u"@"_s + QString(26, u'a') + u"@"_s;
        const QStringList full {
            u"|10,35"_s, QString(26, u'a') + u"|10,35|E"_s, QString(64, u'b') + u"|55,35"_s};
        QTest::newRow("exactly full line") << run + QString(64, u'b') + Crlf << full;
        QTest::newRow("one character over")
            << run + QString(65, u'b') + Crlf << full + QStringList {u"　 b|10,40"_s};
        QTest::newRow("last piece with a line end at x 10") << u"a"_s + Crlf + Crlf
                + u"　 ──"_s << QStringList {u"a|10,35"_s, u"|10,40"_s, u"　 ──|10,45|end"_s};
    }
    void placing()
    {
        QFETCH(QString, text);
        RecordingSurface s;
        QTEST(placeOnce(text, s), "expected");
    }

    // The trace of every kind of operation, escapes and continued positions included,
    // and the tracer passes on exactly what it logs.
    void trace()
    {
        RecordingSurface inner;
        TracingSurface s(inner);
        s.setFontName(u"ＭＳ ゴシック"_s);
        s.setFontSize(10.5);
        s.line(12, 12, 167, 30, true, 6); // moves the position to (167, 30)
        s.setCurrentX(147.8125);
        s.setCurrentY(9);
        s.print(u"a\"b\\c\r\n\x01"_s, false);
        s.print(u"d"_s, false);
        s.newPage();
        s.setFontEmphasis(true);
        s.print(u"あ"_s, true);
        s.endDoc();
        s.killDoc();
        // Single quotes stand for double ones.
        QByteArray expected
            = "[\n{'op':'line','page':1,'x1':12,'y1':12,'x2':167,'y2':30,'box':true,'color':6},\n"
              "{'op':'text','page':1,'x':147.8125,'y':9,'font':'ＭＳ ゴシック','size':10.5,"
              "'emphasis':false,'text':'a\\\"b\\\\c\\r\\n\\u0001','lineEnd':false},\n"
              "{'op':'text','page':1,'x':162.25,'y':9,'font':'ＭＳ ゴシック','size':10.5,"
              "'emphasis':false,'text':'d','lineEnd':false},\n{'op':'newPage'},\n"
              "{'op':'text','page':2,'x':0,'y':0,'font':'ＭＳ ゴシック','size':10.5,"
              "'emphasis':true,'text':'あ','lineEnd':true},\n{'op':'endDoc'},\n{'op':'killDoc'}\n]\n";
        expected.replace('\'', '"');
        QCOMPARE(TraceJson(s.log()), expected);
        QCOMPARE(TraceJson(inner.log()), expected);
        QCOMPARE(s.log().pagesDelivered(), 0); // a discarded document delivers none
    }

    // One line per question (layout 2); 40 lines plus the one extra fit.
    void measuringCapacity()
    {
        const std::tuple<QList<QuestionRecord>, int, int> rows[] = {{plainQuestions(41), 0, 0},
            {plainQuestions(42), 1, 41}, {plainQuestions(41, u"**"_s), 0, 0}, // "**" counts no line
            {plainQuestions(21, u"*"_s), 1, 20}, // "*" counts one
            // After a closing "@" the rest is measured emphasised (wider) than it prints:
            // 80 narrow characters after "b" take a second line when measured.
            {plainQuestions(41, {}, 1, u"@b@"_s + QString(80, u'x')), 1, 40}};
        for (const auto &[questions, overCapacity, fitCount] : rows) {
            auto m = moduleWith(questions);
            m->OverCapacity = 0;
            QVERIFY(printed(*m, MeasureQuestions).operations().isEmpty());
            QCOMPARE(
                (std::pair {int(m->OverCapacity), int(m->FitCount)}), (std::pair {overCapacity, fitCount}));
        }
    }

    // Full print: FirstPageLines lines from y 35, then NextPageLines from y 15; the
    // fitted print keeps its 41st line on the first page.
    void pageBreaks()
    {
        enum Print { Fitted, Full, FullKeepingQuestions };
        // print, layout, questions, lines on each page, the first text on page 2
        const std::tuple<Print, int, QList<QuestionRecord>, QList<int>, QString> rows[]
            = {{Full, 2, plainQuestions(100), {40, 45, 15}, u"(41) Q41"_s},
                {Fitted, 2, plainQuestions(41), {41}, {}},
                // Question 1 takes five lines, 2 to 12 three each: question 13's rule is line 41.
                {Full, 1, plainQuestions(13, {}, 1, u"a\\/b\\/c"_s), {40, 1}, Dash43},
                {FullKeepingQuestions, 1, plainQuestions(13, {}, 1, u"a\\/b\\/c"_s), {38, 3}, u"(13) Q13"_s},
                {FullKeepingQuestions, 2, plainQuestions(100), {40, 45, 15}, u"(41) Q41"_s},
                // Question 2 takes 46 lines, more than a page: split where the page ends.
                {FullKeepingQuestions, 2, plainQuestions(2, {}, 2, QString(85 + 87 * 45, u'a')), {40, 7},
                    u"　 a"_s},
                // 39 one-line questions, then one of two lines: its continuation is line 41.
                {Full, 2, plainQuestions(40, {}, 40, QString(100, u'a')), {40, 1}, u"　 a"_s}};
        for (const auto &[print, layout, questions, linesPerPage, page2Starts] : rows) {
            auto m = moduleWith(questions, layout);
            if (print == FullKeepingQuestions)
                m->options.pageBreaks = QuestionBreaks::KeepQuestions;
            const PrintLog log = printed(*m, print == Fitted ? PrintQuestionsFitted : PrintQuestionsAll);
            QCOMPARE(countOps(log, PrintOperation::Kind::NewPage), linesPerPage.size() - 1);
            for (int p = 1; p <= linesPerPage.size(); ++p) {
                QList<double> tops;
                while (tops.size() < linesPerPage[p - 1])
                    tops.append((p == 1 ? 35 : 15) + 5 * double(tops.size()));
                QCOMPARE(lineTops(log, p), tops);
            }
            if (linesPerPage.size() > 1)
                QVERIFY2(
                    textsOn(log, 2).first().startsWith(page2Starts), qPrintable(textsOn(log, 2).first()));
        }
    }

    // Fixed metrics at 10 points: a line holds 90 ASCII characters after x = 10.
    void keepWords()
    {
        const QString x80(80, u'x'), label = u"( 1) "_s;
        const std::tuple<bool, QString, QStringList> rows[] = {
            {false, x80 + u" garden"_s, {label + x80 + u" gard"_s, u"　 en"_s}},
            {true, x80 + u" garden"_s, {label + x80 + u" "_s, u"　 garden"_s}},
            {true, x80 + u" don't 1st"_s, {label + x80 + u" "_s, u"　 don't 1st"_s}}, // all one word
            {true, x80 + u" ab (avoid)"_s, {label + x80 + u" ab "_s, u"　 (avoid)"_s}}, // "(" fits, "a" not
            {true, x80 + u" abcd efg"_s, {label + x80 + u" abcd "_s, u"　 efg"_s}}, // broken at the blank
            // A word longer than a line is still broken; a closing mark hangs as before.
            {true, QString(100, u'y'), {label, u"　 "_s + QString(87, u'y'), u"　 "_s + QString(13, u'y')}},
            {true, QString(42, u'あ') + u"。後"_s, {label + QString(42, u'あ') + u"。"_s, u"　 後"_s}}};
        for (const auto &[keep, question, lines] : rows) {
            auto m = moduleWith({{question, QString(), u"a"_s}});
            m->options.lineBreaks = keep ? WordBreaks::KeepWords : WordBreaks::Anywhere;
            QCOMPARE(textsOn(printed(*m, PrintQuestionsFitted)), lines);
        }
    }

    void displayLines_data()
    {
        QTest::addColumn<int>("row");
        for (int i = 0; i < int(std::size(displayRows)); ++i)
            QTest::addRow("%s", displayRows[i].name) << i;
    }
    void displayLines()
    {
        QFETCH(int, row);
        const auto &r = displayRows[row];
        const QList<DisplayLine> lines = r.answerPage ? AnswerDisplayLines({r.question}, {u"12071030"_s, 1})
                                                      : QuestionDisplayLines({r.question});
        QString shown;
        for (const DisplayRun &run : lines.value(0))
            shown += run.bold ? u'[' + run.text + u']' : run.text;
        QCOMPARE(shown, r.shown);
    }

    void keyOfSheetNumber_data() { addRows(keyRows); }
    void keyOfSheetNumber()
    {
        QFETCH(int, row);
        const KeyRow &r = keyRows[row];
        const SheetKey key = KindsKeyOf(r.number, ChoiceLabels::Kana);
        QCOMPARE(key.run, r.run);
        QCOMPARE(key.sheet, r.sheet);
    }

    // For a table: no emphasis marks, a break a blank, no hint the sheet leaves out.
    void plainOnSheet()
    {
        const QuestionRecord shown = PlainOnSheet({u"I @have@\\/lived."_s, u"*"_s, u"@have@"_s}, {});
        QCOMPARE(shown, (QuestionRecord {u"I have lived."_s, {}, u"have"_s}));
    }

    // Texts as "text|x,y", "|E" emphasised, "|end" at a line end. Answers: 20 questions
    // of two lines fill the 40 answer lines exactly; every closing "@" uses up one of
    // them, breaking inside the line it is on.
    void placedTexts()
    {
        using Pass = void (*)(const Module1 &, PrintSurface &);
        const Pass fitted = PrintQuestionsFitted, full = PrintQuestionsAll, answers = PrintAnswerSheet;
        QList<QuestionRecord> hints = plainQuestions(2), markInAnswer = plainQuestions(20);
        hints[0].Hint = u"go"_s;
        hints[1].Hint = u"*"_s;
        markInAnswer[19].Answer = u"a@b@c"_s;
        const QList<QuestionRecord> odd {{u"a@b"_s, {}, {}}, {u"c@d@e"_s, {}, {}}};
        const QString q1 = u"( 1) Q1|10,35"_s;
        // pass, layout, questions, page, its texts
        const std::tuple<Pass, int, QList<QuestionRecord>, int, QStringList> rows[] = {
            {fitted, 1, hints, 1,
                {q1, u"　 〔go〕|10,40"_s, u"|10,45"_s, Dash43 + u"|10,50|end"_s, u"( 2) Q2|10,55"_s,
                    u"|10,60"_s, Dash43 + u"|10,65|end"_s}},
            // Fitted questions start afresh; the full print carries an odd "@" over.
            {fitted, 2, odd, 1,
                {u"( 1) a|10,35"_s, u"b|20,35"_s, u"( 2) c|10,40"_s, u"d|20.3125,40|E"_s, u"e|22,40"_s}},
            {full, 2, odd, 1,
                {u"( 1) a|10,35"_s, u"b|20,35"_s, u"( 2) c|10,40|E"_s, u"d|20.3125,40"_s, u"e|22,40"_s}},
            {answers, 2, {{u"Q1"_s, u"**"_s, u"went"_s}}, 1, {q1, u"　■　went|10,40"_s}},
            {answers, 2, {{u"Q1"_s, u"go"_s, u"went"_s}}, 1,
                {q1, u"　 〔go〕|10,40"_s, u"　■　went|10,45"_s}},
            {answers, 2, {{u"Q1"_s, {}, u"a\\/b"_s}}, 1, {q1, u"　■　a|10,40"_s, u"     b|10,45"_s}},
            {answers, 2, plainQuestions(20, {}, 1, u"a@b@c"_s), 2, {u"　■　A20|10,15"_s}},
            {answers, 2, markInAnswer, 2, {u"c|24,15"_s}} // at round(10 + width of "　■　ab")
        };
        for (const auto &[pass, layout, questions, page, texts] : rows) {
            const PrintLog log = printed(*moduleWith(questions, layout), pass);
            QCOMPARE(placedOn(log, page), texts);
            for (const PrintOperation &op : log.texts())
                QCOMPARE(op.font, u"ＭＳ Ｐ明朝"_s);
        }
    }
};

QTEST_GUILESS_MAIN(TestLayouts)
#include "tst_layouts.moc"
