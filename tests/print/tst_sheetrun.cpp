// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of several sheets: their own draws, sheet numbers and answer pages, one
// capacity prompt, and a run of one sheet exactly as before.
#include "PrintTestSupport.h"

#include "support/ScriptedDialogs.h"

#include "print/TraceJson.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

Q_DECLARE_METATYPE(sorario::MessageAnswer)

namespace {

// Draws "S<sheet>Q<n>" / "S<sheet>A<n>" at the count asked; the question named in
// `tall` takes three lines, so its sheet fits two questions less.
struct Draws
{
    QList<int> sheets;
    QList<int> counts;
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
    m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
    return m;
}

QStringList sheetNumbers(const PrintLog &log)
{
    QStringList out;
    for (const QString &t : textsOn(log))
        if (t.contains(u"SheetNo."_s))
            out.append(t);
    return out;
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

class TestSheetRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void sheets_data()
    {
        QTest::addColumn<int>("sheets");
        QTest::addColumn<int>("answers");
        QTest::addColumn<QStringList>("numbers");
        QTest::addColumn<QStringList>("pageEnds");
        const QString no = u"T1(SheetNo.:03051407"_s;
        QTest::newRow("three sheets") << 3 << 2 << QStringList {no + u"-1)"_s, no + u"-2)"_s, no + u"-3)"_s}
                                      << QStringList {u"S1Q3"_s, u"S2Q3"_s, u"S3Q3"_s};
        QTest::newRow("two sheets, answers after each")
            << 2 << 1 << QStringList {no + u"-1)"_s, no + u"-1)"_s, no + u"-2)"_s, no + u"-2)"_s}
            << QStringList {u"S1Q3"_s, u"S1A3"_s, u"S2Q3"_s, u"S2A3"_s};
    }
    void sheets()
    {
        QFETCH(int, sheets);
        QFETCH(int, answers);
        auto m = sheetModule(sheets, 3, answers);
        m->FileHeaders(1, 3) = u"T1"_s;
        Draws draws;
        RecordingSurface s;
        ScriptedDialogs d;
        QList<SheetOutcome> outcomes;
        QVERIFY(PrintSheets(*m, s, d, draws.on(*m), &outcomes).printed());

        QCOMPARE(d.kinds(), QStringList {u"print"_s});
        QCOMPARE(draws.sheets.size(), sheets);
        for (int k = 0; k < sheets; ++k)
            QCOMPARE(draws.sheets[k], k + 1);
        QTEST(sheetNumbers(s.log()), "numbers");
        QTEST(::pageEnds(s.log()), "pageEnds");
        QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), 1);
        QCOMPARE(outcomes.size(), sheets);
        QCOMPARE(int(m->SheetIndex), 0);
    }

    // Three sheets of 42 asked questions; 41 fit sheets 1 and 3, 39 sheet 2. With
    // `asked` 40 only sheet 2 overflows, so the prompt comes there.
    void oneAnswerForEverySheet_data()
    {
        QTest::addColumn<int>("asked");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<QString>("prompt");
        QTest::addColumn<QList<int>>("printed");
        QTest::addColumn<QList<int>>("modes");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("yes: what fits of each draw")
            << 42 << MessageAnswer::Yes << CapacityPromptText(41, 42) << QList<int> {41, 39, 41}
            << QList<int> {1, 1, 1} << 3 << 41;
        QTest::newRow("cancel: nothing") << 42 << MessageAnswer::Cancel << CapacityPromptText(41, 42)
                                         << QList<int> {} << QList<int> {} << 0 << 42;
        QTest::newRow("only a later sheet overflows")
            << 40 << MessageAnswer::Yes << CapacityPromptText(39, 40) << QList<int> {40, 39, 40}
            << QList<int> {1, 1, 1} << 3 << 40;
    }
    void oneAnswerForEverySheet()
    {
        QFETCH(int, asked);
        QFETCH(MessageAnswer, answer);
        QFETCH(QString, prompt);
        QFETCH(QList<int>, printed);
        auto m = sheetModule(3, asked, 2);
        Draws draws;
        draws.tall = u"S2Q1"_s;
        RecordingSurface s;
        ScriptedDialogs d;
        d.messageAnswers.enqueue(answer);
        QList<SheetOutcome> outcomes;
        QCOMPARE(PrintSheets(*m, s, d, draws.on(*m), &outcomes).printed(), !printed.isEmpty());

        QCOMPARE(d.messages(), QStringList {prompt});
        QList<int> counts, printModes;
        for (const SheetOutcome &o : outcomes) {
            counts.append(o.QuestionCount);
            printModes.append(o.PrintMode);
        }
        QCOMPARE(counts, printed);
        QTEST(printModes, "modes");
        // Every sheet draws at the count asked, not at what fitted the one before.
        for (int c : draws.counts)
            QCOMPARE(c, asked);
        QTEST(s.log().pagesDelivered(), "pages");
        QTEST(int(m->QuestionCount), "countAfter");
        if (printed.isEmpty()) {
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::KillDoc), 1);
            QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), 0);
        } else {
            // Fitted sheets stop at their own last fitting question, each on its page.
            QCOMPARE(::pageEnds(s.log()),
                (QStringList {
                    u"S1Q%1"_s.arg(printed[0]), u"S2Q%1"_s.arg(printed[1]), u"S3Q%1"_s.arg(printed[2])}));
        }
    }
};

QTEST_GUILESS_MAIN(TestSheetRun)
#include "tst_sheetrun.moc"
