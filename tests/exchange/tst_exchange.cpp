// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/QuestionCsv.h"
#include "platform/LineFile.h"

#include "support/Fixtures.h"

#include <QRegularExpression>
#include <QStandardPaths>
#include <QStringEncoder>

using namespace sorario::test;

namespace {

QStringList header(const QString &title)
{
    return {title, u"2"_s, u"EG1"_s, u"四行目"_s, QString(), u"六"_s};
}

QByteArray fileBytes(const QStringList &lines)
{
    return encodeCp932(joinCrLf(lines)).bytes;
}

QString withoutSpace(QString text)
{
    return text.remove(QRegularExpression(u"\\s"_s));
}

} // namespace

class tst_exchange : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    // Every plain file comes back byte for byte, from the table as written and from the
    // same table saved as Shift-JIS, as UTF-8 without the mark, or as UTF-16.
    void roundTrip()
    {
        const QString longLine = u"彼は@とても@速く走る、\\/そして止まる。"_s.repeated(40);
        const QList<QStringList> files {{u"題"_s, u"1"_s, u"C"_s}, header(u"#見出しに似た題"_s),
            header(u"=1+1"_s) + QStringList {u"+x"_s, u"-"_s, u"@b@ c"_s, u"'tis"_s, u"''"_s, u"=A1,\"q\""_s},
            header(u"a,b"_s)
                + QStringList {u"He said \"yes\", @did@ he?"_s, u"*"_s, u"\"quoted\""_s, u"I \\/ you ,"_s,
                    QString(), u"\""_s, u"{{_She / is}}, {{a / b}}."_s, u"{{go / goes}}"_s, u"go"_s},
            header(QString())
                + QStringList {QString(), QString(), QString(), longLine, QString(), u"**"_s,
                    u"  lead and trail  "_s, u"\t"_s, u"問題,ヒント,解答"_s}};
        for (const QStringList &lines : files) {
            const QByteArray csv = questionCsvBytes(lines);
            QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
            const QString text = QString::fromUtf8(csv.sliced(3));
            for (const QByteArray &saved : {csv, sjis(text), text.toUtf8(),
                     QByteArray(
                         QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom)(text))}) {
                const QuestionCsvRead read = readQuestionCsv(saved);
                QCOMPARE(failureOf(read), QString());
                QCOMPARE(fileBytes(read.value.lines), fileBytes(lines));
            }
        }
    }

    // Cells a spreadsheet would run as formulas are written as text.
    void formulasGuarded()
    {
        const QByteArray csv = questionCsvBytes(
            header(u"=HYPERLINK(\"x\")"_s) + QStringList {u"@SUM(A1)"_s, u"-1"_s, u"'quoted"_s});
        QVERIFY(csv.contains("#タイトル,\"'=HYPERLINK(\"\"x\"\")\"\r\n"));
        QVERIFY(csv.endsWith("\r\n'@SUM(A1),'-1,''quoted\r\n"));
        const QByteArray hidden = questionCsvBytes(
            header(u"T"_s) + QStringList {u" =1"_s, u"\tx"_s, u"|x"_s, u"a=1"_s, u"b"_s, u"c"_s});
        QVERIFY(hidden.endsWith("\r\n' =1,'\tx,'|x\r\na=1,b,c\r\n")); // a sign inside is text
    }

    void readTable()
    {
        using K = CsvFault;
        const QStringList six {u"T"_s, QString(), QString(), QString(), QString(), QString()};
        const struct
        {
            QString csv;
            QStringList lines;
            std::optional<CsvRefusal> refusal;
            int row;
            QList<int> emptyAnswers = {};
        } rows[] = {
            // Spreadsheet padding: blank rows, trailing cells, LF.
            {u"#t,T,,\n\nq,h,a,,\n\n"_s, six + QStringList {u"q"_s, u"h"_s, u"a"_s}, {}, 0},
            // No heading, short rows; an answer left empty is read and warned of.
            {u"#t,T\r\nq\r\n"_s, six + QStringList {u"q"_s, QString(), QString()}, {}, 0, {2}},
            {u"#t,T\r\n"_s, six.mid(0, 3), {}, 0}, // one header row, no question
            // One leading apostrophe is taken away.
            {u"#t,'=T\r\n'@q,'',a\r\n"_s,
                QStringList {u"=T"_s} + six.mid(1) + QStringList {u"@q"_s, u"'"_s, u"a"_s}, {}, 0},
            {u"#t,T\r\n問題,ヒント,解答\r\nq,\"two\r\nlines\",a\r\n"_s, {}, K::LineBreakInCell, 3},
            // A quote never closed names the row its cell begins in, not a line break.
            {u"問題,ヒント,解答\r\nq,h,a\r\nq,\"h,a\r\nq,h,a\r\n"_s, {}, K::UnclosedQuote, 3},
            {u"q,h,\"a"_s, {}, K::UnclosedQuote, 1},
            {u"PK\u0003\u0004\u0014\0\0\0\b\0"_s, {}, K::NotText, 0}, // a workbook's first bytes
            {QString(), {}, K::Empty, 0},
            {u"問題,ヒント,解答\r\n\r\n"_s, {}, K::Empty, 0},
            // 10002 lines: more than the loader reads.
            {u"q,h,a\r\n"_s.repeated(3332), {}, LoadFault::TooManyLines, 0},
            {u"問題,ヒント,解答\r\nq,h,a\r\nq,h,a,x\r\n"_s, {}, K::CellsBeyondColumns, 3}, // a fourth column
            {u"#t,T,x\r\n"_s, {}, K::CellsBeyondColumns, 1}, // a header row of three cells
            {u"q,h,a,,,x\r\n"_s, {}, K::CellsBeyondColumns, 1}, // text far right of empty cells
            {u"#1\n#2\n#3\n#4\n#5\n#6\n#7\n"_s, {}, K::TooManyHeaderRows, 7}, // seven header rows
            // What the loader would refuse: a part count past its 16 bits, a line too long (at its row).
            {u"#t,T\r\n#p,99999999\r\nq,h,a\r\n"_s, {}, LoadFault::PartsOutOfRange, 0},
            {u"#t,T\r\nq,h,a\r\nq,"_s + u"h"_s.repeated(10001) + u",a\r\n"_s, {}, LoadFault::LineTooLong, 3},
            // No Shift-JIS form.
            {u"#t,T\r\n問題,ヒント,解答\r\nq,h,a\r\ncafé,h,a\r\n"_s, {}, K::UnwritableCharacter, 4},
            // A title the loader would read as an encoded file of three lines.
            {u"#t,\\\\\\\\4000D000A000D000A000D000A\r\nq,h,a\r\n"_s, {}, K::EncodedTitle, 1},
        };
        for (const auto &[csv, lines, refusal, row, emptyAnswers] : rows) {
            const QuestionCsvRead read = readQuestionCsv(csv.toUtf8());
            QCOMPARE(read.fault, refusal);
            QCOMPARE(read.line, row);
            QCOMPARE(read.value.lines, lines);
            QCOMPARE(read.value.emptyAnswerRows, emptyAnswers);
            if (!refusal)
                continue;
            const QString text = csvRefusalText(read, u"t.csv"_s);
            QVERIFY(text.endsWith(u"\nt.csv"_s));
            QCOMPARE(text.contains(u" %1 行目"_s.arg(row)), row > 0);
        }
    }

    // The commands on the bundled samples: plain files come back byte for byte, the
    // encoded one as its decoded lines, which load to the same bank.
    void commands()
    {
        const QDir samples(QStringLiteral(SORARIO_SAMPLES));
        const QStringList names = samples.entryList({u"*.qvn"_s}, QDir::Files);
        QVERIFY(names.size() >= 3);
        for (const QString &name : names) {
            const QString original = samples.filePath(name);
            const QString csv = m_dir.filePath(name + u".csv"_s);
            const QString back = m_dir.filePath(name);
            QCOMPARE(runCli({u"csv"_s, original, u"-o"_s, csv}).exitCode, 0);
            QCOMPARE(runCli({u"qvn"_s, csv, u"-o"_s, back}).exitCode, 0);
            QCOMPARE(runCli({u"load"_s, back}).out, runCli({u"load"_s, original}).out);
            if (!readBytes(original).startsWith("\\\\\\"))
                QCOMPARE(readBytes(back), readBytes(original));
        }
        // A warning names its row; the table is still converted.
        const QString bad = m_dir.filePath(u"bad.csv"_s);
        const QString target = m_dir.filePath(names.first());
        writeBytes(bad, sjis(u"q,h,a\r\nq,h\r\n"_s));
        const CliRun warned = runCli({u"qvn"_s, bad, u"-o"_s, target});
        QCOMPARE(warned.exitCode, 0);
        QCOMPARE(warned.err, u"CSV の 2 行目: 警告: 解答が空です。\n"_s);
    }

    // The document holds the questions `text` draws with the same seed, and a word
    // processor makes it a B5 document with the answer key on pages of its own.
    void document()
    {
        QStringList lines = header(u"文書"_s);
        for (int q = 1; q <= 12; ++q)
            lines << u"Q%1 <&> @bold@ part\\/second（k）"_s.arg(q) << (q % 2 ? u"hint"_s : u"*"_s)
                  << u"A%1"_s.arg(q);
        const QString file = writeSjisLines(m_dir.filePath(u"doc.qvn"_s), lines);
        const QStringList draw {
            file, u"--all"_s, u"--count"_s, u"8"_s, u"--seed"_s, u"42"_s, u"--sheets"_s, u"2"_s};
        const QString odt = m_dir.filePath(u"test.odt"_s);
        const QString txt = m_dir.filePath(u"test.txt"_s);
        QCOMPARE(runCli(QStringList {u"text"_s} + draw + QStringList {u"-o"_s, txt}).exitCode, 0);
        QCOMPARE(runCli(QStringList {u"odt"_s} + draw + QStringList {u"-o"_s, odt}).exitCode, 0);

        const QString unzip = QStandardPaths::findExecutable(u"unzip"_s);
        if (unzip.isEmpty())
            QSKIP("unzip is not installed (make deps installs it)");
        QProcess p;
        p.start(unzip, {u"-tq"_s, odt}); // every entry of the package, as a word processor reads it
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 0);
        p.start(unzip, {u"-p"_s, odt, u"content.xml"_s});
        QVERIFY(p.waitForFinished(30000));
        const QString raw = QString::fromUtf8(p.readAllStandardOutput());
        QString content = raw;
        // The word processor shows the sheet's face, not a stand-in.
        QVERIFY(content.contains(u"fo:font-family=\"ＭＳ Ｐ明朝\""_s));
        content.remove(QRegularExpression(u"<[^>]*>"_s));
        content.replace(u"&lt;"_s, u"<"_s).replace(u"&gt;"_s, u">"_s).replace(u"&amp;"_s, u"&"_s);
        content = withoutSpace(content);
        int drawn = 0;
        for (const QString &line : splitLines(decodeCp932(readBytes(txt)).text)) {
            const QRegularExpressionMatch question = QRegularExpression(u"^ *\\d+ (Q.*)$"_s).match(line);
            if (!question.hasMatch())
                continue;
            ++drawn;
            QVERIFY2(content.contains(withoutSpace(question.captured(1).remove(u'@'))), qPrintable(line));
        }
        QCOMPARE(drawn, 16);

        // B5 pages, and each sheet's answer key on pages of its own: three page breaks in two sheets.
        p.start(unzip, {u"-p"_s, odt, u"styles.xml"_s});
        QVERIFY(p.waitForFinished(30000));
        QVERIFY(p.readAllStandardOutput().contains("fo:page-width=\"182mm\" fo:page-height=\"257mm\""));
        const QString breakStyle = QRegularExpression(
            u"style:name=\"(\\w+)\"[^<]*>\\s*<style:paragraph-properties[^>]*break-before"_s)
                                       .match(raw)
                                       .captured(1);
        QCOMPARE(raw.count(u"text:style-name=\"%1\""_s.arg(breakStyle)), 3);
    }
};

QTEST_MAIN(tst_exchange)
#include "tst_exchange.moc"
