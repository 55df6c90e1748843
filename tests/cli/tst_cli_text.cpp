#include "platform/LineFile.h"

#include "support/CliRunner.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

// A current-format file of `count` questions "Qn（kn）", hint "Hn", answer "An",
// n from `first` on.
void writeQuestionFile(const QString &path, const QString &title, int first, int count)
{
    QStringList lines{title, u"2"_s, u"CODE"_s, QString(), QString(), QString()};
    for (int i = first; i < first + count; ++i) {
        const QString n = QString::number(i);
        lines << u"Q"_s + n + u"（k"_s + n + u"）"_s << u"H"_s + n << u"A"_s + n;
    }
    writeSjisLines(path, lines);
}

QStringList readLines(const QString &path)
{
    return splitLines(decodeCp932(readBytes(path)).text);
}

} // namespace

class tst_cli_text : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textFile_data();
    void textFile();
    void refusalsAndUsage_data();
    void refusalsAndUsage();
    void convert();

private:
    QTemporaryDir m_dir;
};

void tst_cli_text::initTestCase()
{
    QVERIFY(QFile::exists(QStringLiteral(SORARIO_CLI)));
    writeQuestionFile(m_dir.filePath(u"one.qvn"_s), u"文型"_s, 1, 12);
    writeQuestionFile(m_dir.filePath(u"two.qvn"_s), u"時制"_s, 101, 3);
    for (int f = 1; f <= 101; ++f)
        writeQuestionFile(m_dir.filePath(u"f%1.qvn"_s.arg(f)), u"T"_s, 1, 1);
    // 5000 questions, the most a bank holds, in two files of at most 10000 lines.
    writeQuestionFile(m_dir.filePath(u"big1.qvn"_s), u"A"_s, 1, 3331);
    writeQuestionFile(m_dir.filePath(u"big2.qvn"_s), u"B"_s, 5001, 1669);
    QFile cafe(m_dir.filePath(u"cafe.qvn"_s));
    QVERIFY(cafe.open(QIODevice::WriteOnly));
    cafe.write("\xEF\xBB\xBF" + u"T\r\n1\r\n\r\n\r\n\r\n\r\nQ（a）\r\nH\r\ncafé\r\n"_s.toUtf8());
}

void tst_cli_text::textFile_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("range");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("exchanged");

    QTest::newRow("part 2, layout 2")
        << QStringList{u"one.qvn"_s, u"--parts"_s, u"2"_s, u"--count"_s, u"4"_s, u"--layout"_s, u"2"_s}
        << u"文型"_s << u"その２"_s << 4 << true;
    QTest::newRow("default count over the range")
        << QStringList{u"two.qvn"_s, u"--all"_s} << u"時制"_s << u"すべてのはんい"_s << 3 << false;
    QTest::newRow("two files")
        << QStringList{u"one.qvn"_s, u"two.qvn"_s, u"--all"_s, u"--count"_s, u"15"_s}
        << u"まとめのテスト"_s << u"文型～時制"_s << 15 << false;
    QTest::newRow("1000, the most drawn")
        << QStringList{u"big1.qvn"_s, u"big2.qvn"_s, u"--all"_s, u"--count"_s, u"1000"_s}
        << u"まとめのテスト"_s << u"A～B"_s << 1000 << false;
}

void tst_cli_text::textFile()
{
    QFETCH(QStringList, args);
    QFETCH(QString, title);
    QFETCH(QString, range);
    QFETCH(int, count);
    QFETCH(bool, exchanged);

    const QString out = m_dir.filePath(u"t.txt"_s);
    QFile::remove(out);
    const CliRun run = runCli(QStringList{u"text"_s} << args << u"--seed"_s << u"7"_s << u"-o"_s << u"t.txt"_s,
                              m_dir.path());
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);

    const QStringList lines = readLines(out);
    QCOMPARE(lines.size(), 2 + 2 * count + 5 + count + 1);
    QCOMPARE(lines[0], title);
    QCOMPARE(lines[1], range);
    const int answers = 2 + 2 * count + 5;
    QCOMPARE(lines.mid(answers - 5, 5),
             (QStringList{QString(), QString(66, u'-'), u"【解答】"_s, title, range}));
    QSet<QString> drawn;
    for (int k = 1; k <= count; ++k) {
        const QString field = QString::number(k).rightJustified(3, u' ') + u' ';
        const QString question = lines[2 + 2 * (k - 1)];
        QVERIFY2(question.startsWith(field), qPrintable(question));
        // "Qn（kn）" drawn as it is, or with the answer in its brackets.
        const qsizetype at = field.size() + 1;
        const QString n = question.mid(at, question.indexOf(u'（') - at);
        drawn.insert(n);
        const QString hint = u"　〔H"_s + n + u"〕"_s;
        QCOMPARE(lines[3 + 2 * (k - 1)], hint);
        if (exchanged) {
            QCOMPARE(question, field + u"Q"_s + n + u"（A"_s + n + u"）"_s);
            QCOMPARE(lines[answers + k - 1], field + u"k"_s + n);
        } else {
            QCOMPARE(question, field + u"Q"_s + n + u"（k"_s + n + u"）"_s);
            QCOMPARE(lines[answers + k - 1], field + u"A"_s + n);
        }
    }
    QCOMPARE(drawn.size(), count); // no question twice
}

