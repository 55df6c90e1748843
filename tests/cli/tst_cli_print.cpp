#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

namespace {

struct Run
{
    int exitCode = -1;
    QString err;
    QJsonObject summary;
    QJsonArray trace;
};

// 50 one-line questions: 41 fit the first page.
QString writeQuestions(const QString &folder)
{
    QStringList lines {u"文法"_s, u"1"_s, u"CODE"_s, QString(), QString(), QString()};
    for (int i = 1; i <= 50; ++i)
        lines << u"Q%1"_s.arg(i) << u"**"_s << u"A%1"_s.arg(i);
    return writeSjisLines(folder + u"/q.qvn"_s, lines);
}

Run runPrint(const QTemporaryDir &dir, const QStringList &extra)
{
    const QString trace = dir.filePath(u"t.json"_s);
    QFile::remove(trace);
    const CliRun run = runCli(
        QStringList {u"print"_s, writeQuestions(dir.path()), u"--all"_s, u"--count"_s, u"50"_s, u"--layout"_s,
            u"2"_s, u"--seed"_s, u"3"_s, u"--font"_s, u"ＭＳ Ｐ明朝"_s, u"--logo"_s, u"ロゴ"_s, u"--now"_s,
            u"2024-03-05T14:07"_s, u"--trace"_s, trace, u"-o"_s, dir.filePath(u"out.pdf"_s)}
        + extra);
    return {run.exitCode, run.err, run.json(), QJsonDocument::fromJson(readBytes(trace)).array()};
}

} // namespace

