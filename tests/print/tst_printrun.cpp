// SPDX-License-Identifier: GPL-3.0-or-later
// Print runs: metrics, header, the capacity prompt, shrinking to fit, failures, replacing a file.
#include "PrintTestSupport.h"

#include "print/PrintTarget.h"
#include "print/SheetHeader.h"
#include "shared/SheetTitle.h"

using namespace sorario::test;

namespace {

// Draws "S<sheet>Q<n>" / "S<sheet>A<n>" at the count asked, noted in `counts`; "S2Q1"
// takes three lines, so sheet 2 fits two questions less.
DrawSheet drawsOn(Module1 &m, QList<int> &counts)
{
    return [&m, &counts](int sheet) {
        counts.append(m.QuestionCount);
        for (int n = 1; n <= m.QuestionCount; ++n) {
            const QString q = u"S%1Q%2"_s.arg(sheet).arg(n);
            m.DrawnQuestions(n) = {q == u"S2Q1"_s ? q + u"\\/x\\/y"_s : q, {}, u"S%1A%2"_s.arg(sheet).arg(n)};
        }
    };
}

// The last text of every page: which sheet's questions or answers ended there ("-" for
// a blank page).
QStringList pageEnds(const PrintLog &log)
{
    QStringList out;
    for (int page = 1; page <= log.pagesDelivered(); ++page) {
        const QStringList texts = textsOn(log, page);
        out.append(texts.isEmpty() ? u"-"_s : texts.last().mid(texts.last().lastIndexOf(u'S')));
    }
    return out;
}

struct PageOrderRow
{
    Paper paper = Paper::B5;
    int sheets = 1;
    bool answers = true;
    AnswerPlace answerPages = AnswerPlace::AfterEachSheet;
    DuplexPadding duplex = DuplexPadding::None;
    QStringList pageEnds;
};

} // namespace

Q_DECLARE_METATYPE(PageOrderRow)

class TestPrintRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metrics()
    {
        const std::array<int, 4> rows[] = {{8, 3, 52, 57}, // no line below 242 mm
            {12, 4, 40, 45}, {20, 8, 20, 22}}; // 4.5 and 7.5 round to even
        for (const auto &[size, charHeight, firstPageLines, nextPageLines] : rows) {
            auto m = moduleWith({});
            m->options.FontSize = static_cast<std::int16_t>(size);
            RecordingSurface s;
            SetPrintMetrics(*m, s);
            QCOMPARE(m->CharHeight, charHeight);
            QCOMPARE(m->FirstPageLines, firstPageLines);
            QCOMPARE(m->NextPageLines, nextPageLines);
        }
    }

    void header()
    {
        auto m = moduleWith({});
        m->FileHeaders(1, 3) = u"K7"_s;
        m->options.SheetLogo = u"《ミナセラ》"_s;
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
        const QStringList expected {u"12,12 167,30 1 6"_s, u"95,12 95,30 0 0"_s, u"150,12 150,30 0 0"_s,
            u"95,17 150,17 0 0"_s, u"100,17 100,30 0 0"_s, u"12,9 8 K7(SheetNo.:03051407) 0"_s,
            u"150.5,9 8 《ミナセラ》 1"_s, // 167 - 6 * 2.75
            u"97,14 8 　　　　年　　　　　組　　　　　番 1"_s, u"96,20 8 氏 1"_s, u"96,24 8 名 1"_s,
            u"163,26 8 点 1"_s, u"16,16 16 文法テスト 1"_s, u"20,24 12 すべてのはんい 0"_s};
        QCOMPARE(got, expected);
    }

    void rangeLine()
    {
        const QStringList one {u"文法"_s}, two {u"基礎"_s, u"応用"_s},
            all = {u"まとめのテスト"_s},
            eight {u"１"_s, u"２"_s, u"３"_s, u"４"_s, u"５"_s, u"６"_s, u"７"_s, u"８"_s};
        const std::tuple<QStringList, bool, QStringList, QString, QString> rows[] = {
            // titles, all parts, parts chosen, title, range line
            {one, true, {}, one[0], u"すべてのはんい"_s},
            {one, false, {u"２"_s, u"５"_s}, one[0], u"その２・５"_s},
            {one, false, eight, one[0], u"その１・２・３・４・５・６・７・８"_s}, // 17 kept
            {one, false, eight + QStringList {u"１２"_s}, one[0], u"１～１２"_s}, // first and last
            {two, false, {}, all[0], u"基礎～応用"_s},
            {{u"ABCDEFGH"_s, u"x"_s, u"IJKLMNOPQ"_s}, true, {}, all[0], u"ABCDEFGH～IJKLMNOP"_s} // cut at 17
        };
        for (const auto &[titles, allParts, parts, title, line] : rows) {
            Module1 m;
            m.ChosenFileCount = static_cast<std::int16_t>(titles.size());
            for (int f = 0; f < titles.size(); ++f)
                m.FileHeaders(f + 1, 1) = titles[f];
            m.AllPartsChosen = static_cast<std::int16_t>(allParts);
            m.ChosenPartCount = static_cast<std::int16_t>(parts.size());
            for (int i = 0; i < parts.size(); ++i)
                m.ChosenPartNumbers(i + 1) = parts[i];
            QCOMPARE(SheetTitleText(m), title);
            QCOMPARE(RangeLineText(m, 17), line);
        }
    }

    // The one capacity prompt of a run of one or more sheets (41 one-line questions
    // fit a sheet), the sheets' own draws, numbers and answer pages.
    void capacityAndSheets()
    {
        const QString no = u"T1(SheetNo.:03051407-%1)"_s;
        const auto promptFor = [](int fit, int asked) {
            return u"●問題数がＢ５用紙への印刷範囲をこえます。 %1 問にして、印刷しますか。\r\n"
                   "[Yes]     %1問で印刷。\r\n"
                   "[No]      %2問で印刷。\r\n"
                   "[Cancel] キャンセルして戻る。"_s.arg(fit)
                       .arg(asked);
        };
        const QString prompt = promptFor(41, 42);
        const struct
        {
            int sheets, asked, attachAnswers;
            bool dialogOk;
            MessageAnswer answer;
            QString prompt; // none when empty
            QList<int> printed; // questions on each sheet; none when the run printed nothing
            int printMode;
            QStringList pageEnds, numbers; // numbers: unchecked when empty
            bool shrink = false;
            QList<int> fittedSizes = {}; // of each sheet; unchecked when empty
            OverflowPolicy overflow = OverflowPolicy::Ask;
        } rows[] = {
            {1, 42, 1, true, MessageAnswer::Yes, prompt, {41}, 1, {u"S1Q41"_s, u"S1A20"_s, u"S1A41"_s}, {}},
            {1, 42, 1, true, MessageAnswer::No, prompt, {42}, 2,
                {u"S1Q40"_s, u"S1Q42"_s, u"S1A20"_s, u"S1A42"_s}, {}},
            {1, 42, 1, true, MessageAnswer::Cancel, prompt, {}, 1, {}, {}},
            // A policy answers without asking, whatever the teacher would have said.
            {1, 42, 1, true, MessageAnswer::Cancel, {}, {42}, 2,
                {u"S1Q40"_s, u"S1Q42"_s, u"S1A20"_s, u"S1A42"_s}, {}, false, {}, OverflowPolicy::PrintAll},
            {1, 42, 1, true, MessageAnswer::Cancel, {}, {41}, 1, {u"S1Q41"_s, u"S1A20"_s, u"S1A41"_s}, {},
                false, {}, OverflowPolicy::FitFirstPage},
            {1, 42, 1, true, MessageAnswer::Yes, {}, {}, 1, {}, {}, false, {}, OverflowPolicy::Cancel},
            {1, 42, 1, false, MessageAnswer::Yes, {}, {}, 1, {}, {}}, // the print dialog cancelled
            {3, 3, 2, true, MessageAnswer::Yes, {}, {3, 3, 3}, 1, {u"S1Q3"_s, u"S2Q3"_s, u"S3Q3"_s},
                {no.arg(1), no.arg(2), no.arg(3)}},
            {2, 3, 1, true, MessageAnswer::Yes, {}, {3, 3}, 1, {u"S1Q3"_s, u"S1A3"_s, u"S2Q3"_s, u"S2A3"_s},
                {no.arg(1), no.arg(1), no.arg(2), no.arg(2)}},
            // Yes keeps what fits of each draw.
            {3, 42, 2, true, MessageAnswer::Yes, prompt, {41, 39, 41}, 1,
                {u"S1Q41"_s, u"S2Q39"_s, u"S3Q41"_s}, {}},
            // Only sheet 2 overflows: the prompt comes there.
            {3, 40, 2, true, MessageAnswer::Yes, promptFor(39, 40), {40, 39, 40}, 1,
                {u"S1Q40"_s, u"S2Q39"_s, u"S3Q40"_s}, {}},
            // Shrinking: sheet 2 alone needs 9 points, and every sheet prints at 9.
            {3, 41, 2, true, MessageAnswer::Yes, {}, {41, 41, 41}, 1, {u"S1Q41"_s, u"S2Q41"_s, u"S3Q41"_s},
                {}, true, {9, 9, 9}},
            // Not even 8 points fits: the prompt, at the chosen size, says so first.
            {3, 60, 2, true, MessageAnswer::Yes,
                u"●8ポイントまで小さくしても1ページに収まりません。\r\n"_s + promptFor(41, 60), {41, 39, 41},
                1, {u"S1Q41"_s, u"S2Q39"_s, u"S3Q41"_s}, {}, true, {0, 0, 0}}};
        for (const auto &r : rows) {
            auto m = moduleWith({}, 2, r.attachAnswers);
            m->QuestionCount = static_cast<std::int16_t>(r.asked);
            m->options.sheetCount = static_cast<std::int16_t>(r.sheets);
            m->options.overflow = r.shrink ? Overflow::ShrinkFirst : Overflow::Ask;
            m->FileHeaders(1, 3) = u"T1"_s;
            m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
            QList<int> drawCounts;
            RecordingSurface s;
            ScriptedDialogs d;
            d.printAnswers.enqueue(r.dialogOk);
            d.messageAnswers.enqueue(r.answer);
            const PrintRunResult run = PrintSheets(*m, s, d, drawsOn(*m, drawCounts), r.overflow);
            QCOMPARE(run.printed(), !r.printed.isEmpty());
            QCOMPARE(d.messages(), r.prompt.isEmpty() ? QStringList {} : QStringList {r.prompt});
            QList<int> counts, sizes;
            for (const SheetOutcome &o : run.sheets) {
                counts.append(o.QuestionCount);
                sizes.append(o.FittedSize);
                QCOMPARE(int(o.PrintMode), r.printMode);
            }
            QCOMPARE(counts, r.printed);
            if (!r.fittedSizes.isEmpty())
                QCOMPARE(sizes, r.fittedSizes);
            // Every sheet draws at the count asked, not at what fitted the one before.
            QCOMPARE(drawCounts, QList<int>(drawCounts.size(), r.asked));
            QCOMPARE(int(m->QuestionCount), r.printed.isEmpty() ? r.asked : r.printed[0]);
            QCOMPARE(pageEnds(s.log()), r.pageEnds);
            if (!r.numbers.isEmpty())
                QCOMPARE(textsOn(s.log()).filter(u"SheetNo."_s), r.numbers);
            if (!r.dialogOk)
                QVERIFY(s.log().operations().isEmpty());
            else
                QCOMPARE(s.log().operations().last().kind,
                    r.printed.isEmpty() ? PrintOperation::Kind::KillDoc : PrintOperation::Kind::EndDoc);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc)
                    + countOps(s.log(), PrintOperation::Kind::KillDoc),
                r.dialogOk ? 1 : 0);
        }
    }

    // Where the pages of three questions and their answers go: two-up paper keeps the answers
    // off every sheet of paper with questions; blanks keep sheets apart for duplex printing.
    void pageOrder_data()
    {
        QTest::addColumn<PageOrderRow>("row");
        const auto add = [](const char *name, const PageOrderRow &row) { QTest::newRow(name) << row; };
        const QStringList two {u"S1Q3"_s, u"S1A3"_s, u"S2Q3"_s, u"S2A3"_s};
        add("B5: each sheet's answers after it", {.sheets = 2, .pageEnds = two});
        add("B4 two-up: questions, then answers",
            {.paper = Paper::B4TwoUp, .sheets = 2, .pageEnds = {u"S1Q3"_s, u"S2Q3"_s, u"S1A3"_s, u"S2A3"_s}});
        add("A3 two-up, odd question pages: the answers on paper of their own",
            {.paper = Paper::A3TwoUp,
                .sheets = 3,
                .pageEnds = {u"S1Q3"_s, u"S2Q3"_s, u"S3Q3"_s, u"-"_s, u"S1A3"_s, u"S2A3"_s, u"S3A3"_s}});
        add("B4 two-up, one sheet", {.paper = Paper::B4TwoUp, .pageEnds = {u"S1Q3"_s, u"-"_s, u"S1A3"_s}});
        add("B4 two-up without answers",
            {.paper = Paper::B4TwoUp,
                .sheets = 3,
                .answers = false,
                .pageEnds = {u"S1Q3"_s, u"S2Q3"_s, u"S3Q3"_s}});
        add("answers last",
            {.sheets = 2,
                .answerPages = AnswerPlace::AllLast,
                .pageEnds = {u"S1Q3"_s, u"S2Q3"_s, u"S1A3"_s, u"S2A3"_s}});
        add("answers last, one sheet",
            {.answerPages = AnswerPlace::AllLast, .pageEnds = {u"S1Q3"_s, u"S1A3"_s}});
        add("duplex: a blank after each odd sheet, none at the end",
            {.sheets = 3,
                .answers = false,
                .duplex = DuplexPadding::BlankAfterOdd,
                .pageEnds = {u"S1Q3"_s, u"-"_s, u"S2Q3"_s, u"-"_s, u"S3Q3"_s}});
        add("duplex, sheets of two pages",
            {.sheets = 2, .duplex = DuplexPadding::BlankAfterOdd, .pageEnds = two});
        add("duplex, answers last",
            {.sheets = 2,
                .answerPages = AnswerPlace::AllLast,
                .duplex = DuplexPadding::BlankAfterOdd,
                .pageEnds = {u"S1Q3"_s, u"-"_s, u"S2Q3"_s, u"-"_s, u"S1A3"_s, u"-"_s, u"S2A3"_s}});
    }
    void pageOrder()
    {
        QFETCH(PageOrderRow, row);
        auto m = moduleWith({}, 2, row.answers ? 1 : 2);
        m->QuestionCount = 3;
        m->options.sheetCount = static_cast<std::int16_t>(row.sheets);
        m->options.paper = row.paper;
        m->options.answerPages = row.answerPages;
        m->options.duplex = row.duplex;
        m->FileHeaders(1, 3) = u"T1"_s;
        m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
        QList<int> drawCounts;
        RecordingSurface s;
        ScriptedDialogs d;
        QVERIFY(PrintSheets(*m, s, d, drawsOn(*m, drawCounts)).printed());
        QCOMPARE(pageEnds(s.log()), row.pageEnds);
        if (row.sheets == 2 && row.answerPages == AnswerPlace::AllLast)
            QCOMPARE(textsOn(s.log()).filter(u"SheetNo."_s),
                (QStringList {u"T1(SheetNo.:03051407-1)"_s, u"T1(SheetNo.:03051407-2)"_s,
                    u"T1(SheetNo.:03051407-1)"_s, u"T1(SheetNo.:03051407-2)"_s}));
    }

    // Shrinking to fit (41 one-line questions fit at 10 points, 52 at 9 or 8); whatever makes a run
    // fail, its document is discarded, the count asked kept, the teacher told why, and a too large
    // font ends, not loops.
    void oneSheet()
    {
        const struct
        {
            int questions, attachAnswers, fontSize;
            bool shrink;
            int failAt;
            bool yes, asked; // the answer to the prompt, whether it came
            int fittedSize, pages; // no pages: the run failed
            double lastSize; // of the first page's last text
            QString failure = {}; // the message of a failed run
        } rows[] = {{41, 2, 10, true, 0, false, false, 0, 1, 10},
            {45, 2, 10, true, 0, false, false, 9, 1, 9}, // the largest size that fits
            {60, 2, 10, true, 0, false, true, 0, 2, 10}, // not even at 8: asked at the chosen size
            {45, 2, 10, false, 0, false, true, 0, 2, 10},
            // Measuring counts the lines of a too large font without stopping: Yes prints
            // no question (the header's last text is the range line), so the run can finish.
            {2, 2, 1000, false, 0, true, true, 0, 1, 12},
            {10, 1, 0, false, 0, false, false, 0, 0, 0, u"文字のサイズが正しくありません。"_s},
            // a printer error after the Yes: nothing is cut
            {60, 1, 10, false, 100, true, true, 0, 0, 0, u"プリンターが印刷を受け付けませんでした。"_s},
            // a printer error on the answer page, at the end
            {10, 1, 10, false, 40, false, false, 0, 0, 0, u"プリンターが印刷を受け付けませんでした。"_s},
            {10, 1, 10, false, 58, false, false, 0, 0, 0, u"プリンターが印刷を受け付けませんでした。"_s},
            // too large for one character; only the indent fits
            {10, 1, 1000, false, 0, false, false, 0, 0, 0,
                u"フォントが大きすぎて、１行に１文字も入りません。"_s},
            {10, 1, 240, false, 0, false, false, 0, 0, 0,
                u"フォントが大きすぎて、１行に１文字も入りません。"_s},
            // The answer line's first two characters fill a line, the indent and one more the next.
            {1, 1, 160, false, 0, false, false, 0, 3, 160}};
        for (const auto &r : rows) {
            auto m = moduleWith(plainQuestions(r.questions), 2, r.attachAnswers);
            m->options.FontSize = static_cast<std::int16_t>(r.fontSize);
            m->options.overflow = r.shrink ? Overflow::ShrinkFirst : Overflow::Ask;
            RecordingSurface s;
            s.failAtOperation(r.failAt);
            ScriptedDialogs d;
            d.messageAnswers.enqueue(r.yes ? MessageAnswer::Yes : MessageAnswer::No);
            QCOMPARE(PrintSheet(*m, s, d).printed(), r.pages > 0);
            QCOMPARE(int(m->options.FontSize), r.fontSize);
            QCOMPARE(s.log().pagesDelivered(), r.pages);
            if (r.pages == 0)
                QCOMPARE(int(m->QuestionCount), r.questions);
            QCOMPARE(s.log().operations().last().kind,
                r.pages > 0 ? PrintOperation::Kind::EndDoc : PrintOperation::Kind::KillDoc);
            if (r.pages == 0) {
                QCOMPARE(d.messages().last(), r.failure);
                continue;
            }
            QCOMPARE(d.messages().size(), qsizetype(r.asked));
            QCOMPARE(int(m->FittedSize), r.fittedSize);
            QCOMPARE(s.log().texts(1).last().size, r.lastSize);
        }
    }

    // Printing to a file: the sheet's title beside the question files is offered, and
    // a file already there is replaced only after a Yes.
    void replacingAFile()
    {
        struct ToFile : SurfaceTarget
        {
            using SurfaceTarget::SurfaceTarget;
            void proposeFile(const QString &path) override { file = path; }
            QString settleDestination() override { return file; }
            QString file;
        };
        // a file there, the answer to "replace?", printed
        const std::tuple<bool, MessageAnswer, bool> rows[] = {{false, MessageAnswer::No, true},
            {true, MessageAnswer::Yes, true}, {true, MessageAnswer::No, false}};
        for (const auto &[exists, answer, prints] : rows) {
            QTemporaryDir dir;
            auto m = moduleWith(plainQuestions(2));
            m->ChosenFileList(1) = dir.filePath(u"drill.qvn"_s);
            RecordingSurface s;
            ToFile target(s);
            const QString pdf = dir.filePath(u"文法テスト.pdf"_s);
            if (exists)
                QVERIFY(QFile(pdf).open(QIODevice::WriteOnly));
            ScriptedDialogs d;
            d.messageAnswers.enqueue(answer);
            QCOMPARE(PrintSheets(*m, target, d, {}).printed(), prints);
            QCOMPARE(target.file, pdf);
            QCOMPARE(d.messages().size(), qsizetype(exists));
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), int(prints));
        }
    }
};

QTEST_GUILESS_MAIN(TestPrintRun)
#include "tst_printrun.moc"
