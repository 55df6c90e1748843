// SPDX-License-Identifier: GPL-3.0-or-later
// Print runs: metrics, the capacity prompt and shrinking to fit, replacing a file,
// failures, and runs of several sheets with their own draws and numbers.
#include "PrintTestSupport.h"

#include "support/ScriptedDialogs.h"

#include "print/PrintTarget.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

// Draws "S<sheet>Q<n>" / "S<sheet>A<n>" at the count asked; the question named in
// `tall` takes three lines, so its sheet fits two questions less.
struct Draws
{
    QList<int> sheets, counts;
    QString tall;

    DrawSheet on(Module1 &m)
    {
        return [this, &m](int sheet) {
            sheets.append(sheet);
            counts.append(m.QuestionCount);
            for (int n = 1; n <= m.QuestionCount; ++n) {
                const QString q = u"S%1Q%2"_s.arg(sheet).arg(n);
                m.DrawnQuestions(n)
                    = {q == tall ? q + u"\\/x\\/y"_s : q, QString(), u"S%1A%2"_s.arg(sheet).arg(n)};
            }
        };
    }
};

std::unique_ptr<Module1> sheetModule(int sheets, int count, int attachAnswers)
{
    auto m = moduleWith(plainQuestions(count), 2, attachAnswers);
    m->SheetCount = static_cast<std::int16_t>(sheets);
    m->FileHeaders(1, 3) = u"T1"_s;
    m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    return m;
}

// The last text of every page: which sheet's questions or answers ended there.
QStringList pageEnds(const PrintLog &log)
{
    QStringList out;
    for (int page = 1; page <= log.currentPage(); ++page) {
        const QString last = textsOn(log, page).last();
        out.append(last.mid(last.lastIndexOf(u'S')));
    }
    return out;
}

} // namespace

class TestPrintRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metrics()
    {
        const struct
        {
            int size, charHeight, firstPageLines, nextPageLines;
        } rows[] = {
            {8, 3, 52, 57}, // no line below 242 mm
            {12, 4, 40, 45}, // 4.5 rounds to even
            {20, 8, 20, 22}, // 7.5 rounds to even
        };
        for (const auto &r : rows) {
            auto m = moduleWith({});
            m->FontSize = static_cast<std::int16_t>(r.size);
            RecordingSurface s;
            SetPrintMetrics(*m, s);
            QCOMPARE(s.fontSize(), double(r.size));
            QCOMPARE(int(m->CharHeight), r.charHeight);
            QCOMPARE(int(m->FirstPageLines), r.firstPageLines);
            QCOMPARE(int(m->NextPageLines), r.nextPageLines);
        }
    }

    // Answers on their own page after the questions; 41 one-line questions fit.
    void capacity()
    {
        const struct
        {
            int questions = 42;
            bool dialogOk = true;
            MessageAnswer answer = MessageAnswer::Yes;
            int questionCount, printMode = 1, pages;
            QString lastAnswer {}; // empty when nothing was printed
        } rows[] = {
            {.questions = 10, .questionCount = 10, .pages = 2, .lastAnswer = u"　■　A10"_s},
            {.questionCount = 41, .pages = 3, .lastAnswer = u"　■　A41"_s},
            {.answer = MessageAnswer::No,
                .questionCount = 42,
                .printMode = 2,
                .pages = 4,
                .lastAnswer = u"　■　A42"_s},
            {.answer = MessageAnswer::Cancel, .questionCount = 42, .pages = 0},
            {.dialogOk = false, .questionCount = 42, .pages = 0}, // asks nothing more
        };
        for (const auto &r : rows) {
            auto m = moduleWith(plainQuestions(r.questions), 2, 1);
            RecordingSurface s;
            ScriptedDialogs d;
            d.printAnswers.enqueue(r.dialogOk);
            d.messageAnswers.enqueue(r.answer);
            QCOMPARE(PrintSheet(*m, s, d).printed(), !r.lastAnswer.isEmpty());
            QCOMPARE(int(m->QuestionCount), r.questionCount);
            QCOMPARE(int(m->PrintMode), r.printMode);
            QCOMPARE(s.log().pagesDelivered(), r.pages);
            const bool asked = r.dialogOk && r.questions > 41;
            QCOMPARE(d.messages(), asked ? QStringList {CapacityPromptText(41, 42)} : QStringList {});
            if (asked)
                QCOMPARE(int(m->FitCount), 41);
            if (!r.dialogOk)
                QVERIFY(s.log().operations().isEmpty());
            else
                QCOMPARE(s.log().operations().last().kind,
                    r.lastAnswer.isEmpty() ? PrintOperation::Kind::KillDoc : PrintOperation::Kind::EndDoc);
            if (!r.lastAnswer.isEmpty())
                QCOMPARE(s.log().texts().last().text, r.lastAnswer);
        }
    }

    // Shrinking to fit: one-line questions at 10 points, 41 fit; 52 at 9 or 8 points.
    void fit()
    {
        const struct
        {
            bool fit = true;
            int questions, fittedSize = 0;
            bool asked = false;
        } rows[] = {
            {.questions = 41},
            {.questions = 45, .fittedSize = 9}, // the largest size that fits
            {.questions = 60, .asked = true}, // not even at 8: asked at the chosen size
            {.fit = false, .questions = 45, .asked = true},
        };
        for (const auto &r : rows) {
            auto m = moduleWith(plainQuestions(r.questions));
            m->OverflowRule = r.fit ? Overflow::ShrinkFirst : Overflow::Ask;
            RecordingSurface s;
            ScriptedDialogs d;
            d.messageAnswers.enqueue(MessageAnswer::No);
            QVERIFY(PrintSheet(*m, s, d).printed());
            QCOMPARE(d.messages().size(), r.asked ? 1 : 0);
            QCOMPARE(int(m->FittedSize), r.fittedSize);
            QCOMPARE(int(m->FontSize), 10);
            QCOMPARE(s.log().texts(1).last().size, r.fittedSize > 0 ? r.fittedSize : 10.0);
            QCOMPARE(s.log().pagesDelivered(), r.asked ? 2 : 1);
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
        const struct
        {
            bool exists;
            MessageAnswer answer;
            bool printed;
        } rows[] = {{false, MessageAnswer::No, true}, {true, MessageAnswer::Yes, true},
            {true, MessageAnswer::No, false}};
        for (const auto &r : rows) {
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
            QCOMPARE(PrintSheets(*m, target, d, {}).printed(), r.printed);
            QCOMPARE(target.file, pdf);
            QCOMPARE(d.messages().size(), r.exists ? 1 : 0);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), r.printed ? 1 : 0);
        }
    }

    // Whatever goes wrong, the run discards its document instead of ending it, and
    // a font too large for a line ends instead of looping.
    void failedRunsDiscardTheDocument()
    {
        const struct
        {
            int fontSize, failAt;
        } rows[] = {
            {0, 0}, {10, 40}, // a printer error on the answer page
            {10, 58}, // at the end
            {1000, 0}, // too large for one character
            {240, 0}, // only the indent fits
        };
        for (const auto &r : rows) {
            auto m = moduleWith(plainQuestions(10), 2, 1);
            m->FontSize = static_cast<std::int16_t>(r.fontSize);
            RecordingSurface s;
            s.failAtOperation(r.failAt);
            ScriptedDialogs d;
            d.messageAnswers.enqueue(MessageAnswer::No);
            QVERIFY(!PrintSheet(*m, s, d).printed());
            QCOMPARE(s.log().operations().last().kind, PrintOperation::Kind::KillDoc);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), 0);
        }
    }

    // The measuring pass counts the lines of a too large font without stopping:
    // Yes at the prompt prints no question, so the run can finish with the header.
    void tooLargeFontStillPrintsTheFittedHeader()
    {
        auto m = moduleWith(plainQuestions(2), 2, 2);
        m->FontSize = 1000;
        RecordingSurface s;
        ScriptedDialogs d;
        d.messageAnswers.enqueue(MessageAnswer::Yes);
        QVERIFY(PrintSheet(*m, s, d).printed());
        QCOMPARE(int(m->QuestionCount), 0);
        QCOMPARE(s.log().texts().size(), 8);
    }

    // Every sheet is drawn in turn, numbered, and followed by its answers when asked.
    void sheets()
    {
        const QString no = u"T1(SheetNo.:03051407-%1)"_s;
        const struct
        {
            int sheets, answers;
            QStringList numbers, pageEnds;
        } rows[] = {
            {3, 2, {no.arg(1), no.arg(2), no.arg(3)}, {u"S1Q3"_s, u"S2Q3"_s, u"S3Q3"_s}},
            {2, 1, {no.arg(1), no.arg(1), no.arg(2), no.arg(2)},
                {u"S1Q3"_s, u"S1A3"_s, u"S2Q3"_s, u"S2A3"_s}},
        };
        for (const auto &r : rows) {
            auto m = sheetModule(r.sheets, 3, r.answers);
            Draws draws;
            RecordingSurface s;
            ScriptedDialogs d;
            QList<SheetOutcome> outcomes;
            QVERIFY(PrintSheets(*m, s, d, draws.on(*m), &outcomes).printed());
            QCOMPARE(d.kinds(), QStringList {u"print"_s});
            QCOMPARE(draws.sheets, QList<int>({1, 2, 3}).first(r.sheets));
            QCOMPARE(textsOn(s.log()).filter(u"SheetNo."_s), r.numbers);
            QCOMPARE(pageEnds(s.log()), r.pageEnds);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), 1);
            QCOMPARE(outcomes.size(), r.sheets);
            QCOMPARE(int(m->SheetIndex), 0);
        }
    }

    // Three sheets of 42 asked questions; 41 fit sheets 1 and 3, 39 sheet 2. With
    // `asked` 40 only sheet 2 overflows, so the one prompt comes there.
    void oneAnswerForEverySheet()
    {
        const struct
        {
            int asked;
            MessageAnswer answer;
            QString prompt;
            QList<int> printed;
        } rows[] = {
            {42, MessageAnswer::Yes, CapacityPromptText(41, 42), {41, 39, 41}}, // what fits of each draw
            {42, MessageAnswer::Cancel, CapacityPromptText(41, 42), {}},
            {40, MessageAnswer::Yes, CapacityPromptText(39, 40), {40, 39, 40}},
        };
        for (const auto &r : rows) {
            auto m = sheetModule(3, r.asked, 2);
            Draws draws;
            draws.tall = u"S2Q1"_s;
            RecordingSurface s;
            ScriptedDialogs d;
            d.messageAnswers.enqueue(r.answer);
            QList<SheetOutcome> outcomes;
            QCOMPARE(PrintSheets(*m, s, d, draws.on(*m), &outcomes).printed(), !r.printed.isEmpty());
            QCOMPARE(d.messages(), QStringList {r.prompt});
            QList<int> counts;
            QStringList ends;
            for (const SheetOutcome &o : outcomes) {
                counts.append(o.QuestionCount);
                QCOMPARE(int(o.PrintMode), 1);
                ends.append(u"S%1Q%2"_s.arg(counts.size()).arg(o.QuestionCount));
            }
            QCOMPARE(counts, r.printed);
            // Every sheet draws at the count asked, not at what fitted the one before.
            for (int c : draws.counts)
                QCOMPARE(c, r.asked);
            QCOMPARE(s.log().pagesDelivered(), int(r.printed.size()));
            QCOMPARE(int(m->QuestionCount), r.printed.isEmpty() ? r.asked : r.printed[0]);
            // Fitted sheets stop at their own last fitting question, each on its page;
            // a cancelled run discards its one document.
            if (!ends.isEmpty())
                QCOMPARE(pageEnds(s.log()), ends);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::KillDoc), r.printed.isEmpty() ? 1 : 0);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), r.printed.isEmpty() ? 0 : 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestPrintRun)
#include "tst_printrun.moc"
