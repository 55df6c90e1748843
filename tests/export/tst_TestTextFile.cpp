#include "export/TestTextFile.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

const QString Separator = QString(66, u'-');

// A module after a draw: file titles, the chosen parts and the drawn questions,
// the latter given as flat triples (question, hint, answer).
std::unique_ptr<Module1> drawn(const QStringList &titles, int allParts, const QStringList &parts,
                               const QStringList &triples)
{
    auto m = std::make_unique<Module1>();
    m->ChosenFileCount = static_cast<std::int16_t>(titles.size());
    for (int f = 1; f <= titles.size(); ++f)
        m->FileHeaders(f, 1) = titles[f - 1];
    m->AllPartsChosen = static_cast<std::int16_t>(allParts);
    m->ChosenPartCount = static_cast<std::int16_t>(parts.size());
    for (int i = 1; i <= parts.size(); ++i)
        m->ChosenPartNumbers(i) = parts[i - 1];
    m->QuestionCount = static_cast<std::int16_t>(triples.size() / 3);
    for (int k = 1; k <= m->QuestionCount; ++k)
        m->DrawnQuestions(k) = {triples[3 * k - 3], triples[3 * k - 2], triples[3 * k - 1]};
    return m;
}

QByteArray expectedBytes(const QStringList &lines) { return sjis(joinCrLf(lines)); }

} // namespace

class tst_TestTextFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void records_data();
    void records();
    void numberFieldUpToAThousand();
    void writesWholeAndReplaces();
    void failedWriteLeavesDiskAsItWas_data();
    void failedWriteLeavesDiskAsItWas();
    void saveDialogOptions();
    void cancelWritesNothing();
    void unwritablePathIsReported();
    void sheetTexts_data();
    void sheetTexts();

private:
    QTemporaryDir m_dir;
};

void tst_TestTextFile::records_data()
{
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<int>("allParts");
    QTest::addColumn<QStringList>("parts");
    QTest::addColumn<QStringList>("questions");
    QTest::addColumn<QStringList>("lines");

    QTest::newRow("one file, all parts")
        << QStringList{u"T"_s} << 1 << QStringList{u"１"_s, u"２"_s}
        << QStringList{u"Q1"_s, u"H1"_s, u"A1"_s, u"Q2"_s, u"H2"_s, u"A2"_s}
        << QStringList{u"T"_s, u"すべてのはんい"_s,
                       u"  1 Q1"_s, u"　〔H1〕"_s, u"  2 Q2"_s, u"　〔H2〕"_s, QString(),
                       Separator, u"【解答】"_s, u"T"_s, u"すべてのはんい"_s,
                       u"  1 A1"_s, u"  2 A2"_s, QString()};
    QTest::newRow("one file, parts 1, 3 and 4")
        << QStringList{u"文型"_s} << 0 << QStringList{u"１"_s, u"３"_s, u"４"_s}
        << QStringList{u"Q"_s, u"H"_s, u"A"_s}
        << QStringList{u"文型"_s, u"その１・３・４"_s, u"  1 Q"_s, u"　〔H〕"_s, QString(),
                       Separator, u"【解答】"_s, u"文型"_s, u"その１・３・４"_s, u"  1 A"_s, QString()};
    QTest::newRow("one file, no part chosen")
        << QStringList{u"T"_s} << 0 << QStringList{} << QStringList{}
        << QStringList{u"T"_s, u"その"_s, QString(), Separator, u"【解答】"_s,
                       u"T"_s, u"その"_s, QString()};
    QTest::newRow("three files: parts play no role")
        << QStringList{u"A"_s, u"B"_s, u"C"_s} << 0 << QStringList{u"２"_s}
        << QStringList{u"Q"_s, u"H"_s, u"A"_s}
        << QStringList{u"まとめのテスト"_s, u"A～C"_s, u"  1 Q"_s, u"　〔H〕"_s, QString(),
                       Separator, u"【解答】"_s, u"まとめのテスト"_s, u"A～C"_s, u"  1 A"_s, QString()};
    QTest::newRow("two files, all parts")
        << QStringList{u"前"_s, u"後"_s} << 1 << QStringList{u"１"_s}
        << QStringList{}
        << QStringList{u"まとめのテスト"_s, u"前～後"_s, QString(), Separator, u"【解答】"_s,
                       u"まとめのテスト"_s, u"前～後"_s, QString()};
    QTest::newRow("hints: empty and markers still get their line")
        << QStringList{u"T"_s} << 1 << QStringList{}
        << QStringList{u"Q1"_s, QString(), u"A1"_s, u"Q2"_s, u"*"_s, u"A2"_s, u"Q3"_s, u"**"_s, u"A3"_s}
        << QStringList{u"T"_s, u"すべてのはんい"_s,
                       u"  1 Q1"_s, u"　〔〕"_s, u"  2 Q2"_s, u"　〔*〕"_s, u"  3 Q3"_s, u"　〔**〕"_s,
                       QString(), Separator, u"【解答】"_s, u"T"_s, u"すべてのはんい"_s,
                       u"  1 A1"_s, u"  2 A2"_s, u"  3 A3"_s, QString()};
    QTest::newRow("break marks dropped from the blocks only")
        << QStringList{u"a\\/b"_s} << 1 << QStringList{}
        << QStringList{u"I \\/am"_s, u"be\\/動詞"_s, u"x\\/y"_s, u"a\\\\//b"_s, u"\\"_s, u"/"_s}
        << QStringList{u"a\\/b"_s, u"すべてのはんい"_s,
                       u"  1 I am"_s, u"　〔be動詞〕"_s, u"  2 a\\/b"_s, u"　〔\\〕"_s, QString(),
                       Separator, u"【解答】"_s, u"a\\/b"_s, u"すべてのはんい"_s,
                       u"  1 xy"_s, u"  2 /"_s, QString()};
    QTest::newRow("print markers written as they are")
        << QStringList{u"T"_s} << 1 << QStringList{}
        << QStringList{u"@He@ is ─ ."_s, u"〔x〕"_s, u"@is@"_s}
        << QStringList{u"T"_s, u"すべてのはんい"_s, u"  1 @He@ is ─ ."_s, u"　〔〔x〕〕"_s, QString(),
                       Separator, u"【解答】"_s, u"T"_s, u"すべてのはんい"_s, u"  1 @is@"_s, QString()};
}

