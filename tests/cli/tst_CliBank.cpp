#include "platform/LineFile.h"

#include "support/BankFiles.h"
#include "support/CliRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

class TestCliBank : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void loadPrintsTheBank()
    {
        writeSjisLines(
            path(QStringLiteral("a.qvn")), questionFile(QStringLiteral("A"), QStringLiteral("2"), 2));
        writeSjisLines(path(QStringLiteral("b.qvn")), questionFile(QString(), QStringLiteral("2"), 1));
        const CliRun r
            = runCli({QStringLiteral("load"), path(QStringLiteral("a.qvn")), path(QStringLiteral("b.qvn"))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json().value(QStringLiteral("BankQuestionCount")).toInt(), 3);
        QCOMPARE(r.json().value(QStringLiteral("PartCount")).toInt(), 4);
        QCOMPARE(r.json().value(QStringLiteral("PartSize")).toInt(), 0);
        QCOMPARE(
            r.json().value(QStringLiteral("LoadedTitles")).toString(), QStringLiteral("A\r\nソラリオ\r\n"));
        const QJsonArray headers = r.json().value(QStringLiteral("FileHeaders")).toArray();
        QCOMPARE(headers.size(), 2);
        QCOMPARE(headers[1].toArray(),
            (QJsonArray {QStringLiteral("ソラリオ"), QStringLiteral("2"), QStringLiteral("S"), QString(),
                QString(), QString()}));
        const QJsonArray bank = r.json().value(QStringLiteral("QuestionBank")).toArray();
        QCOMPARE(bank.size(), 3);
        QCOMPARE(bank[2].toArray(),
            (QJsonArray {QStringLiteral("q1"), QStringLiteral("h"), QStringLiteral("a1")}));
    }

    void decodePrintsEveryPiece()
    {
        writeSjisLines(path(QStringLiteral("e.qvn")), {QStringLiteral("\\\\\\0041000D000A0042")});
        const CliRun r = runCli({QStringLiteral("decode"), path(QStringLiteral("e.qvn"))});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json().value(QStringLiteral("DecodedLineCount")).toInt(), 1);
        QCOMPARE(r.json().value(QStringLiteral("FileLines")).toArray(),
            (QJsonArray {QStringLiteral("A"), QStringLiteral("B")}));
    }

    void refusalsAndUsage_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("message");

        QTemporaryDir &d = m_dir;
        writeSjisLines(d.filePath(QStringLiteral("seven.qvn")),
            questionFile(QStringLiteral("S"), QStringLiteral("2"), 0) << QStringLiteral("x"));
        writeSjisLines(d.filePath(QStringLiteral("plain.qvn")),
            questionFile(QStringLiteral("P"), QStringLiteral("2"), 1));
        QFile utf8(d.filePath(QStringLiteral("utf8.qvn")));
        QVERIFY(utf8.open(QIODevice::WriteOnly));
        utf8.write(
            QByteArray("\xEF\xBB\xBF") + QStringLiteral("caf\u00E9\r\n1\r\n\r\n\r\n\r\n\r\n").toUtf8());
        utf8.close();
        QFile(d.filePath(QStringLiteral("empty.qvn"))).open(QIODevice::WriteOnly);
        const QString missing = d.filePath(QStringLiteral("missing.qvn"));
        const QString out = d.filePath(QStringLiteral("out.qvn"));

        QStringList files {QStringLiteral("load")};
        for (int f = 1; f <= 101; ++f)
            files << writeSjisLines(d.filePath(QStringLiteral("f%1.qvn").arg(f)),
                questionFile(QString::number(f), QStringLiteral("2"), 1));
        QTest::newRow("load, 100 files") << files.mid(0, 101) << 0 << QString();
        QTest::newRow("load, 101 files") << files << 2 << QString();
        QTest::newRow("load, no file") << QStringList {QStringLiteral("load")} << 2 << QString();
        // The command line names a file it cannot read, even one that is not there.
        QTest::newRow("load, missing") << QStringList {QStringLiteral("load"), missing} << 1 << missing;
        QTest::newRow("decode, missing")
            << QStringList {QStringLiteral("decode"), missing, QStringLiteral("-o"), out} << 1 << missing;
        QTest::newRow("decode, plain file")
            << QStringList {QStringLiteral("decode"), d.filePath(QStringLiteral("plain.qvn"))} << 1
            << QStringLiteral("◆");
        QTest::newRow("encode, no output")
            << QStringList {QStringLiteral("encode"), d.filePath(QStringLiteral("plain.qvn"))} << 2
            << QString();
        QTest::newRow("encode, broken") << QStringList {QStringLiteral("encode"),
            d.filePath(QStringLiteral("seven.qvn")), QStringLiteral("-o"), out}
                                        << 1 << BrokenDataMessage;
        // An empty payload reads as broken, so an empty file would not load back.
        QTest::newRow("encode, empty file") << QStringList {QStringLiteral("encode"),
            d.filePath(QStringLiteral("empty.qvn")), QStringLiteral("-o"), out}
                                            << 1 << QStringLiteral("空のファイル");
        QTest::newRow("encode, character outside the code page") << QStringList {QStringLiteral("encode"),
            d.filePath(QStringLiteral("utf8.qvn")), QStringLiteral("-o"), out}
                                                                 << 1 << QStringLiteral("1行目");
        const QString plain = d.filePath(QStringLiteral("plain.qvn"));
        QTest::newRow("encode, output is its input") << QStringList {QStringLiteral("encode"), plain,
            QStringLiteral("-o"), d.path() + QStringLiteral("/./plain.qvn")}
                                                     << 1 << plain;
        QTest::newRow("encode, folder missing")
            << QStringList {QStringLiteral("encode"), d.filePath(QStringLiteral("plain.qvn")),
                   QStringLiteral("-o"), d.filePath(QStringLiteral("no/out.qvn"))}
            << 1 << QStringLiteral("書き込めません");
    }

    void refusalsAndUsage()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        const QByteArray plain = readBytes(path(QStringLiteral("plain.qvn")));
        const CliRun r = runCli(args);
        QCOMPARE(readBytes(path(QStringLiteral("plain.qvn"))), plain);
        QTEST(r.exitCode, "exitCode");
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QVERIFY(!QFile::exists(path(QStringLiteral("out.qvn"))));
        if (r.exitCode == 0) // the one row that loads: 100 files of one question
            QCOMPARE(r.json().value(QStringLiteral("BankQuestionCount")).toInt(), 100);
    }

    // Any file that loads, encoded, loads to the same bank; so does its decoded form
    // encoded again, encoding twice, and a copy saved as UTF-8 without the mark.
    void encodedFilesLoadTheSame_data()
    {
        QTest::addColumn<QStringList>("lines");
        // Text of every kind a question file holds, the encoding's symbols included.
        const QString all
            = QStringLiteral("abcXYZ019 .,?!~^/\\+-*]:@()\"'あいうアイウ漢字表能　、。〔〕～ｱｲｳﾞﾟ①Ⅹ㈱≒纊ⅰ￢");
        QTest::newRow("every kind of character") << QStringList {all, QStringLiteral("2.5"), all, QString(),
            all, QString(), all, QStringLiteral(" q "), all, QString(), QString(), QStringLiteral("　")};
        QTest::newRow("blank lines, part count a word") << QStringList {QString(), QStringLiteral("abc"),
            QString(), QString(), QString(), QString(), QString(), QString(), QString()};
        QTest::newRow("a bundled sample")
            << readLineFile(QStringLiteral(SORARIO_SAMPLES "/中学英語文法ドリル1.qvn")).lines;
    }

    void encodedFilesLoadTheSame()
    {
        QFETCH(QStringList, lines);
        const QString plain = writeSjisLines(path(QStringLiteral("p.qvn")), lines);
        const QString utf8 = path(QStringLiteral("u.qvn"));
        QFile copy(utf8);
        QVERIFY(copy.open(QIODevice::WriteOnly));
        copy.write(joinCrLf(readLineFile(plain).lines).toUtf8());
        copy.close();
        const QString once = path(QStringLiteral("e1.qvn"));
        const QString twice = path(QStringLiteral("e2.qvn"));
        const QString decoded = path(QStringLiteral("d.qvn"));
        const QString again = path(QStringLiteral("e3.qvn"));
        const CliRun expected = runCli({QStringLiteral("load"), plain});
        QCOMPARE(expected.exitCode, 0);
        const QList<QStringList> steps {{QStringLiteral("encode"), plain, QStringLiteral("-o"), once},
            {QStringLiteral("encode"), once, QStringLiteral("-o"), twice},
            {QStringLiteral("decode"), once, QStringLiteral("-o"), decoded},
            {QStringLiteral("encode"), decoded, QStringLiteral("-o"), again}};
        for (const QStringList &step : steps)
            QCOMPARE(runCli(step).exitCode, 0);
        QVERIFY(readBytes(once).startsWith("\\\\\\"));
        QCOMPARE(readBytes(decoded), readBytes(plain));
        for (const QString &file : {utf8, once, twice, decoded, again}) {
            const CliRun r = runCli({QStringLiteral("load"), file});
            QCOMPARE(r.exitCode, 0);
            QCOMPARE(r.json(), expected.json());
        }
    }
};

QTEST_GUILESS_MAIN(TestCliBank)
#include "tst_CliBank.moc"
