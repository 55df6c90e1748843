#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

QStringList questionFile(const QString &title, int questions)
{
    QStringList lines{title, QStringLiteral("2"), QStringLiteral("C"), QString(), QString(), QString()};
    for (int q = 1; q <= questions; ++q)
        lines << QStringLiteral("Q%1").arg(q) << QStringLiteral("H%1").arg(q) << QStringLiteral("A%1").arg(q);
    return lines;
}

} // namespace

class TestCliBank : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void loadPrintsTheBank()
    {
        writeSjisLines(path(QStringLiteral("a.qvn")), questionFile(QStringLiteral("A"), 2));
        writeSjisLines(path(QStringLiteral("b.qvn")), questionFile(QString(), 1));
        const CliRun r = runCli({QStringLiteral("load"), path(QStringLiteral("a.qvn")), path(QStringLiteral("b.qvn"))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json().value(QStringLiteral("BankQuestionCount")).toInt(), 3);
        QCOMPARE(r.json().value(QStringLiteral("PartCount")).toInt(), 4);
        QCOMPARE(r.json().value(QStringLiteral("PartSize")).toInt(), 0);
        QCOMPARE(r.json().value(QStringLiteral("LoadedTitles")).toString(), QStringLiteral("A\r\nソラリオ\r\n"));
        const QJsonArray headers = r.json().value(QStringLiteral("FileHeaders")).toArray();
        QCOMPARE(headers.size(), 2);
        QCOMPARE(headers[1].toArray(), (QJsonArray{QStringLiteral("ソラリオ"), QStringLiteral("2"), QStringLiteral("C"),
                                                   QString(), QString(), QString()}));
        const QJsonArray bank = r.json().value(QStringLiteral("QuestionBank")).toArray();
        QCOMPARE(bank.size(), 3);
        QCOMPARE(bank[2].toArray(), (QJsonArray{QStringLiteral("Q1"), QStringLiteral("H1"), QStringLiteral("A1")}));
    }

    void decodePrintsEveryPiece()
    {
        writeSjisLines(path(QStringLiteral("e.qvn")), {QStringLiteral("\\\\\\0041000D000A0042")});
        const CliRun r = runCli({QStringLiteral("decode"), path(QStringLiteral("e.qvn"))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json().value(QStringLiteral("DecodedLineCount")).toInt(), 1);
        QCOMPARE(r.json().value(QStringLiteral("FileLines")).toArray(), (QJsonArray{QStringLiteral("A"), QStringLiteral("B")}));
    }

    void refusalsAndUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTemporaryDir &d = m_dir;
        writeSjisLines(d.filePath(QStringLiteral("seven.qvn")), questionFile(QStringLiteral("S"), 0) << QStringLiteral("x"));
        writeSjisLines(d.filePath(QStringLiteral("plain.qvn")), questionFile(QStringLiteral("P"), 1));
        QFile utf8(d.filePath(QStringLiteral("utf8.qvn")));
        QVERIFY(utf8.open(QIODevice::WriteOnly));
        utf8.write(QByteArray("\xEF\xBB\xBF") + QStringLiteral("caf\u00E9\r\n1\r\n\r\n\r\n\r\n\r\n").toUtf8());
        utf8.close();
        QFile(d.filePath(QStringLiteral("empty.qvn"))).open(QIODevice::WriteOnly);
        const QString missing = d.filePath(QStringLiteral("missing.qvn"));
        const QString out = d.filePath(QStringLiteral("out.qvn"));

        QStringList files{QStringLiteral("load")};
        for (int f = 1; f <= 101; ++f)
            files << writeSjisLines(d.filePath(QStringLiteral("f%1.qvn").arg(f)), questionFile(QString::number(f), 1));
        QTest::newRow("load, 100 files") << files.mid(0, 101) << 0 << QString();
        QTest::newRow("load, 101 files") << files << 2 << QString();
        QTest::newRow("load, no file") << QStringList{QStringLiteral("load")} << 2 << QString();
        QTest::newRow("load, missing") << QStringList{QStringLiteral("load"), missing} << 1 << BrokenDataMessage;
        QTest::newRow("decode, plain file") << QStringList{QStringLiteral("decode"), d.filePath(QStringLiteral("plain.qvn"))} << 1 << QStringLiteral("◆");
        QTest::newRow("encode, no output") << QStringList{QStringLiteral("encode"), d.filePath(QStringLiteral("plain.qvn"))} << 2 << QString();
        QTest::newRow("encode, broken") << QStringList{QStringLiteral("encode"), d.filePath(QStringLiteral("seven.qvn")), QStringLiteral("-o"), out} << 1 << BrokenDataMessage;
        // An empty payload reads as broken, so an empty file would not load back.
        QTest::newRow("encode, empty file")
            << QStringList{QStringLiteral("encode"), d.filePath(QStringLiteral("empty.qvn")), QStringLiteral("-o"), out} << 1 << QStringLiteral("空のファイル");
        QTest::newRow("encode, character outside the code page")
            << QStringList{QStringLiteral("encode"), d.filePath(QStringLiteral("utf8.qvn")), QStringLiteral("-o"), out} << 1 << QStringLiteral("1行目");
        QTest::newRow("encode, folder missing")
            << QStringList{QStringLiteral("encode"), d.filePath(QStringLiteral("plain.qvn")), QStringLiteral("-o"), d.filePath(QStringLiteral("no/out.qvn"))}
            << 1 << QStringLiteral("書き込めません");
    }

    void refusalsAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const CliRun r = runCli(args);
        QTEST(r.exitCode, "exitCode");
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("out.qvn"))));
        if (r.exitCode == 0) // the one row that loads: 100 files of one question
            QCOMPARE(r.json().value(QStringLiteral("BankQuestionCount")).toInt(), 100);
    }

    // Any file that loads, encoded, loads to the same bank; encoding again changes nothing.
    void encodedFilesLoadTheSame_data()
    {
        QTest::addColumn<QStringList>("lines");
        // Text of every kind a question file holds, the encoding's symbols included.
        const QString all = QStringLiteral(
            "abcXYZ019 .,?!~^/\\+-*]:@()\"'あいうアイウ漢字表能　、。〔〕～ｱｲｳﾞﾟ①Ⅹ㈱≒纊ⅰ￢");
        QTest::newRow("every kind of character")
            << QStringList{all, QStringLiteral("2.5"), all, QString(), all, QString(),
                           all, QStringLiteral(" q "), all, QString(), QString(), QStringLiteral("　")};
        QTest::newRow("blank lines, part count a word")
            << QStringList{QString(), QStringLiteral("abc"), QString(), QString(), QString(), QString(),
                           QString(), QString(), QString()};
    }

    void encodedFilesLoadTheSame()
    {
        QFETCH(QStringList, lines);
        const QString plain = writeSjisLines(path(QStringLiteral("p.qvn")), lines);
        const QString once = path(QStringLiteral("e1.qvn"));
        const QString twice = path(QStringLiteral("e2.qvn"));
        const CliRun expected = runCli({QStringLiteral("load"), plain});
        QCOMPARE(expected.exitCode, 0);
        QCOMPARE(runCli({QStringLiteral("encode"), plain, QStringLiteral("-o"), once}).exitCode, 0);
        QVERIFY(readBytes(once).startsWith("\\\\\\"));
        QCOMPARE(runCli({QStringLiteral("encode"), once, QStringLiteral("-o"), twice}).exitCode, 0);
        for (const QString &encoded : {once, twice}) {
            const CliRun r = runCli({QStringLiteral("load"), encoded});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.json(), expected.json());
        }
    }
};

QTEST_GUILESS_MAIN(TestCliBank)
#include "tst_CliBank.moc"
