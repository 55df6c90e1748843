// SPDX-License-Identifier: GPL-3.0-or-later
// One sheet: its metrics, its header and range line, shrinking to fit, and how a run fails.
#include "PrintTestSupport.h"

#include "print/SheetHeader.h"
#include "shared/SheetTitle.h"

using namespace sorario::test;

namespace {

const struct MetricsRow
{
    const char *name;
    int size, charHeight, firstPageLines, nextPageLines;
} metricsRows[] = {
    {.name = "8 points: no line below 242 mm",
        .size = 8,
        .charHeight = 3,
        .firstPageLines = 52,
        .nextPageLines = 57},
    {.name = "12 points", .size = 12, .charHeight = 4, .firstPageLines = 40, .nextPageLines = 45},
    {.name = "20 points: 4.5 and 7.5 round to even",
        .size = 20,
        .charHeight = 8,
        .firstPageLines = 20,
        .nextPageLines = 22},
};

const QStringList Eight {u"１"_s, u"２"_s, u"３"_s, u"４"_s, u"５"_s, u"６"_s, u"７"_s, u"８"_s};

const struct RangeLineRow
{
    const char *name;
    QStringList titles;
    bool allParts = false;
    QStringList parts = {};
    QString title, line;
} rangeLineRows[] = {
    {.name = "every part",
        .titles = {u"文法"_s},
        .allParts = true,
        .title = u"文法"_s,
        .line = u"すべてのはんい"_s},
    {.name = "two parts",
        .titles = {u"文法"_s},
        .parts = {u"２"_s, u"５"_s},
        .title = u"文法"_s,
        .line = u"その２・５"_s},
    {.name = "eight parts in 17 characters",
        .titles = {u"文法"_s},
        .parts = Eight,
        .title = u"文法"_s,
        .line = u"その１・２・３・４・５・６・７・８"_s},
    {.name = "nine parts: the first and the last",
        .titles = {u"文法"_s},
        .parts = Eight + QStringList {u"１２"_s},
        .title = u"文法"_s,
        .line = u"１～１２"_s},
    {.name = "two files",
        .titles = {u"基礎"_s, u"応用"_s},
        .title = u"まとめのテスト"_s,
        .line = u"基礎～応用"_s},
    {.name = "three files, cut at 17",
        .titles = {u"ABCDEFGH"_s, u"x"_s, u"IJKLMNOPQ"_s},
        .allParts = true,
        .title = u"まとめのテスト"_s,
        .line = u"ABCDEFGH～IJKLMNOP"_s},
};

// 41 one-line questions fit at 10 points, 52 at 9 or 8.
const struct OneSheetRow
{
    const char *name;
    int questions, attachAnswers = 2, fontSize = 10;
    bool shrink = false;
    bool yes = false, asked = false; // the answer to the prompt, whether it came
    int fittedSize = 0, pages = 1;
    double lastSize = 10; // of the first page's last text
} oneSheetRows[] = {
    {.name = "fits as it is", .questions = 41, .shrink = true},
    {.name = "shrunk to the largest size that fits",
        .questions = 45,
        .shrink = true,
        .fittedSize = 9,
        .lastSize = 9},
    {.name = "not even at 8: asked at the chosen size",
        .questions = 60,
        .shrink = true,
        .asked = true,
        .pages = 2},
    {.name = "not shrinking: asked", .questions = 45, .asked = true, .pages = 2},
    // Yes prints no question (the header's last text is the range line), so the run can finish.
    {.name = "a too large font measured without stopping",
        .questions = 2,
        .fontSize = 1000,
        .yes = true,
        .asked = true,
        .lastSize = 12},
    // The answer line's first two characters fill a line, the indent and one more the next.
    {.name = "two characters a line",
        .questions = 1,
        .attachAnswers = 1,
        .fontSize = 160,
        .pages = 3,
        .lastSize = 160},
};

const QString PrinterRefused = u"プリンターが印刷を受け付けませんでした。"_s;
const QString FontTooLarge = u"フォントが大きすぎて、１行に１文字も入りません。"_s;

// Ten questions with their answers, the prompt answered No.
const struct FailedRow
{
    const char *name;
    int questions = 10, fontSize = 10;
    int failAt = 0; // the operation the printer refuses; 0: none
    bool yes = false;
    QString message;
} failedRows[] = {
    {.name = "size 0", .fontSize = 0, .message = u"文字のサイズが正しくありません。"_s},
    {.name = "printer error after the Yes",
        .questions = 60,
        .failAt = 100,
        .yes = true,
        .message = PrinterRefused},
    {.name = "printer error on the answer page", .failAt = 40, .message = PrinterRefused},
    {.name = "printer error at the end", .failAt = 58, .message = PrinterRefused},
    {.name = "too large for one character", .fontSize = 1000, .message = FontTooLarge},
    {.name = "only the indent fits", .fontSize = 240, .message = FontTooLarge},
};

} // namespace

