// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionKinds.h"
#include "exchange/OnlineBank.h"
#include "exchange/QuestionCsv.h"

#include "support/Fixtures.h"

using namespace sorario::test;
using F = OnlineFormat;
using K = OnlineFault;

namespace {

const QStringList Small {
    u"T"_s, u"1"_s, u"C"_s, QString(), QString(), QString(), u"He @is@ （　）."_s, u"be"_s, u"is"_s};

// Every marker of both formats and of the question file, blanks at the ends of a line.
const QStringList Special {u"題/名 // ~=#{}:\\ <&> ]]>"_s, u"2"_s, u"S&C<"_s, u"  lead"_s, u"trail  "_s,
    u"#6行目 x"_s, u"@A@ ~=#{}:\\ \\/ &amp; <br> ]]> \\n \"q\" 'a' @odd"_s, u"**"_s,
    u"~=#{}:\\ & < > ]]> \\n"_s, u"  //$CATEGORY: ::x:: [html] {=a} "_s, u" ヒント @b@ ####h \\/ \t"_s,
    u"%50% a-b =c"_s, u"\u3000全角\u3000"_s, u"*"_s, QString(), u"@@"_s, QString(), u"@"_s};

// Both new kinds with the markers of both formats, and a text that sets choices itself.
const QStringList Kinds {u"K"_s, u"1"_s, u"K"_s, QString(), QString(), QString(), u"He （　） it."_s,
    u"{{~a / =b / #c{ / d}: / &<> / ]]> / %e / @f@}}"_s, u"=b"_s, u"訳 {{_It / ~is / #a{ / b}: / &<>]]>}}?"_s,
    u"@h@ #~"_s, u"It ~is #a{ b}: &<>]]>?"_s, u"（ in / on ） to"_s, u"*"_s, u"on"_s};

const QStringList Choice {u"T"_s, u"1"_s, u"C"_s, QString(), QString(), QString(), u"He （　）."_s,
    u"{{go / %s / a&b}}"_s, u"%s"_s};
const QStringList Order {u"T"_s, u"1"_s, u"C"_s, QString(), QString(), QString(),
    u"{{_She / is}} {{a / b}}."_s, u"h"_s, u"She is a b."_s};

const struct OnlineCommandRow
{
    const char *command;
    const char *suffix;
} onlineCommands[] = {
    {.command = "moodle", .suffix = ".xml"},
    {.command = "gift", .suffix = ".gift"},
};

} // namespace

