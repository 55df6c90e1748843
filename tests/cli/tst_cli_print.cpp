#include "support/TestFiles.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

struct Run
{
    int exitCode = -1;
    QJsonObject summary;
    QJsonArray trace;
};

// 50 one-line questions: 41 fit the first page.
QString writeQuestions(const QString &folder)
{
    QStringList lines{QStringLiteral("文法"), QStringLiteral("1"), QStringLiteral("CODE"),
                      QString(), QString(), QString()};
    for (int i = 1; i <= 50; ++i)
        lines << QStringLiteral("Q%1").arg(i) << QStringLiteral("**") << QStringLiteral("A%1").arg(i);
    return writeSjisLines(folder + QStringLiteral("/q.qvn"), lines);
}

Run runPrint(const QTemporaryDir &dir, const QStringList &extra)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    QProcess p;
    p.setProcessEnvironment(env);
    const QString trace = dir.filePath(QStringLiteral("t.json"));
    QFile::remove(trace);
    p.start(QStringLiteral(SORARIO_CLI),
            QStringList{QStringLiteral("print"), writeQuestions(dir.path()), QStringLiteral("--all"),
                        QStringLiteral("--count"), QStringLiteral("50"), QStringLiteral("--layout"),
                        QStringLiteral("2"), QStringLiteral("--seed"), QStringLiteral("3"),
                        QStringLiteral("--font"), QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("--logo"),
                        QStringLiteral("ロゴ"), QStringLiteral("--now"), QStringLiteral("2024-03-05T14:07"),
                        QStringLiteral("--trace"), trace, QStringLiteral("-o"),
                        dir.filePath(QStringLiteral("out.pdf"))} +
                extra);
    if (!p.waitForFinished(60000))
        return {};
    Run r;
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.summary = QJsonDocument::fromJson(p.readAllStandardOutput()).object();
    r.trace = QJsonDocument::fromJson(readBytes(trace)).array();
    return r;
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
        QTest::newRow("yes") << QStringLiteral("yes") << 0 << 41 << 1 << 1;
        QTest::newRow("no") << QStringLiteral("no") << 0 << 50 << 2 << 2;
        QTest::newRow("cancel") << QStringLiteral("cancel") << 1 << 50 << 1 << 0;
    }
    void overflowAnswers()
    {
        QFETCH(QString, overflow);
        QFETCH(int, exitCode);
        QFETCH(int, questionCount);
        QFETCH(int, printMode);
        QFETCH(int, pages);
        QTemporaryDir dir;
        const Run r = runPrint(dir, {QStringLiteral("--answers"), QStringLiteral("2"), QStringLiteral("--size"),
                                     QStringLiteral("10"), QStringLiteral("--metrics"), QStringLiteral("fixed"),
                                     QStringLiteral("--overflow"), overflow});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(r.summary[QStringLiteral("QuestionCount")].toInt(), questionCount);
        QCOMPARE(r.summary[QStringLiteral("PrintMode")].toInt(), printMode);
        QCOMPARE(r.summary[QStringLiteral("pages")].toInt(), pages);
        QCOMPARE(r.summary[QStringLiteral("OverCapacity")].toInt(), 1);
        QCOMPARE(r.summary[QStringLiteral("FitCount")].toInt(), 41);
        QCOMPARE(r.summary[QStringLiteral("CharHeight")].toInt(), 4);
        QCOMPARE(r.summary[QStringLiteral("FirstPageLines")].toInt(), 40);
        QCOMPARE(r.summary[QStringLiteral("NextPageLines")].toInt(), 45);
        QCOMPARE(r.summary[QStringLiteral("DrawnQuestions")].toArray().size(), 50);
        QCOMPARE(QFile::exists(dir.filePath(QStringLiteral("out.pdf"))), pages > 0);
        QCOMPARE(r.trace.last().toObject()[QStringLiteral("op")].toString(),
                 pages > 0 ? QStringLiteral("endDoc") : QStringLiteral("killDoc"));
    }

    void traceOfTheHeader()
    {
        QTemporaryDir dir;
        const Run r = runPrint(dir, {QStringLiteral("--size"), QStringLiteral("10"),
                                     QStringLiteral("--metrics"), QStringLiteral("fixed")});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject number = r.trace[5].toObject();
        QCOMPARE(number[QStringLiteral("text")].toString(), QStringLiteral("CODE(SheetNo.:03051407)"));
        QCOMPARE(number[QStringLiteral("x")].toDouble(), 12.0);
        const QJsonObject logo = r.trace[6].toObject();
        QCOMPARE(logo[QStringLiteral("text")].toString(), QStringLiteral("ロゴ"));
        QCOMPARE(logo[QStringLiteral("x")].toDouble(), 167 - 2 * 2.75);
        // No prompt answer given: all 50 questions on two pages, 100 answer lines on three.
        QCOMPARE(r.summary[QStringLiteral("pages")].toInt(), 5);
        QVERIFY(readBytes(dir.filePath(QStringLiteral("out.pdf"))).startsWith("%PDF"));
    }

    void realFontsWriteAPdf()
    {
        QTemporaryDir dir;
        const Run r = runPrint(dir, {QStringLiteral("--size"), QStringLiteral("10"), QStringLiteral("--answers"),
                                     QStringLiteral("2"), QStringLiteral("--overflow"), QStringLiteral("yes")});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.summary[QStringLiteral("pages")].toInt(), 1);
        QVERIFY(readBytes(dir.filePath(QStringLiteral("out.pdf"))).startsWith("%PDF"));
    }

    void unprintableFontSizeFails()
    {
        QTemporaryDir dir;
        const Run r = runPrint(dir, {QStringLiteral("--size"), QStringLiteral("0")});
        QCOMPARE(r.exitCode, 1);
        QCOMPARE(r.summary[QStringLiteral("pages")].toInt(), 0);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("out.pdf"))));
    }

    void usageErrors_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::newRow("overflow") << QStringList{QStringLiteral("--overflow"), QStringLiteral("maybe")};
        QTest::newRow("metrics") << QStringList{QStringLiteral("--metrics"), QStringLiteral("real")};
        QTest::newRow("now") << QStringList{QStringLiteral("--now"), QStringLiteral("2024-13-40T99:00")};
        QTest::newRow("answers") << QStringList{QStringLiteral("--answers"), QStringLiteral("3")};
    }
    void usageErrors()
    {
        QFETCH(QStringList, extra);
        QTemporaryDir dir;
        QCOMPARE(runPrint(dir, extra).exitCode, 2);
    }
};

QTEST_GUILESS_MAIN(TestCliPrint)
#include "tst_cli_print.moc"