class TestPrintSheet : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metrics_data() { addRows(metricsRows); }
    void metrics()
    {
        QFETCH(int, row);
        const MetricsRow &r = metricsRows[row];
        auto m = moduleWith({});
        m->FontSize = static_cast<std::int16_t>(r.size);
        RecordingSurface s;
        SetPrintMetrics(*m, s);
        QCOMPARE(m->CharHeight, r.charHeight);
        QCOMPARE(m->FirstPageLines, r.firstPageLines);
        QCOMPARE(m->NextPageLines, r.nextPageLines);
    }

    void header()
    {
        auto m = moduleWith({});
        m->FileHeaders(1, 3) = u"K7"_s;
        m->SheetLogo = u"《ミナセラ》"_s;
        m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
        RecordingSurface s;
        PrintHeader(*m, s);

        // Lines as "x1,y1 x2,y2 box color", texts as "x,y size text end", all in ＭＳ ゴシック.
        QStringList got, fonts;
        for (const PrintOperation &op : s.log().operations()) {
            if (op.kind != PrintOperation::Kind::Line)
                fonts.append(op.font);
            got.append(op.kind == PrintOperation::Kind::Line
                    ? u"%1,%2 %3,%4 %5 %6"_s.arg(op.x1).arg(op.y1).arg(op.x2).arg(op.y2).arg(op.box).arg(
                        op.color)
                    : u"%1,%2 %3 %4 %5"_s.arg(op.x).arg(op.y).arg(op.size).arg(op.text).arg(op.lineEnd));
        }
        const QStringList expected {u"12,12 167,30 1 6"_s, u"95,12 95,30 0 0"_s, u"150,12 150,30 0 0"_s,
            u"95,17 150,17 0 0"_s, u"100,17 100,30 0 0"_s, u"12,9 8 K7(SheetNo.:03051407) 0"_s,
            u"150.5,9 8 《ミナセラ》 1"_s, // 167 - 6 * 2.75
            u"97,14 8 　　　　年　　　　　組　　　　　番 1"_s, u"96,20 8 氏 1"_s, u"96,24 8 名 1"_s,
            u"163,26 8 点 1"_s, u"16,16 16 文法テスト 1"_s, u"20,24 12 すべてのはんい 0"_s};
        QCOMPARE(got, expected);
        QCOMPARE(fonts, QStringList(8, u"ＭＳ ゴシック"_s));
    }

    void rangeLine_data() { addRows(rangeLineRows); }
    void rangeLine()
    {
        QFETCH(int, row);
        const RangeLineRow &r = rangeLineRows[row];
        Module1 m;
        m.ChosenFileCount = static_cast<std::int16_t>(r.titles.size());
        for (int f = 0; f < r.titles.size(); ++f)
            m.FileHeaders(f + 1, 1) = r.titles[f];
        m.AllPartsChosen = static_cast<std::int16_t>(r.allParts);
        m.ChosenPartCount = static_cast<std::int16_t>(r.parts.size());
        for (int i = 0; i < r.parts.size(); ++i)
            m.ChosenPartNumbers(i + 1) = r.parts[i];
        QCOMPARE(SheetTitleText(m), r.title);
        QCOMPARE(RangeLineText(m, 17), r.line);
    }

    void oneSheet_data() { addRows(oneSheetRows); }
    void oneSheet()
    {
        QFETCH(int, row);
        const OneSheetRow &r = oneSheetRows[row];
        auto m = moduleWith(plainQuestions(r.questions), 2, r.attachAnswers);
        m->FontSize = static_cast<std::int16_t>(r.fontSize);
        m->OverflowRule = r.shrink ? Overflow::ShrinkFirst : Overflow::Ask;
        RecordingSurface s;
        ScriptedDialogs d;
        d.messageAnswers.enqueue(r.yes ? MessageAnswer::Yes : MessageAnswer::No);
        QVERIFY(PrintSheet(*m, s, d).printed());
        QCOMPARE(int(m->FontSize), r.fontSize);
        QCOMPARE(s.log().pagesDelivered(), r.pages);
        QCOMPARE(s.log().operations().last().kind, PrintOperation::Kind::EndDoc);
        QCOMPARE(d.messages().size(), qsizetype(r.asked));
        QCOMPARE(int(m->FittedSize), r.fittedSize);
        QCOMPARE(s.log().texts(1).last().size, r.lastSize);
    }

    // Whatever makes a run fail, its document is discarded, the count asked kept and the
    // teacher told why; a too large font ends, not loops.
    void failedSheet_data() { addRows(failedRows); }
    void failedSheet()
    {
        QFETCH(int, row);
        const FailedRow &r = failedRows[row];
        auto m = moduleWith(plainQuestions(r.questions), 2, 1);
        m->FontSize = static_cast<std::int16_t>(r.fontSize);
        RecordingSurface s;
        s.failAtOperation(r.failAt);
        ScriptedDialogs d;
        d.messageAnswers.enqueue(r.yes ? MessageAnswer::Yes : MessageAnswer::No);
        QVERIFY(!PrintSheet(*m, s, d).printed());
        QCOMPARE(int(m->FontSize), r.fontSize);
        QCOMPARE(s.log().pagesDelivered(), 0);
        QCOMPARE(s.log().operations().last().kind, PrintOperation::Kind::KillDoc);
        QCOMPARE(int(m->QuestionCount), r.questions);
        QCOMPARE(d.messages().last(), r.message);
    }
};

QTEST_GUILESS_MAIN(TestPrintSheet)
#include "tst_printsheet.moc"