void tst_cli_text::refusalsAndUsage_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");

    QTest::newRow("no output") << QStringList{u"text"_s, u"one.qvn"_s, u"--all"_s} << 2 << QString();
    QTest::newRow("count not offered")
        << QStringList{u"text"_s, u"one.qvn"_s, u"--count"_s, u"13"_s, u"-o"_s, u"u.txt"_s} << 2 << QString();
    QTest::newRow("1001 of 5000")
        << QStringList{u"text"_s, u"big1.qvn"_s, u"big2.qvn"_s, u"--all"_s, u"--count"_s, u"1001"_s,
                       u"-o"_s, u"u.txt"_s}
        << 2 << QString();
    QStringList files{u"text"_s};
    for (int f = 1; f <= 101; ++f)
        files << u"f%1.qvn"_s.arg(f);
    QTest::newRow("101 files") << files + QStringList{u"--all"_s, u"--count"_s, u"100"_s, u"-o"_s, u"u.txt"_s}
                               << 2 << QString();
    QTest::newRow("broken file") << QStringList {u"text"_s, u"broken.qvn"_s, u"-o"_s, u"u.txt"_s} << 1
                                 << u"◆データが壊れています！"_s;
    QTest::newRow("output folder missing") << QStringList {u"text"_s, u"one.qvn"_s, u"-o"_s,
        u"missing/u.txt"_s} << 1 << u"テキストファイルを保存できませんでした。"_s;
    QTest::newRow("characters Shift-JIS cannot hold: written, and named")
        << QStringList {u"text"_s, u"cafe.qvn"_s, u"-o"_s, u"u.txt"_s} << 0 << u"é"_s;
}

void tst_cli_text::refusalsAndUsage()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);

    writeSjisLines(m_dir.filePath(u"broken.qvn"_s), QStringList(7, u"x"_s));
    const CliRun run = runCli(args, m_dir.path());
    QCOMPARE(run.exitCode, exitCode);
    QVERIFY2(run.err.contains(message), qPrintable(run.err));
    QVERIFY(!run.err.isEmpty());
    QCOMPARE(QFile::remove(m_dir.filePath(u"u.txt"_s)), exitCode == 0);
}

void tst_cli_text::convert()
{
    QTemporaryDir dir;
    writeSjisLines(dir.filePath(u"old.qvk"_s), {u"Q（a）"_s, u"H"_s, u"A"_s});

    CliRun run = runCli({u"convert"_s, u"old.qvk"_s}, dir.path());
    QCOMPARE(run.exitCode, 1);
    QCOMPARE(run.err.trimmed(), u"old.qvk  のコントロールファイルがありません。"_s);
    QVERIFY(QFile::exists(dir.filePath(u"old.qvk"_s)));

    writeSjisLines(dir.filePath(u"old.ctr"_s), {u"旧形式"_s, u"1"_s});
    run = runCli({u"convert"_s, u"old.qvk"_s}, dir.path());
    QCOMPARE(run.err, QString());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.qvn"_s});

    // The converted file is one the program loads and exports.
    run = runCli({u"text"_s, u"old.qvn"_s, u"--all"_s, u"--layout"_s, u"2"_s, u"-o"_s, u"t.txt"_s},
                 dir.path());
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(readLines(dir.filePath(u"t.txt"_s)),
             (QStringList{u"旧形式"_s, u"すべてのはんい"_s, u"  1 Q（A）"_s, u"　〔H〕"_s, QString(),
                          QString(66, u'-'), u"【解答】"_s, u"旧形式"_s, u"すべてのはんい"_s,
                          u"  1 a"_s, QString()}));
}

QTEST_GUILESS_MAIN(tst_cli_text)
#include "tst_cli_text.moc"
