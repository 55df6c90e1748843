// The command line at the limits: 100 chosen files, 1000 drawn questions.
#include "support/BankFiles.h"
#include "support/CliRunner.h"

#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

class tst_limits_cli : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QStringList m_files; // 101 files of one question each

private Q_SLOTS:
    void initTestCase()
    {
        for (int f = 1; f <= 101; ++f)
            m_files << writeSjisLines(m_dir.filePath(u"f%1.qvn"_s.arg(f, 3, 10, QChar(u'0'))),
                                      questionFile(u"T%1"_s.arg(f), u"1"_s, 1));
        writeSjisLines(m_dir.filePath(u"big1.qvn"_s), questionFile(u"A"_s, u"1"_s, 3331));
        writeSjisLines(m_dir.filePath(u"big2.qvn"_s), questionFile(u"B"_s, u"1"_s, 1669));
    }

    // 100 files load; a 101st is a usage error for every command that loads.
    void fileCount_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("files");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("load, 100") << u"load"_s << 100 << 0;
        QTest::newRow("load, 101") << u"load"_s << 101 << 2;
        QTest::newRow("text, 101") << u"text"_s << 101 << 2;
        // Checking is no load: it reports the 101st file and goes on.
        QTest::newRow("check, 101") << u"check"_s << 101 << 1;
    }

    void fileCount()
    {
        QFETCH(QString, command);
        QFETCH(int, files);
        QFETCH(int, exitCode);
        const QString out = m_dir.filePath(u"out-%1-%2.txt"_s.arg(command).arg(files));
        QStringList args{command};
        args << m_files.mid(0, files);
        if (command == u"text"_s)
            args << u"--all"_s << u"--count"_s << u"100"_s << u"-o"_s << out;
        const CliRun r = runCli(args);
        QCOMPARE(r.exitCode, exitCode);
        if (command == u"load"_s && exitCode == 0)
            QCOMPARE(QJsonDocument::fromJson(r.out).object()[u"BankQuestionCount"_s].toInt(), 100);
        if (command == u"text"_s)
            QCOMPARE(QFileInfo::exists(out), exitCode == 0);
        if (command == u"check"_s)
            QCOMPARE(QString::fromUtf8(r.out).count(u'\n'), exitCode);
    }

    // The count list offers at most 1000; asking for more is a usage error.
    void drawnCount_data()
    {
        QTest::addColumn<QString>("count");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("1000") << u"1000"_s << 0;
        QTest::newRow("1001") << u"1001"_s << 2;
    }

    void drawnCount()
    {
        QFETCH(QString, count);
        QFETCH(int, exitCode);
        const QString out = m_dir.filePath(u"count-%1.txt"_s.arg(count));
        const CliRun r = runCli({u"text"_s, m_dir.filePath(u"big1.qvn"_s), m_dir.filePath(u"big2.qvn"_s),
                              u"--all"_s, u"--count"_s, count, u"--seed"_s, u"7"_s, u"-o"_s, out});
        QCOMPARE(r.exitCode, exitCode);
        QCOMPARE(QFileInfo::exists(out), exitCode == 0);
        if (exitCode == 0) {
            // Title, range, two lines a question, blank, rule, heading, title, range,
            // one line an answer, blank.
            QCOMPARE(readBytes(out).count("\r\n"), 2 + 2 * 1000 + 3 + 2 + 1000 + 1);
        }
    }
};

QTEST_GUILESS_MAIN(tst_limits_cli)
#include "tst_limits_cli.moc"