void tst_TestTextFile::records()
{
    QFETCH(QStringList, titles);
    QFETCH(int, allParts);
    QFETCH(QStringList, parts);
    QFETCH(QStringList, questions);
    QFETCH(QStringList, lines);

    const auto m = drawn(titles, allParts, parts, questions);
    const QString path = m_dir.filePath(u"records.txt"_s);
    QVERIFY(WriteTestTextTo(*m, path));
    QCOMPARE(readBytes(path), expectedBytes(lines));
}

void tst_TestTextFile::numberFieldUpToAThousand()
{
    QStringList triples;
    for (int k = 1; k <= MaxDrawnQuestions; ++k)
        triples << u"q"_s << QString() << u"a"_s;
    const auto m = drawn({u"T"_s}, 1, {}, triples);
    const QStringList lines = splitLines(BuildTestText(*m));
    QCOMPARE(lines.size(), 2 + 2 * MaxDrawnQuestions + 1 + 4 + MaxDrawnQuestions + 1);
    const int answers = 2 + 2 * MaxDrawnQuestions + 5;
    const QList<std::pair<int, QString>> fields = {
        {1, u"  1"_s}, {9, u"  9"_s}, {10, u" 10"_s}, {99, u" 99"_s},
        {100, u"100"_s}, {999, u"999"_s}, {1000, u"1000"_s}};
    for (const auto &[k, field] : fields) {
        QCOMPARE(lines[2 + 2 * (k - 1)], field + u" q"_s);
        QCOMPARE(lines[answers + k - 1], field + u" a"_s);
    }
}

void tst_TestTextFile::writesWholeAndReplaces()
{
    const QString path = m_dir.filePath(u"replace.txt"_s);
    writeSjisLines(path, QStringList(200, u"an older and much longer export"_s));
    const auto m = drawn({u"T"_s}, 1, {}, {u"Q"_s, u"H"_s, u"A"_s});
    QVERIFY(WriteTestTextTo(*m, path));
    QCOMPARE(readBytes(path), sjis(BuildTestText(*m)));
}

// A write that cannot complete: nothing half-written, nothing left behind.
void tst_TestTextFile::failedWriteLeavesDiskAsItWas_data()
{
    QTest::addColumn<QString>("target");
    QTest::newRow("target is a folder with files") << u"folder"_s;
    QTest::newRow("folder is a file") << u"plain.txt/out.txt"_s;
    QTest::newRow("folder missing") << u"missing/out.txt"_s;
}

void tst_TestTextFile::failedWriteLeavesDiskAsItWas()
{
    QFETCH(QString, target);
    QTemporaryDir dir;
    QDir root(dir.path());
    QVERIFY(root.mkdir(u"folder"_s));
    writeSjisLines(root.filePath(u"folder/keep.txt"_s), {u"keep"_s});
    writeSjisLines(root.filePath(u"plain.txt"_s), {u"plain"_s});
    const auto before = root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const auto m = drawn({u"T"_s}, 1, {}, {u"Q"_s, u"H"_s, u"A"_s});
    QVERIFY(!WriteTestTextTo(*m, root.filePath(target)));

    QCOMPARE(root.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), before);
    QCOMPARE(QDir(root.filePath(u"folder"_s)).entryList(QDir::Files | QDir::Hidden),
             QStringList{u"keep.txt"_s});
    QCOMPARE(readBytes(root.filePath(u"plain.txt"_s)), sjis(u"plain\r\n"_s));
}

