// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of sheets: the capacity prompt, the sheets' own draws, the order of pages, replacing a file.
#include "PrintTestSupport.h"

#include "print/PrintTarget.h"

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

QString promptFor(int fit, int asked)
{
    return u"●問題数がＢ５用紙への印刷範囲をこえます。 %1 問にして、印刷しますか。\r\n"
           "[Yes]     %1問で印刷。\r\n"
           "[No]      %2問で印刷。\r\n"
           "[Cancel] キャンセルして戻る。"_s.arg(fit)
               .arg(asked);
}

const QString Prompt = promptFor(41, 42);
const QString Number = u"T1(SheetNo.:03051407-%1)"_s;

const struct CapacityRow
{
    const char *name;
    int sheets = 1, asked = 42, attachAnswers = 1;
    bool dialogOk = true;
    MessageAnswer answer = MessageAnswer::Yes;
    QString prompt = {}; // none when empty
    QList<int> printed = {}; // questions on each sheet; none when the run printed nothing
    int printMode = 1;
    QStringList pageEnds = {}, numbers = {}; // numbers: unchecked when empty
    bool shrink = false;
    QList<int> fittedSizes = {}; // of each sheet; unchecked when empty
    OverflowPolicy overflow = OverflowPolicy::Ask;
} capacityRows[] = {
    {.name = "Yes: what fits",
        .prompt = Prompt,
        .printed = {41},
        .pageEnds = {u"S1Q41"_s, u"S1A20"_s, u"S1A41"_s}},
    {.name = "No: all, on two pages",
        .answer = MessageAnswer::No,
        .prompt = Prompt,
        .printed = {42},
        .printMode = 2,
        .pageEnds = {u"S1Q40"_s, u"S1Q42"_s, u"S1A20"_s, u"S1A42"_s}},
    {.name = "Cancel", .answer = MessageAnswer::Cancel, .prompt = Prompt},
    // A policy answers without asking, whatever the teacher would have said.
    {.name = "policy: print all",
        .answer = MessageAnswer::Cancel,
        .printed = {42},
        .printMode = 2,
        .pageEnds = {u"S1Q40"_s, u"S1Q42"_s, u"S1A20"_s, u"S1A42"_s},
        .overflow = OverflowPolicy::PrintAll},
    {.name = "policy: fit the first page",
        .answer = MessageAnswer::Cancel,
        .printed = {41},
        .pageEnds = {u"S1Q41"_s, u"S1A20"_s, u"S1A41"_s},
        .overflow = OverflowPolicy::FitFirstPage},
    {.name = "policy: cancel", .overflow = OverflowPolicy::Cancel},
    {.name = "print dialog cancelled", .dialogOk = false},
    {.name = "three sheets without answers",
        .sheets = 3,
        .asked = 3,
        .attachAnswers = 2,
        .printed = {3, 3, 3},
        .pageEnds = {u"S1Q3"_s, u"S2Q3"_s, u"S3Q3"_s},
        .numbers = {Number.arg(1), Number.arg(2), Number.arg(3)}},
    {.name = "two sheets, each with its answers",
        .sheets = 2,
        .asked = 3,
        .printed = {3, 3},
        .pageEnds = {u"S1Q3"_s, u"S1A3"_s, u"S2Q3"_s, u"S2A3"_s},
        .numbers = {Number.arg(1), Number.arg(1), Number.arg(2), Number.arg(2)}},
    {.name = "Yes keeps what fits of each draw",
        .sheets = 3,
        .attachAnswers = 2,
        .prompt = Prompt,
        .printed = {41, 39, 41},
        .pageEnds = {u"S1Q41"_s, u"S2Q39"_s, u"S3Q41"_s}},
    {.name = "only sheet 2 overflows: the prompt comes there",
        .sheets = 3,
        .asked = 40,
        .attachAnswers = 2,
        .prompt = promptFor(39, 40),
        .printed = {40, 39, 40},
        .pageEnds = {u"S1Q40"_s, u"S2Q39"_s, u"S3Q40"_s}},
    {.name = "sheet 2 alone needs 9 points: every sheet prints at 9",
        .sheets = 3,
        .asked = 41,
        .attachAnswers = 2,
        .printed = {41, 41, 41},
        .pageEnds = {u"S1Q41"_s, u"S2Q41"_s, u"S3Q41"_s},
        .shrink = true,
        .fittedSizes = {9, 9, 9}},
    {.name = "not even 8 points fits: the prompt says so first",
        .sheets = 3,
        .asked = 60,
        .attachAnswers = 2,
        .prompt = u"●8ポイントまで小さくしても1ページに収まりません。\r\n"_s + promptFor(41, 60),
        .printed = {41, 39, 41},
        .pageEnds = {u"S1Q41"_s, u"S2Q39"_s, u"S3Q41"_s},
        .shrink = true,
        .fittedSizes = {0, 0, 0}},
};