class tst_online : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void written_data()
    {
        QTest::addColumn<F>("format");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("Moodle XML") << F::MoodleXml << QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<quiz>
  <question type="category">
    <category>
      <text>$course$/top/T</text>
    </category>
    <info format="moodle_auto_format">
      <text>#タイトル T
#部の数 1
#シートコード C
#4行目 
#5行目 
#6行目 </text>
    </info>
  </question>
  <question type="shortanswer">
    <name>
      <text>001 He is （　）.</text>
    </name>
    <questiontext format="html">
      <text><![CDATA[He <b>is</b> （　）.]]></text>
    </questiontext>
    <generalfeedback format="html">
      <text><![CDATA[be]]></text>
    </generalfeedback>
    <defaultgrade>1</defaultgrade>
    <penalty>0.3333333</penalty>
    <hidden>0</hidden>
    <usecase>0</usecase>
    <answer fraction="100" format="moodle_auto_format">
      <text>is</text>
    </answer>
  </question>
</quiz>
)");
        QTest::newRow("GIFT") << F::Gift << QByteArray(R"(// #タイトル T
// #部の数 1
// #シートコード C
// #4行目 
// #5行目 
// #6行目 
$CATEGORY: $course$/top/T

::001 He is （　）.::[html]He <b>is</b> （　）.{=is####be}

)");
    }
    void written()
    {
        QFETCH(F, format);
        QFETCH(QByteArray, bytes);
        QCOMPARE(onlineBankBytes(format, {Small}).bytes, bytes);
    }

    void writtenKinds_data()
    {
        QTest::addColumn<F>("format");
        QTest::addColumn<QStringList>("file");
        QTest::addColumn<QByteArray>("part");
        QTest::newRow("Moodle XML, multiple choice") << F::MoodleXml << Choice << QByteArray(R"(
    <single>true</single>
    <shuffleanswers>true</shuffleanswers>
    <answernumbering>abc</answernumbering>
    <answer fraction="0" format="html">
      <text><![CDATA[go]]></text>
    </answer>
    <answer fraction="100" format="html">
      <text><![CDATA[%s]]></text>
    </answer>
    <answer fraction="0" format="html">
      <text><![CDATA[a&amp;b]]></text>
    </answer>
  </question>)");
        QTest::newRow("Moodle XML, word order text")
            << F::MoodleXml << Order << QByteArray("<text><![CDATA[（ is / she ） （ b / a ）.]]></text>");
        QTest::newRow("Moodle XML, word order answer")
            << F::MoodleXml << Order << QByteArray(R"(format="moodle_auto_format">
      <text>She is a b.</text>)");
        QTest::newRow("GIFT, multiple choice")
            << F::Gift << Choice << QByteArray("::[html]He （　）.{~go =%100%%s ~a&amp;b}\n");
        QTest::newRow("GIFT, word order")
            << F::Gift << Order << QByteArray("::[html]（ is / she ） （ b / a ）.{=She is a b.####h}\n");
    }
    void writtenKinds()
    {
        QFETCH(F, format);
        QFETCH(QStringList, file);
        QFETCH(QByteArray, part);
        QVERIFY(onlineBankBytes(format, {file}).bytes.contains(part));
    }

    // The bundled samples and the file of special characters come back line for line,
    // through the commands, the sheet's layout marks aside.
    void roundTrip_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("suffix");
        const QDir samples(QStringLiteral(SORARIO_SAMPLES));
        QStringList files = samples.entryList({u"*.qvn"_s}, QDir::Files);
        QVERIFY(files.size() >= 3);
        files.append(writeSjisLines(m_dir.filePath(u"special.qvn"_s), Special));
        files.append(writeSjisLines(m_dir.filePath(u"kinds.qvn"_s), Kinds));
        for (const OnlineCommandRow &c : onlineCommands)
            for (const QString &file : files)
                QTest::addRow("%s, %s", c.command, qPrintable(QFileInfo(file).fileName()))
                    << QString::fromLatin1(c.command) << samples.absoluteFilePath(file)
                    << QString::fromLatin1(c.suffix);
    }
    void roundTrip()
    {
        QFETCH(QString, command);
        QFETCH(QString, file);
        QFETCH(QString, suffix);
        const QString bank = m_dir.filePath(u"bank"_s + suffix);
        const QString back = m_dir.filePath(u"back.qvn"_s);
        QCOMPARE(runCli({command, file, u"-o"_s, bank}).exitCode, 0);
        QCOMPARE(runCli({u"qvn"_s, bank, u"-o"_s, back}).exitCode, 0);
        const QuestionFileRead original = ReadQuestionFile(file);
        QStringList expected = original.countedLines();
        for (qsizetype hint = HeaderLineCount + 1; hint < expected.size(); hint += 3) {
            if (expected[hint] == u"*"_s || expected[hint] == u"**"_s)
                expected[hint].clear(); // a mark for the sheet's layout: no hint to a learner
        }
        QCOMPARE(ReadQuestionFile(back).lines, expected);
        // A learner never sees a word order's words in the answer's order.
        const QString written = QString::fromUtf8(readBytes(bank)).toLower().replace(u"（ _"_s, u"（ "_s);
        for (const QString &line : expected) {
            for (const KindGroup &group : WordGroups(line).groups)
                QVERIFY2(!written.contains((SetOpen + group.words.join(SetSeparator)).toLower()),
                    qPrintable(line));
        }
    }

    void refused_data()
    {
        QTest::addColumn<F>("format");
        QTest::addColumn<QString>("text");
        QTest::addColumn<OnlineRefusal>("kind");
        QTest::addColumn<int>("line");
        const QString quiz = u"<quiz>\n<question type=\"%1\">%2</question>\n</quiz>"_s;
        const QString answer = u"<answer fraction=\"%1\"><text>%2</text></answer>"_s;
        const auto add = [](const char *name, F format, const QString &text, OnlineRefusal kind, int line) {
            QTest::newRow(name) << format << text << kind << line;
        };
        add("XML, broken", F::MoodleXml, u"<quiz>\n<question type=\"category\">"_s, K::NotWellFormed, 2);
        add("XML, no quiz", F::MoodleXml, u"<html/>"_s, K::NotAQuiz, 1);
        add("XML, nothing", F::MoodleXml, u"<quiz/>"_s, K::Empty, 0);
        add("XML, multiple choice", F::MoodleXml, quiz.arg(u"multichoice"_s, QString()), K::MultipleChoice,
            2);
        add("XML, true or false", F::MoodleXml, quiz.arg(u"truefalse"_s, QString()), K::UnsupportedType, 2);
        add("XML, no full marks", F::MoodleXml, quiz.arg(u"shortanswer"_s, answer.arg(u"50"_s, u"a"_s)),
            K::NoRightAnswer, 2);
        add("XML, outside Shift-JIS", F::MoodleXml,
            quiz.arg(u"shortanswer"_s, answer.arg(u"100"_s, u"café"_s)), K::UnwritableCharacter, 2);
        add("XML, control character", F::MoodleXml,
            quiz.arg(u"shortanswer"_s,
                u"<generalfeedback format=\"html\"><text>&amp;#1;</text></generalfeedback>"_s
                    + answer.arg(u"100"_s, u"a"_s)),
            K::ControlCharacter, 2);
        add("XML, two right choices", F::MoodleXml,
            quiz.arg(u"multichoice"_s, answer.arg(u"100"_s, u"a"_s) + answer.arg(u"100"_s, u"b"_s)),
            K::MultipleChoice, 2);
        add("XML, nested past any bank", F::MoodleXml,
            quiz.arg(u"shortanswer"_s, u"\n<a>"_s.repeated(100) + u"</a>"_s.repeated(100)), K::NotWellFormed,
            65);
        add("XML, an entity expanded past a question file", F::MoodleXml,
            u"<!DOCTYPE quiz [<!ENTITY e \""_s + u"x"_s.repeated(4000) + u"\">]>\n<quiz><name>"_s
                + u"&e;"_s.repeated(25001) + u"</name></quiz>"_s,
            K::TooLarge, 2);
        add("XML, an entity declared after a quoted bracket", F::MoodleXml,
            u"<!DOCTYPE quiz [<!ATTLIST quiz a CDATA \"]\"><!ENTITY e \""_s + u"x"_s.repeated(4000)
                + u"\">]>\n<quiz><name>"_s + u"&e;"_s.repeated(25001) + u"</name></quiz>"_s,
            K::TooLarge, 2);
        QString attributes;
        for (int i = 0; i < 65; ++i)
            attributes += u" a%1=\"\""_s.arg(i);
        add("XML, a tag of many attributes", F::MoodleXml,
            u"<quiz>\n<question"_s + attributes + u"/></quiz>"_s, K::NotWellFormed, 2);
        add("XML, a control character's reference", F::MoodleXml,
            quiz.arg(u"shortanswer"_s, answer.arg(u"100"_s, u"&#x1b;"_s)), K::ControlCharacter, 2);
        add("GIFT, questions in two categories", F::Gift,
            u"$CATEGORY: A\n\nQ1 {=a}\n\n$CATEGORY: B\n\nQ2 {=b}"_s, K::SeveralCategories, 7);
        add("GIFT, two right choices", F::Gift, u"// c\n\nQ {=a =b ~c}"_s, K::MultipleChoice, 3);
        add("GIFT, half marks", F::Gift, u"Q {=a ~%50%b}"_s, K::MultipleChoice, 1);
        add("GIFT, a choice no hint line holds", F::Gift, u"Q {=a/b ~c}"_s, K::MultipleChoice, 1);
        add("GIFT, true or false", F::Gift, u"Q {T}"_s, K::UnsupportedType, 1);
        add("GIFT, matching", F::Gift, u"Q {=a -> b =c -> d}"_s, K::UnsupportedType, 1);
        add("GIFT, numerical", F::Gift, u"Q {#3:1}"_s, K::UnsupportedType, 1);
        add("GIFT, description", F::Gift, u"Q\n\nR"_s, K::UnsupportedType, 1);
        add("GIFT, unclosed", F::Gift, u"Q1 {=a}\n\nQ2 {=a\n"_s, K::Unclosed, 3);
        add("GIFT, no full marks", F::Gift, u"Q {=%50%a}"_s, K::NoRightAnswer, 1);
        add("GIFT, a part count past the loader's", F::Gift,
            u"// #タイトル T\n// #部の数 99999999\n$CATEGORY: T\n\nQ {=a}"_s, LoadFault::PartsOutOfRange, 0);
        add("GIFT, an answer too long", F::Gift, u"// c\n\nQ {="_s + u"a"_s.repeated(10001) + u"}"_s,
            LoadFault::LineTooLong, 3);
        add("GIFT, nothing", F::Gift, u"// c"_s, K::Empty, 0);
        add("GIFT, a title the loader reads as an encoded file", F::Gift,
            u"// #タイトル \\\\\\\\4000D000A000D000A000D000A\n$CATEGORY: T\n\nQ {=a}"_s, K::EncodedTitle, 0);
    }
    void refused()
    {
        QFETCH(F, format);
        QFETCH(QString, text);
        QFETCH(OnlineRefusal, kind);
        QFETCH(int, line);
        const OnlineBankRead read = readOnlineBank(format, text.toUtf8());
        QCOMPARE(read.fault, kind);
        QCOMPARE(read.line, line);
        QVERIFY(read.value.lines.isEmpty());
        QVERIFY(onlineRefusalText(format, read, u"b"_s).endsWith(u"\nb"_s));
    }

    // A backslash before anything but GIFT's own markers is text.
    void giftBackslash_data()
    {
        QTest::addColumn<QString>("gift");
        QTest::addColumn<QString>("text");
        QTest::addRow("before a full stop") << u"a\\.b {=x}"_s << u"a\\.b"_s;
        QTest::addRow("before brackets") << u"\\(x^2\\) {=x}"_s << u"\\(x^2\\)"_s;
    }
    void giftBackslash()
    {
        QFETCH(QString, gift);
        QFETCH(QString, text);
        QCOMPARE(readOnlineBank(F::Gift, gift.toUtf8()).value.lines.value(6), text);
    }

    // A device never ends or blocks: only a regular file is read.
    void device()
    {
#ifdef Q_OS_UNIX
        QCOMPARE(readOnlineBankFile(F::Gift, u"/dev/null"_s).fault, OnlineRefusal(K::Unreadable));
        QCOMPARE(readQuestionCsvFile(u"/dev/null"_s).fault, CsvRefusal(CsvFault::Unreadable));
#endif
    }

    // Banks as a learning system writes them: the first full-marks answer, paragraphs and
    // a blank inside the text.
    void foreign()
    {
        const QString xml
            = u"<quiz><question type=\"category\"><category><text>$course$/top/A//B</text></category>"
              "</question><question type=\"shortanswer\" id=\"Q&amp;A\"><questiontext format=\"html\"><text>"
              "<![CDATA[<p>Two &amp; <strong>two</strong></p><p>=?</p>]]></text></questiontext>"
              "<answer fraction=\"0\"><text>5</text></answer><answer fraction=\"100\"><text>four"
              "</text></answer><answer fraction=\"100\"><text>4</text></answer></question></quiz>"_s;
        const QStringList header {u"A/B"_s, QString(), QString(), QString(), QString(), QString()};
        const QStringList fromXml = header + QStringList {u"Two & @two@\\/=?"_s, QString(), u"four"_s};
        QCOMPARE(readOnlineBank(F::MoodleXml, xml.toUtf8()).value.lines, fromXml);
        const QString gift
            = u"$CATEGORY: $course$/A//B\n\n::Q1:: Two plus\n two equals {=%100%four#fb =4} \\{x\\}.\n"_s;
        const QStringList fromGift
            = header + QStringList {u"Two plus\\/ two equals （　　） {x}."_s, QString(), u"four"_s};
        QCOMPARE(readOnlineBank(F::Gift, gift.toUtf8()).value.lines, fromGift);
    }
};

QTEST_GUILESS_MAIN(tst_online)
#include "tst_online.moc"