void tst_TestTextFile::saveDialogOptions()
{
    ScriptedDialogs dialogs;
    const QString path = m_dir.filePath(u"saved.txt"_s);
    dialogs.saveAnswers.enqueue(path);
    const auto m = drawn({u"T"_s}, 1, {}, {u"Q"_s, u"H"_s, u"A"_s});
    QVERIFY(WriteTestTextFile(*m, dialogs));

    QCOMPARE(dialogs.kinds(), QStringList{u"save"_s});
    const FileDialogOptions &o = dialogs.shown.first().fileOptions;
    QCOMPARE(o.title, u"テキストファイル保存"_s);
    QCOMPARE(o.filter, u"テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*"_s);
    QCOMPARE(o.filterIndex, 1);
    QCOMPARE(o.defaultExt, u"txt"_s);
    QCOMPARE(o.fileName, u"ソラリオ"_s);
    QCOMPARE(o.flags, 2054);
    QCOMPARE(readBytes(path), sjis(BuildTestText(*m)));
}

void tst_TestTextFile::cancelWritesNothing()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs; // no answer queued: the dialog is cancelled
    const auto m = drawn({u"T"_s}, 1, {}, {u"Q"_s, u"H"_s, u"A"_s});
    QVERIFY(!WriteTestTextFile(*m, dialogs));
    QCOMPARE(dialogs.kinds(), QStringList{u"save"_s});
    QVERIFY(QDir(dir.path()).isEmpty());
}

void tst_TestTextFile::unwritablePathIsReported()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    dialogs.saveAnswers.enqueue(dir.filePath(u"missing/out.txt"_s));
    const auto m = drawn({u"T"_s}, 1, {}, {u"Q"_s, u"H"_s, u"A"_s});
    QVERIFY(!WriteTestTextFile(*m, dialogs));
    QCOMPARE(dialogs.kinds(), (QStringList{u"save"_s, u"message"_s}));
    QVERIFY(dialogs.shown.last().text.startsWith(u"テキストファイルを保存できませんでした。"_s));
    QCOMPARE(dialogs.shown.last().title, u"ソラリオ"_s);
    QVERIFY(QDir(dir.path()).isEmpty());
}

QTEST_GUILESS_MAIN(tst_TestTextFile)
#include "tst_TestTextFile.moc"

void tst_TestTextFile::sheetTexts_data()
{
    QTest::addColumn<int>("sheets");
    QTest::addColumn<int>("layout");
    QTest::newRow("one sheet") << 1 << 1;
    QTest::newRow("one sheet, exchanged") << 1 << 2;
    QTest::newRow("three sheets") << 3 << 1;
    QTest::newRow("two sheets, each exchanged once") << 2 << 2;
}

// Each test is what one sheet alone would write, from its own draw.
void tst_TestTextFile::sheetTexts()
{
    QFETCH(int, sheets);
    QFETCH(int, layout);
    auto m = drawn({u"T"_s}, 1, {}, {u"x"_s, u"h"_s, u"y"_s, u"x"_s, u"h"_s, u"y"_s});
    m->SheetCount = static_cast<std::int16_t>(sheets);
    m->AnswerLayout = static_cast<std::int16_t>(layout);
    const auto question = [](int sheet, int n) {
        return QuestionRecord{u"S%1Q%2（k）"_s.arg(sheet).arg(n), u"H"_s, u"S%1A%2"_s.arg(sheet).arg(n)};
    };
    QList<int> calls;
    const QString text = BuildSheetTexts(*m, [&](int sheet) {
        calls.append(sheet);
        for (int n = 1; n <= m->QuestionCount; ++n)
            m->DrawnQuestions(n) = question(sheet, n);
    });

    QStringList expected;
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        QCOMPARE(calls.value(sheet - 1), sheet);
        auto alone = drawn({u"T"_s}, 1, {}, {});
        alone->AnswerLayout = static_cast<std::int16_t>(layout);
        alone->QuestionCount = 2;
        for (int n = 1; n <= 2; ++n)
            alone->DrawnQuestions(n) = question(sheet, n);
        ExchangeBracketAndAnswer(*alone);
        expected.append(BuildTestText(*alone));
    }
    QCOMPARE(calls.size(), sheets);
    QCOMPARE(text, expected.join(QString(66, u'=') + u"\r\n"_s));
    QCOMPARE(text.contains(u"（S1A1）"_s), layout == 2);
}
