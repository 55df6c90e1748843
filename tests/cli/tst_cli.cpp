// SPDX-License-Identifier: GPL-3.0-or-later
// sorario-cli: its arguments, exit codes and output shapes, and one run of each command
// through to the core, whose rules are tested where they live.
#include "history/HistoryStore.h"
#include "platform/LineFile.h"

#include "CliArgs.h"
#include "support/Fixtures.h"

#include <QJsonArray>

using namespace sorario::test;

namespace {

struct Refusal
{
    QStringList args;
    int exitCode;
    QString message; // part of standard error, which is never empty
    QStringList leaves; // files the run may write
    rlim_t diskRoom = 0;
};

} // namespace

Q_DECLARE_METATYPE(Refusal)

class TestCli : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString at(const QString &name) const { return m_dir.filePath(name); }
    CliRun run(const QStringList &args, rlim_t diskRoom = 0) const
    {
        return runCli(args, m_dir.path(), diskRoom);
    }

private Q_SLOTS:
    void initTestCase()
    {
        writeSjisLines(at(u"one.qvn"_s), questionFile(u"文型"_s, u"2"_s, 12, u"（k）Q"_s));
        writeSjisLines(at(u"two.qvn"_s), questionFile(u"時制"_s, u"1"_s, 3));
        writeSjisLines(at(u"broken.qvn"_s), QStringList(7, u"x"_s));
        writeSjisLines(at(u"old.qvk"_s), {u"Q（a）"_s, u"H"_s, u"A"_s});
        writeSjisLines(at(u"kept.qvn"_s), {u"an old file, which must stay whole"_s});
        writeBytes(at(u"empty.qvn"_s), {});
        writeBytes(at(u"mark.qvn"_s), "\xEF\xBB\xBF");
        writeSjisLines(at(u"nothing.qvn"_s), {u"\\\\\\0041"_s}); // decodes to no whole line
        QStringList longLine = questionFile(u"T"_s, u"1"_s, 1);
        longLine[6] = QString(10001, u'x');
        writeSjisLines(at(u"long.qvn"_s), longLine);
        writeBytes(at(u"garbage.sqlite"_s), QByteArray(2048, '#'));
        const HistoryStore damaged(at(u"damaged.sqlite"_s));
        RecordedRun given;
        given.className = u"2B"_s;
        for (int run = 0; run < 20; ++run) {
            given.sheets = {{u"%1"_s.arg(run), {}, {{u"Q"_s, {}, {}}}}};
            QCOMPARE(failureOf(damaged.record(given)), QString());
        }
        QByteArray bytes = readBytes(damaged.path());
        bytes.replace(bytes.size() / 2, 8192, QByteArray(8192, 'x'));
        writeBytes(damaged.path(), bytes);
        sql(at(u"other.sqlite"_s), u"CREATE TABLE notes (text TEXT)"_s);
        writeBytes(at(u"cafe.qvn"_s),
            "\xEF\xBB\xBF" + u"T\r\n1\r\n\r\n\r\n\r\n\r\nQ（a）\r\nH\r\ncafé\r\n"_s.toUtf8());
        QStringList fifty = questionFile(u"文法"_s, u"1"_s, 50, u"q"_s, u"**"_s);
        fifty[2] = u"CODE"_s;
        writeSjisLines(at(u"fifty.qvn"_s), fifty);
        for (int f = 1; f <= 101; ++f)
            writeSjisLines(at(u"f%1.qvn"_s.arg(f)), questionFile(u"T"_s, u"1"_s, 1));
    }

    // Usage errors exit 2, refusals 1, each saying why on standard error; nothing but the
    // named file is written and no input is touched, also on a full disk.
    void exitCodes_data()
    {
        QTest::addColumn<Refusal>("row");
        QStringList files;
        for (int f = 1; f <= 101; ++f)
            files << u"f%1.qvn"_s.arg(f);
        const QString out = u"out.qvn"_s;
        const auto add = [](const char *name, const Refusal &row) { QTest::newRow(name) << row; };
        add("load, no file", {{u"load"_s}, 2, {}, {}});
        add("load, 101 files", {QStringList {u"load"_s} + files, 2, {}, {}});
        // The command line names a file it cannot read, even one that is not there.
        add("load, missing", {{u"load"_s, u"none.qvn"_s}, 1, u"none.qvn"_s, {}});
        add("decode, missing", {{u"decode"_s, u"none.qvn"_s, u"-o"_s, out}, 1, u"none.qvn"_s, {}});
        add("decode, plain file", {{u"decode"_s, u"two.qvn"_s}, 1, u"◆"_s, {}});
        add("encode, no output", {{u"encode"_s, u"two.qvn"_s}, 2, {}, {}});
        // An empty payload reads as broken, so an empty file would not load back.
        add("encode, empty file", {{u"encode"_s, u"empty.qvn"_s, u"-o"_s, out}, 1, u"空のファイル"_s, {}});
        add("encode, character outside the code page",
            {{u"encode"_s, u"cafe.qvn"_s, u"-o"_s, out}, 1, u"9行目"_s, {}});
        add("encode, disk full",
            {{u"encode"_s, u"one.qvn"_s, u"-o"_s, u"kept.qvn"_s}, 1, u"◆ファイルを書き込めません。"_s, {},
                64});
        add("text, no output", {{u"text"_s, u"one.qvn"_s, u"--all"_s}, 2, {}, {}});
        add("text, count not offered",
            {{u"text"_s, u"one.qvn"_s, u"--count"_s, u"13"_s, u"-o"_s, u"u.txt"_s}, 2, {}, {}});
        add("text, characters Shift-JIS cannot hold: written, and named",
            {{u"text"_s, u"cafe.qvn"_s, u"-o"_s, u"u.txt"_s}, 0, u"é"_s, {u"u.txt"_s}});
        // Where the windows load an empty file as a blank test, a command that writes one refuses.
        add("text, empty file", {{u"text"_s, u"empty.qvn"_s, u"-o"_s, u"u.txt"_s}, 1, u"empty.qvn"_s, {}});
        add("odt, a byte order mark alone",
            {{u"odt"_s, u"mark.qvn"_s, u"-o"_s, u"u.odt"_s}, 1, u"mark.qvn"_s, {}});
        add("print, encoded, decodes to no line",
            {{u"print"_s, u"nothing.qvn"_s, u"-o"_s, u"u.pdf"_s}, 1, u"nothing.qvn"_s, {}});
        add("text, a line of 10001 characters",
            {{u"text"_s, u"long.qvn"_s, u"-o"_s, u"u.txt"_s}, 1, u"7行目が10000文字"_s, {}});
        add("convert, no control file",
            {{u"convert"_s, u"old.qvk"_s}, 1, u"old.qvk  のコントロールファイルがありません。"_s, {}});
        add("check, no file", {{u"check"_s}, 2, {}, {}});
        add("analysis, not a date",
            {{u"analysis"_s, u"--class"_s, u"2B"_s, u"--from"_s, u"2026-13-01"_s}, 1,
                u"「2026-13-01」は日付ではありません。"_s, {}});
        add("moodle, no file", {{u"moodle"_s, u"-o"_s, u"u.xml"_s}, 2, {}, {}});
        add("gift, missing", {{u"gift"_s, u"none.qvn"_s, u"-o"_s, u"u.txt"_s}, 1, u"none.qvn"_s, {}});
        add("print, size 7", {printArgs({u"--size"_s, u"7"_s}), 2, {}, {}});
        add("print, size 41", {printArgs({u"--size"_s, u"41"_s}), 2, {}, {}});
        add("print, size not a number", {printArgs({u"--size"_s, u"ten"_s}), 2, {}, {}});
        add("print, logo of 101 characters",
            {printArgs({u"--logo"_s, QString(101, u'長')}), 1, u"100"_s, {}});
        add("print, unknown paper", {printArgs({u"--paper"_s, u"a5"_s}), 2, {}, {}});
        add("print, PDF folder missing",
            {printArgs({u"-o"_s, u"none/out.pdf"_s}), 1, u"PDFファイルを保存するフォルダーがありません。"_s,
                {}});
        // A run writes all its files or none.
        add("print, trace folder missing",
            {printArgs(Fixed + QStringList {u"--trace"_s, u"none/t.json"_s}), 1, u"none/t.json"_s, {}});
        add("print in real fonts, trace folder missing",
            {printArgs({u"--trace"_s, u"none/t.json"_s}), 1, u"トレースファイルを書き込めませんでした。"_s,
                {}});
        add("print trace, disk full",
            {printArgs(Fixed + QStringList {u"--trace"_s, u"kept.qvn"_s}), 1,
                u"トレースファイルを書き込めませんでした。"_s, {}, 64});
        // The history is never a reason not to print, nor named without a class.
        // It is told once, and its file is left as it was.
        const QString notAHistory = u"このファイルはクラスの履歴ではありません。"_s;
        add("print, history is no database",
            {printArgs({u"--class"_s, u"2B"_s, u"--history"_s, u"garbage.sqlite"_s}), 0, notAHistory,
                {u"out.pdf"_s, u"t.json"_s}});
        add("history, another database",
            {{u"history"_s, u"--history"_s, u"other.sqlite"_s}, 1, notAHistory, {}});
        for (const QString &avoid : {u"0"_s, u"1"_s})
            add(qPrintable(u"print, history damaged in its middle, avoiding "_s + avoid),
                {printArgs({u"--class"_s, u"2B"_s, u"--avoid-recent"_s, avoid, u"--history"_s,
                     u"damaged.sqlite"_s}),
                    0, u"クラスの履歴のファイルが壊れています。"_s, {u"out.pdf"_s, u"t.json"_s}});
        add("history, in a folder that is a file",
            {{u"history"_s, u"--history"_s, u"kept.qvn/h.sqlite"_s}, 1,
                u"クラスの履歴のフォルダーを開けません。"_s, {}});
        add("print, avoiding without a class", {printArgs({u"--avoid-recent"_s, u"1"_s}), 2, {}, {}});
        add("print, avoiding too many",
            {printArgs({u"--class"_s, u"2B"_s, u"--avoid-recent"_s, u"21"_s}), 2, {}, {}});
    }
    void exitCodes()
    {
        QFETCH(Refusal, row);
        if (row.diskRoom > 0)
            SORARIO_POSIX_ONLY("a full disk through a file-size limit");
        const auto before = snapshot(m_dir.path());
        const CliRun r = run(row.args, row.diskRoom);
        QCOMPARE(r.exitCode, row.exitCode);
        QVERIFY(!r.err.isEmpty());
        if (row.exitCode != 0)
            QCOMPARE(r.out, QByteArray()); // no summary of a failed run
        if (!row.message.isEmpty()) // a path in it as the system writes paths
            QCOMPARE(r.err.count(QDir::toNativeSeparators(row.message)), 1);
        for (const QString &file : row.leaves)
            QVERIFY(QFile::remove(at(file)));
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    // load and decode print the state as JSON.
    void loadAndDecode()
    {
        writeSjisLines(at(u"nameless.qvn"_s), questionFile(QString(), u"2"_s, 1));
        CliRun r = run({u"load"_s, u"two.qvn"_s, u"nameless.qvn"_s});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json()[u"BankQuestionCount"_s].toInt(), 4);
        QCOMPARE(r.json()[u"PartCount"_s].toInt(), 3);
        QCOMPARE(r.json()[u"LoadedTitles"_s].toString(), u"時制\r\nソラリオ\r\n"_s);
        QCOMPARE(r.json()[u"FileHeaders"_s][1].toArray(),
            (QJsonArray {u"ソラリオ"_s, u"2"_s, u"S"_s, QString(), QString(), QString()}));
        QCOMPARE(r.json()[u"QuestionBank"_s][3].toArray(), (QJsonArray {u"q1"_s, u"h"_s, u"a1"_s}));

        writeSjisLines(at(u"e.qvn"_s), {u"\\\\\\0041000D000A0042"_s});
        r = run({u"decode"_s, u"e.qvn"_s});
        QCOMPARE(r.exitCode, 0);
        QCOMPARE(r.json()[u"DecodedLineCount"_s].toInt(), 1);
        QCOMPARE(r.json()[u"FileLines"_s].toArray(), (QJsonArray {u"A"_s, u"B"_s}));
    }

    // The text export of four questions of part 2 (questions 7 to 12) in layout 2: the answers
    // in the brackets.
    void text()
    {
        const CliRun r = run({u"text"_s, u"one.qvn"_s, u"--parts"_s, u"2"_s, u"--count"_s, u"4"_s,
            u"--layout"_s, u"2"_s, u"--seed"_s, u"7"_s, u"-o"_s, u"t.txt"_s});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        const QStringList lines = splitLines(decodeCp932(readBytes(at(u"t.txt"_s))).text);
        QCOMPARE(lines.mid(0, 10),
            (QStringList {u"文型"_s, u"その２"_s, u"  1 （a10）Q10"_s, u"　〔h〕"_s, u"  2 （a7）Q7"_s,
                u"　〔h〕"_s, u"  3 （a8）Q8"_s, u"　〔h〕"_s, u"  4 （a11）Q11"_s, u"　〔h〕"_s}));
        QCOMPARE(lines[15], u"  1 k"_s);
    }

    // The prompt's answer given on the command line; the summary as JSON, the trace as
    // the print run made it; paper and fit add their keys only when asked for.
    void print_data()
    {
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QList<int>>("pagesCountMode");
        const QStringList fixed = Fixed + QStringList {u"--answers"_s, u"2"_s};
        QTest::newRow("yes") << fixed + QStringList {u"--overflow"_s, u"yes"_s} << 0 << QList<int> {1, 41, 1};
        QTest::newRow("cancel") << fixed + QStringList {u"--overflow"_s, u"cancel"_s} << 1
                                << QList<int> {0, 50, 1};
        QTest::newRow("no answer given: all, answers attached") << Fixed << 0 << QList<int> {5, 50, 2};
        QTest::newRow("real fonts") << QStringList {u"--size"_s, u"10"_s, u"--answers"_s, u"2"_s,
            u"--overflow"_s, u"yes"_s}
                                    << 0 << QList<int> {1, -1, 1};
        QTest::newRow("fit: all at 9 points, no question asked")
            << fixed + QStringList {u"--fit"_s, u"--keep-words"_s} << 0 << QList<int> {1, 50, 1};
        QTest::newRow("keep questions") << fixed + QStringList {u"--layout"_s, u"1"_s, u"--keep-questions"_s}
                                        << 0 << QList<int> {4, 50, 2};
        QTest::newRow("other paper") << fixed
                + QStringList {u"--overflow"_s, u"yes"_s, u"--paper"_s, u"b4-2up"_s}
                                     << 0 << QList<int> {1, 41, 1};
    }
    void print()
    {
        QFETCH(QStringList, extra);
        QFETCH(QList<int>, pagesCountMode);
        QFile::remove(at(u"out.pdf"_s));
        const CliRun r = run(printArgs(extra));
        QTEST(r.exitCode, "exitCode");
        const QJsonObject s = r.json();
        const bool fixed = extra.contains(u"fixed"_s); // else the fonts' own metrics decide what fits
        QCOMPARE(s[u"pages"_s].toInt(), pagesCountMode[0]);
        if (fixed)
            QCOMPARE(s[u"QuestionCount"_s].toInt(), pagesCountMode[1]);
        QCOMPARE(s[u"PrintMode"_s].toInt(), pagesCountMode[2]);
        QCOMPARE(s[u"DrawnQuestions"_s].toArray().size(), 50);
        QCOMPARE(s.contains(u"FittedSize"_s), extra.contains(u"--fit"_s));
        QCOMPARE(s.contains(u"sheets"_s), extra.contains(u"--paper"_s));
        if (extra.contains(u"--paper"_s))
            QCOMPARE(s[u"sheets"_s].toInt(), 1); // its one page on half a sheet of B4
        QCOMPARE(s.contains(u"SheetNumbers"_s), false);
        QCOMPARE(readBytes(at(u"out.pdf"_s)).startsWith("%PDF"), pagesCountMode[0] > 0);
        const QJsonArray trace = QJsonDocument::fromJson(readBytes(at(u"t.json"_s))).array();
        QCOMPARE(trace.last()[u"op"_s].toString(), pagesCountMode[0] > 0 ? u"endDoc"_s : u"killDoc"_s);
        if (extra.contains(u"--keep-questions"_s)) { // question 14 would have run over page 1's end
            const auto q14 = std::find_if(trace.begin(), trace.end(),
                [](const QJsonValue &op) { return op[u"text"_s].toString().startsWith(u"(14)"_s); });
            QCOMPARE((*q14)[u"page"_s].toInt(), 2);
        }
        QStringList untraced = printArgs(extra); // counted by the PDF itself
        untraced.removeAll(u"--trace"_s), untraced.removeAll(u"t.json"_s);
        QCOMPARE(run(untraced).json()[u"pages"_s].toInt(), pagesCountMode[0]);
        if (fixed && !extra.contains(u"--fit"_s) && !extra.contains(u"--layout"_s)) {
            QCOMPARE(s[u"OverCapacity"_s].toInt(), 1);
            QCOMPARE(s[u"FitCount"_s].toInt(), 41);
            QCOMPARE(s[u"FirstPageLines"_s].toInt(), 40);
        }
    }

    // Three sheets, one Yes for all: the summary keeps its keys for sheet 1 and lists every
    // sheet's own draw; a vertical face is printed as its plain face.
    void printSheets()
    {
        const QStringList fixed = Fixed + QStringList {u"--answers"_s, u"2"_s, u"--font"_s, u"@ＭＳ 明朝"_s};
        QVERIFY(!run(printArgs(fixed)).json().contains(u"Sheets"_s));
        const CliRun r
            = run(printArgs(fixed + QStringList {u"--overflow"_s, u"yes"_s, u"--sheets"_s, u"3"_s}));
        QCOMPARE(r.exitCode, 0);
        const QJsonObject s = r.json();
        QCOMPARE(s[u"pages"_s].toInt(), 3);
        const QJsonArray sheets = s[u"Sheets"_s].toArray();
        QCOMPARE(sheets.size(), 3);
        QCOMPARE(s[u"DrawnQuestions"_s], sheets[0][u"DrawnQuestions"_s]);
        QVERIFY(sheets[1][u"DrawnQuestions"_s] != sheets[0][u"DrawnQuestions"_s]);
        QCOMPARE(sheets[2][u"QuestionCount"_s].toInt(), 41);
        const QByteArray trace
            = QJsonDocument::fromJson(readBytes(at(u"t.json"_s))).toJson(QJsonDocument::Compact);
        QVERIFY(trace.contains(u"CODE(SheetNo.:03051407-1)"_s.toUtf8()));
        QVERIFY(trace.contains(u"ＭＳ 明朝"_s.toUtf8()));
        QVERIFY(!trace.contains("@"));
        // Cancelled at the prompt: the first draw is listed, with no sheet's outcome.
        const CliRun cancelled
            = run(printArgs(fixed + QStringList {u"--overflow"_s, u"cancel"_s, u"--sheets"_s, u"3"_s}));
        QCOMPARE(cancelled.exitCode, 1);
        QCOMPARE(cancelled.json()[u"Sheets"_s][0].toObject().keys(), QStringList {u"DrawnQuestions"_s});
    }

    // check prints the problems, one a line, control characters escaped (notes and the counts go
    // to standard error), and exits 1 only on an error.
    void check()
    {
        writeSjisLines(at(u"escape.qvn"_s), questionFile(u"T"_s, u"\x1b[2J"_s, 2));
        const struct
        {
            QStringList files;
            int exitCode;
            QString counts, out;
        } rows[] = {{{u"escape.qvn"_s}, 0, u"エラー0件、警告1件"_s,
                        u"escape.qvn:2: 警告: 部の数「\\x1b[2J」が数ではないため、1部として数えます。\n"_s},
            {{u"two.qvn"_s, u"broken.qvn"_s, u"none.qvn"_s}, 1, u"エラー2件、警告1件"_s,
                u"broken.qvn:2: 警告: 部の数「x」が数ではないため、1部として数えます。\n"
                "broken.qvn:7: エラー: "
                "行数が7行で、3の倍数ではありません。見出しの6行のあと、そろった問題がありません。\n"
                "none.qvn: エラー: ファイルがありません。\n"_s}};
        for (const auto &[files, exitCode, counts, out] : rows) {
            const CliRun r = run(QStringList {u"check"_s} + files);
            QCOMPARE(r.exitCode, exitCode);
            QVERIFY2(r.err.contains(counts), qPrintable(r.err));
            QCOMPARE(QString::fromUtf8(r.out), out);
        }
    }

    // --replace converts over an edited file; what is written is the converter's own test.
    void convert()
    {
        writeSjisLines(at(u"conv.qvk"_s), {u"Q（a）"_s, u"H"_s, u"A"_s});
        writeSjisLines(at(u"conv.ctr"_s), {u"旧形式"_s, u"1"_s});
        writeSjisLines(at(u"conv.qvn"_s), {u"an edited file"_s});
        const CliRun r = run({u"convert"_s, u"--replace"_s, u"conv.qvk"_s});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!QFile::exists(at(u"conv.qvk"_s)));
        QVERIFY(readBytes(at(u"conv.qvn"_s)).startsWith(sjis(u"旧形式"_s)));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
