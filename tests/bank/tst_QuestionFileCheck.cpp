// SPDX-License-Identifier: GPL-3.0-or-later
// Checking question files: every problem with its place, and the same refusals as the loader.
#include "bank/QuestionFileCheck.h"

#include "platform/LineFile.h"

#include "support/Fixtures.h"

#include <QStringEncoder>

#include <random>

using namespace sorario::test;

namespace {

// How a test names a file: lines to write, or one of these.
const QString Missing = u"<missing>"_s;
const QString Folder = u"<folder>"_s;
const QString Unreadable = u"<unreadable>"_s;

struct FileMade
{
    QStringList lines;
    QByteArray bytes; // written as they are when not empty
    QString suffix = u"qvn"_s;
};
using Files = QList<FileMade>;

QStringList encoded(const QString &payload)
{
    return {QString::fromUtf16(EncodedMark) + payload};
}

FileMade lines(const QStringList &l)
{
    return {l, {}};
}

QStringList file(int questions, const QString &parts = u"1"_s)
{
    return questionFile(u"T"_s, parts, questions);
}

// A problem as the tests name it: file number, line, column and kind.
struct Seen
{
    qsizetype file;
    int line;
    int column;
    CheckKind kind;
    friend bool operator==(const Seen &, const Seen &) = default;
};

} // namespace

class TestQuestionFileCheck : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_written = 0;

    static bool loadFails(const QStringList &paths)
    {
        if (paths.size() > MaxChosenFiles)
            return true; // refused as they are chosen
        auto m = std::make_unique<Module1>();
        for (const QString &path : paths)
            m->ChosenFileList(++m->ChosenFileCount) = path;
        ScriptedDialogs dialogs;
        LoadQuestionFiles(*m, dialogs);
        return m->LoadFailed == 1;
    }

    QStringList write(const Files &files)
    {
        QStringList paths;
        for (const FileMade &f : files) {
            const QString first = f.lines.value(0);
            if (f.lines.size() == 1 && first == Unreadable) {
                paths << u"/proc/self/mem"_s; // opens, then fails to read
                continue;
            }
            const QString path = m_dir.filePath(u"c%1."_s.arg(++m_written) + f.suffix);
            paths << path;
            if (f.lines.size() == 1 && first == Missing)
                continue;
            if (f.lines.size() == 1 && first == Folder) {
                QDir().mkpath(path);
                continue;
            }
            f.bytes.isEmpty() ? void(writeSjisLines(path, f.lines)) : writeBytes(path, f.bytes);
        }
        return paths;
    }