const struct ReplaceRow
{
    const char *name;
    bool exists;
    MessageAnswer answer;
    bool prints;
} replaceRows[] = {
    {.name = "no file there", .exists = false, .answer = MessageAnswer::No, .prints = true},
    {.name = "replaced after a Yes", .exists = true, .answer = MessageAnswer::Yes, .prints = true},
    {.name = "kept after a No", .exists = true, .answer = MessageAnswer::No, .prints = false},
};

} // namespace

Q_DECLARE_METATYPE(PageOrderRow)

class TestPrintRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The one capacity prompt of a run of one or more sheets (41 one-line questions
    // fit a sheet), the sheets' own draws, numbers and answer pages.
    void capacityAndSheets_data() { addRows(capacityRows); }
    void capacityAndSheets()
    {
        QFETCH(int, row);
        const CapacityRow &r = capacityRows[row];
        auto m = moduleWith({}, 2, r.attachAnswers);
        m->QuestionCount = static_cast<std::int16_t>(r.asked);
        m->SheetCount = static_cast<std::int16_t>(r.sheets);
        m->OverflowRule = r.shrink ? Overflow::ShrinkFirst : Overflow::Ask;
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
        QList<int> counts, sizes, modes;
        for (const SheetOutcome &o : run.sheets) {
            counts.append(o.QuestionCount);
            sizes.append(o.FittedSize);
            modes.append(int(o.PrintMode));
        }
        QCOMPARE(counts, r.printed);
        QCOMPARE(modes, QList<int>(run.sheets.size(), r.printMode));
        if (!r.fittedSizes.isEmpty())
            QCOMPARE(sizes, r.fittedSizes);
        // Every sheet draws at the count asked, not at what fitted the one before.
        QCOMPARE(drawCounts, QList<int>(drawCounts.size(), r.asked));
        QCOMPARE(int(m->QuestionCount), r.printed.isEmpty() ? r.asked : r.printed[0]);
        QCOMPARE(int(m->SheetIndex), 0);
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
        m->SheetCount = static_cast<std::int16_t>(row.sheets);
        m->PaperChoice = row.paper;
        m->AnswerPages = row.answerPages;
        m->Duplex = row.duplex;
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

    // Printing to a file: the sheet's title beside the question files is offered, and
    // a file already there is replaced only after a Yes.
    void replacingAFile_data() { addRows(replaceRows); }
    void replacingAFile()
    {
        QFETCH(int, row);
        const ReplaceRow &r = replaceRows[row];
        struct ToFile : SurfaceTarget
        {
            using SurfaceTarget::SurfaceTarget;
            void proposeFile(const QString &path) override { file = path; }
            QString settleDestination() override { return file; }
            QString file;
        };
        QTemporaryDir dir;
        auto m = moduleWith(plainQuestions(2));
        m->ChosenFileList(1) = dir.filePath(u"drill.qvn"_s);
        RecordingSurface s;
        ToFile target(s);
        const QString pdf = dir.filePath(u"文法テスト.pdf"_s);
        if (r.exists)
            QVERIFY(QFile(pdf).open(QIODevice::WriteOnly));
        ScriptedDialogs d;
        d.messageAnswers.enqueue(r.answer);
        QCOMPARE(PrintSheets(*m, target, d, {}).printed(), r.prints);
        QCOMPARE(target.file, pdf);
        QCOMPARE(d.messages().size(), qsizetype(r.exists));
        QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), int(r.prints));
    }
};

QTEST_GUILESS_MAIN(TestPrintRun)
#include "tst_printrun.moc"