class TestCliPrint : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void overflowAnswers_data()
    {
        QTest::addColumn<QString>("overflow");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<int>("printMode");
        QTest::addColumn<int>("pages");
        QTest::newRow("yes") << u"yes"_s << 0 << 41 << 1 << 1;
        QTest::newRow("cancel") << u"cancel"_s << 1 << 50 << 1 << 0;
    }
    void overflowAnswers()
    {
        QFETCH(QString, overflow);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const Run r = runPrint(dir,
            {u"--answers"_s, u"2"_s, u"--size"_s, u"10"_s, u"--metrics"_s, u"fixed"_s, u"--overflow"_s,
                overflow});
        QTEST(r.exitCode, "exitCode");
        QTEST(r.summary[u"QuestionCount"_s].toInt(), "questionCount");
        QTEST(r.summary[u"PrintMode"_s].toInt(), "printMode");
        QCOMPARE(r.summary[u"pages"_s].toInt(), pages);
        QCOMPARE(r.summary[u"OverCapacity"_s].toInt(), 1);
        QCOMPARE(r.summary[u"FitCount"_s].toInt(), 41);
        QCOMPARE(r.summary[u"CharHeight"_s].toInt(), 4);
        QCOMPARE(r.summary[u"FirstPageLines"_s].toInt(), 40);
        QCOMPARE(r.summary[u"NextPageLines"_s].toInt(), 45);
        QCOMPARE(r.summary[u"DrawnQuestions"_s].toArray().size(), 50);
        QCOMPARE(QFile::exists(dir.filePath(u"out.pdf"_s)), pages > 0);
        QCOMPARE(r.trace.last().toObject()[u"op"_s].toString(), pages > 0 ? u"endDoc"_s : u"killDoc"_s);
    }

    // The vertical-writing face is printed as its plain face, as the window keeps it.
    void traceOfTheHeader()
    {
        QTemporaryDir dir;
        const Run r
            = runPrint(dir, {u"--size"_s, u"10"_s, u"--metrics"_s, u"fixed"_s, u"--font"_s, u"@ＭＳ 明朝"_s});
        QCOMPARE(r.exitCode, 0);
        const QByteArray json = QJsonDocument(r.trace).toJson(QJsonDocument::Compact);
        QVERIFY(json.contains(u"\"font\":\"ＭＳ 明朝\""_s.toUtf8()) && !json.contains("@"));
        const QJsonObject number = r.trace[5].toObject();
        QCOMPARE(number[u"text"_s].toString(), u"CODE(SheetNo.:03051407)"_s);
        QCOMPARE(number[u"x"_s].toDouble(), 12.0);
        const QJsonObject logo = r.trace[6].toObject();
        QCOMPARE(logo[u"text"_s].toString(), u"ロゴ"_s);
        QCOMPARE(logo[u"x"_s].toDouble(), 167 - 2 * 2.75);
        // No prompt answer given: all 50 questions on two pages, 100 answer lines on three.
        QCOMPARE(r.summary[u"pages"_s].toInt(), 5);
        QVERIFY(readBytes(dir.filePath(u"out.pdf"_s)).startsWith("%PDF"));
    }

    void realFontsWriteAPdf()
    {
        QTemporaryDir dir;
        const Run r
            = runPrint(dir, {u"--size"_s, u"10"_s, u"--answers"_s, u"2"_s, u"--overflow"_s, u"yes"_s});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.summary[u"pages"_s].toInt(), 1);
        QVERIFY(readBytes(dir.filePath(u"out.pdf"_s)).startsWith("%PDF"));
    }

    // Three sheets, one Yes for all: the summary keeps its keys for sheet 1 and lists
    // every sheet's own draw; one sheet adds nothing.
    void sheets()
    {
        QTemporaryDir dir;
        const QStringList fixed{u"--size"_s, u"10"_s, u"--metrics"_s, u"fixed"_s, u"--answers"_s, u"2"_s};
        const Run one = runPrint(dir, fixed + QStringList{u"--sheets"_s, u"1"_s});
        QVERIFY(!one.summary.contains(u"Sheets"_s));
        const Run r = runPrint(dir, fixed + QStringList{u"--overflow"_s, u"yes"_s, u"--sheets"_s, u"3"_s});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.summary[u"pages"_s].toInt(), 3);
        QCOMPARE(r.summary[u"QuestionCount"_s].toInt(), 41);
        const QJsonArray sheets = r.summary[u"Sheets"_s].toArray();
        QCOMPARE(sheets.size(), 3);
        QCOMPARE(r.summary[u"DrawnQuestions"_s], sheets[0][u"DrawnQuestions"_s]);
        QVERIFY(sheets[1][u"DrawnQuestions"_s] != sheets[0][u"DrawnQuestions"_s]);
        QCOMPARE(sheets[2][u"QuestionCount"_s].toInt(), 41);
        QCOMPARE(r.trace[5][u"text"_s].toString(), u"CODE(SheetNo.:03051407-1)"_s);
    }

    // Every refusal says why on standard error.
    void refusals_data()
    {
        QTest::addColumn<QStringList>("extra"); // DIR: the run's folder
        QTest::addColumn<int>("exitCode");
        QTest::newRow("size 7") << QStringList {u"--size"_s, u"7"_s} << 2;
        QTest::newRow("size 41") << QStringList {u"--size"_s, u"41"_s} << 2;
        QTest::newRow("size not a number") << QStringList {u"--size"_s, u"ten"_s} << 2;
        QTest::newRow("PDF folder missing") << QStringList {u"-o"_s, u"DIR/none/out.pdf"_s} << 1;
        QTest::newRow("PDF folder missing, fixed metrics")
            << QStringList {u"--metrics"_s, u"fixed"_s, u"-o"_s, u"DIR/none/out.pdf"_s} << 1;
        QTest::newRow("PDF names a folder") << QStringList {u"-o"_s, u"DIR"_s} << 1;
        QTest::newRow("trace folder missing")
            << QStringList {u"--metrics"_s, u"fixed"_s, u"--trace"_s, u"DIR/none/t.json"_s} << 1;
    }
    void refusals()
    {
        QFETCH(QStringList, extra);
        QTemporaryDir dir;
        extra.replaceInStrings(u"DIR"_s, dir.path());
        const Run r = runPrint(dir, extra);
        QTEST(r.exitCode, "exitCode");
        QVERIFY(!r.err.isEmpty());
        if (r.exitCode == 2) // refused before anything was drawn
            QVERIFY(!QFile::exists(dir.filePath(u"out.pdf"_s)));
    }
};

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cli_print.moc"