private Q_SLOTS:
    // Each file set is checked, and loaded: the check refuses exactly what the load refuses.
    void problems_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QList<Seen>>("expected"); // notes of Shift-JIS files left out

        using K = CheckKind;
        QStringList seven = file(0);
        seven << u"x"_s;
        QStringList ten = file(1);
        ten << u"x"_s;
        QStringList many = lineRun(10001);
        QTest::newRow("good") << Files {lines(file(3)), lines(encodedFile(file(2)))} << QList<Seen> {};
        QTest::newRow("7 lines") << Files {lines(seven)} << QList<Seen> {{1, 7, 0, K::NotWholeQuestions}};
        QTest::newRow("part count a word")
            << Files {lines(file(1, u"abc"_s))} << QList<Seen> {{1, 2, 0, K::PartsNotANumber}};
        QTest::newRow("no questions, more parts than questions")
            << Files {lines({}), lines(file(0)), lines(file(2, u"3"_s)), lines(file(2, u"2.5"_s))}
            << QList<Seen> {{1, 0, 0, K::NoQuestions}, {2, 0, 0, K::NoQuestions},
                   {3, 2, 0, K::MorePartsThanQuestions}, {4, 2, 0, K::PartsNotWhole}};
        QTest::newRow("part counts not plain whole numbers")
            << Files {lines(file(3, u"1e9"_s)), lines(file(3, u"-1"_s)), lines(file(3, u"+3"_s)),
                   lines(file(3, u"10"_s))}
            << QList<Seen> {{1, 2, 0, K::PartsNotWhole}, {2, 2, 0, K::PartsNotWhole},
                   {3, 2, 0, K::PartsNotWhole}, {4, 2, 0, K::MorePartsThanQuestions}};
        QStringList marks = file(2);
        marks[6] = u"tom@example.com"_s;
        marks[7] = u"@for ten years."_s;
        marks[9] = u"@a@ b @c@"_s;
        QTest::newRow("a lone @, plain and encoded")
            << Files {lines(marks), lines(encodedFile(marks))}
            << QList<Seen> {{1, 7, 4, K::LoneMark}, {1, 8, 1, K::LoneMark}, {2, 7, 4, K::LoneMark},
                   {2, 8, 1, K::LoneMark}};
        QStringList longLine = file(1);
        longLine[8] = QString(10001, u'x');
        QTest::newRow("a line of 10001 characters, plain and encoded")
            << Files {lines(longLine), lines(encodedFile(longLine))}
            << QList<Seen> {{1, 9, 0, K::LineTooLong}, {2, 9, 0, K::LineTooLong}};
        QTest::newRow("UTF-16 with its mark") << Files {
            {{}, QStringEncoder(QStringEncoder::Utf16LE, QStringEncoder::Flag::WriteBom)(joinCrLf(file(1)))},
            {{},
                QStringEncoder(QStringEncoder::Utf16BE, QStringEncoder::Flag::WriteBom)(joinCrLf(
                    file(1)))}} << QList<Seen> {{1, 0, 0, K::ReadAsUtf16Le}, {2, 0, 0, K::ReadAsUtf16Be}};
        QStringList noAnswer = file(3);
        noAnswer[11].clear(); // line 12, the answer of question 2
        QTest::newRow("an empty answer")
            << Files {lines(noAnswer), lines(encodedFile(noAnswer))}
            << QList<Seen> {{1, 12, 0, K::EmptyAnswer}, {2, 12, 0, K::EmptyAnswer}};
        QStringList kinds = file(3);
        kinds[6] = u"She {{teacher}} ."_s; // a group of one word
        kinds[10] = u"{{go / goes / went}}"_s;
        kinds[11] = u"gone"_s;
        kinds[13] = u"{{a / b / a}}"_s;
        kinds[14] = u"b"_s;
        QTest::newRow("word order and choices malformed")
            << Files {lines(kinds)}
            << QList<Seen> {{.file = 1, .line = 7, .column = 5, .kind = K::KindOneWord},
                   {.file = 1, .line = 12, .column = 1, .kind = K::KindAnswerNotAChoice},
                   {.file = 1, .line = 14, .column = 11, .kind = K::KindDuplicateChoice}};
        QStringList garbled = file(3);
        garbled[6] = u"{{a / {{b / c}} / d}}."_s; // its first "}}" ends the group
        garbled[9] = u"{{a\\/b / c}}."_s;
        garbled[10] = u"{{go / went}} です"_s;
        garbled[11] = u"a}}"_s;
        garbled[12] = u"{{@She / is@}}."_s;
        QTest::newRow("markers the sheet would print garbled")
            << Files {lines(garbled)}
            << QList<Seen> {{1, 7, 7, K::KindNestedOpen}, {1, 7, 20, K::KindStrayClose},
                   {1, 10, 4, K::KindBreakInGroup}, {1, 11, 1, K::KindMisplaced},
                   {1, 12, 2, K::KindMisplaced}, {1, 13, 3, K::KindMarkInWord},
                   {1, 13, 12, K::KindMarkInWord}};
        QTest::newRow("old format") << Files {{file(1), {}, u"qvk"_s}}
                                    << QList<Seen> {{1, 0, 0, K::OldFormat}};
        QTest::newRow("UTF-8 without its mark")
            << Files {{{}, u"T\r\n1\r\nS\r\n\r\n\r\n\r\nあ\r\nh\r\na\r\n"_s.toUtf8()}}
            << QList<Seen> {{1, 0, 0, K::ReadAsUtf8WithoutMark}};
        QTest::newRow("a byte that is no character")
            << Files {{{}, QByteArray("T\r\n1\r\nS\r\n\r\n\r\n\r\nQ\r\nH\x81\r\nA\r\n")}}
            << QList<Seen> {{1, 8, 0, K::BadBytes}};
        QTest::newRow("missing, folder, unreadable")
            << Files {lines({Missing}), lines({Folder}), lines({Unreadable})}
            << QList<Seen> {{1, 0, 0, K::Missing}, {2, 0, 0, K::Folder}, {3, 0, 0, K::Unreadable}};
        QTest::newRow("encoded, a group no character")
            << Files {lines(encoded(u"0041000D000A85A0"_s))} << QList<Seen> {{1, 1, 16, K::GroupNoCharacter}};
        QTest::newRow("encoded, noise")
            << Files {lines(encoded(u"G"_s.repeated(24)))}
            << QList<Seen> {{1, 1, 4, K::GroupNotHexadecimal}, {1, 1, 8, K::GroupNotHexadecimal},
                   {1, 1, 12, K::GroupNotHexadecimal}, {1, 1, 0, K::MoreBadGroups}};
        QTest::newRow("encoded, last line without its end")
            << Files {lines(encoded(EncodeLines(file(1)) + EncodeText(u"tail"_s)))}
            << QList<Seen> {{1, 1, 0, K::UnendedLastLine}};
        // Three lines "1", two digits left over, and a second physical line.
        QTest::newRow("encoded, digits dropped, lines after line 1")
            << Files {lines(encoded(u"0031000D000A"_s.repeated(3) + u"00"_s) + QStringList {u"x"_s})}
            << QList<Seen> {
                   {1, 0, 0, K::NoQuestions}, {1, 1, 40, K::DroppedDigits}, {1, 2, 0, K::UnusedLines}};
        QTest::newRow("10001 lines") << Files {lines(many)} << QList<Seen> {{1, 10001, 0, K::TooManyLines}};
        QTest::newRow("encoded, 10001 lines")
            << Files {lines(encodedFile(many))} << QList<Seen> {{1, 1, 0, K::TooManyDecodedLines}};
        QTest::newRow("5000 questions in all")
            << Files {lines(file(3000)), lines(file(2000))} << QList<Seen> {};
        QTest::newRow("5001 questions in all") << Files {lines(file(3000)), lines(file(2001)), lines(file(1))}
                                               << QList<Seen> {{2, 0, 0, K::TooManyQuestions}};
        QTest::newRow("101 files") << Files(101, lines(file(1)))
                                   << QList<Seen> {{101, 0, 0, K::TooManyFiles}};
        QTest::newRow("part sum past 16 bits")
            << Files {lines(file(1, u"16384"_s)), lines(file(1, u"16384"_s))}
            << QList<Seen> {{1, 2, 0, K::MorePartsThanQuestions}, {2, 2, 0, K::MorePartsThanQuestions},
                   {2, 2, 0, K::PartsOutOfRange}};
    }

    void problems()
    {
        QFETCH(Files, files);
        const QStringList paths = write(files);
        const QList<CheckProblem> problems = CheckQuestionFiles(paths);
        QList<Seen> seen;
        for (const CheckProblem &p : problems)
            if (p.kind != CheckKind::ReadAsShiftJis)
                seen.append({paths.indexOf(p.file) + 1, p.line, p.column, p.kind});
        QTEST(seen, "expected");

        QCOMPARE(RefusedByLoader(problems), loadFails(paths));
    }

    // Random damage to good files, plain and encoded: the check and the loader agree.
    void checkAndLoaderAgree()
    {
        std::mt19937 random(7);
        const QByteArray good[] = {sjis(questionFile(u"T"_s, u"2"_s, 4).join(u"\r\n"_s) + u"\r\n"_s),
            sjis(encodedFile(questionFile(u"T"_s, u"2"_s, 4)).first())};
        for (int round = 0; round < 300; ++round) {
            QByteArray bytes = good[round % 2];
            for (int hits = 1 + int(random() % 3); hits > 0; --hits) {
                const int at = int(random() % bytes.size());
                const char any[] = {'\r', '\n', 'G', '0', '\x81', '\\'};
                random() % 2 ? void(bytes.remove(at, 1 + int(random() % 4)))
                             : void(bytes[at] = any[random() % 6]);
            }
            const QString path = m_dir.filePath(u"damaged%1.qvn"_s.arg(round));
            writeBytes(path, bytes);
            QVERIFY2(RefusedByLoader(CheckQuestionFiles({path})) == loadFails({path}), bytes.constData());
        }
    }
};

QTEST_GUILESS_MAIN(TestQuestionFileCheck)
#include "tst_QuestionFileCheck.moc"
