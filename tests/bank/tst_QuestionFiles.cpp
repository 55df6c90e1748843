// SPDX-License-Identifier: GPL-3.0-or-later
// Loading question files: what the bank holds afterwards, what is refused and how.
#include "setup/RangeSetup.h"

#include "support/Fixtures.h"

using namespace sorario::test;

using FileList = QList<QStringList>;

const QString BrokenData = u"◆データが壊れています！"_s;

namespace {

const QStringList Largest = questionFile(u"A"_s, u"1"_s, 3331);

const struct CapacityRow
{
    const char *name;
    FileList files;
    int bank;
} capacityRows[] = {
    {.name = "5000 in two files", .files = {Largest, questionFile(u"B"_s, u"1"_s, 1669)}, .bank = 5000},
    {.name = "5001: the second file refused",
        .files = {Largest, questionFile(u"B"_s, u"1"_s, 1670)},
        .bank = 3331},
    {.name = "a file without questions after 5000 is none past it",
        .files = {Largest, questionFile(u"B"_s, u"1"_s, 1669), questionFile(u"Z"_s, u"1"_s, 0)},
        .bank = 5000},
};

// Declared counts, one file each; -1: refused.
const struct PartCountsRow
{
    const char *name;
    QStringList declared;
    int parts;
} partCountsRows[] = {
    {.name = "the most", .declared = {u"32767"_s}, .parts = 32767},
    {.name = "rounds to even 32768", .declared = {u"32767.5"_s}, .parts = -1},
    {.name = "a thousand digits", .declared = {u"9"_s.repeated(1000)}, .parts = -1},
    {.name = "below the least", .declared = {u"-32769"_s}, .parts = -1},
    {.name = "a sum past the most", .declared = {u"16384"_s, u"16384"_s}, .parts = -1},
    {.name = "each file's count rounded: 16383.5 gives 16384, the sum 32768",
        .declared = {u"16383.5"_s, u"16383.5"_s},
        .parts = -1},
    {.name = "a negative file brings the sum back",
        .declared = {u"32767"_s, u"-1"_s, u"1"_s},
        .parts = 32767},
};

} // namespace

class TestQuestionFiles : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    std::unique_ptr<Module1> load(const FileList &files, ScriptedDialogs &dialogs)
    {
        return loadFiles(m_dir.path(), files, dialogs);
    }

private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<FileList>("files");
        QTest::addColumn<QList<int>>("failedBankPartsSize"); // size -1: not looked at
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QStringList>("shown");
        const QStringList none, broken {u"message"_s}, beepBroken {u"beep"_s, u"message"_s};
        const auto file = [](const char *title, const QString &parts, int questions) {
            return questionFile(QString::fromUtf8(title), parts, questions);
        };
        QTest::newRow("six lines") << FileList {file("A", u"2"_s, 0)} << QList<int> {0, 0, 2, 0} << u"A\r\n"_s
                                   << none;
        QTest::newRow("empty file") << FileList {{}} << QList<int> {0, 0, 1, 0} << u"ソラリオ\r\n"_s << none;
        QTest::newRow("seven lines stop the load") << FileList {file("A", u"1"_s, 2),
            file("B", u"1"_s, 0) + QStringList {u"x"_s}, file("C", u"1"_s, 5)}
                                                   << QList<int> {1, 2, 1, -1} << u"A\r\n"_s << beepBroken;
        QTest::newRow("missing file, no beep") << FileList {file("A", u"1"_s, 1), MissingFile}
                                               << QList<int> {1, 1, 1, -1} << u"A\r\n"_s << broken;
        QTest::newRow("empty, 0 and a word count as 1")
            << FileList {file("A", QString(), 1), file("B", u"0"_s, 1), file("C", u"abc"_s, 1)}
            << QList<int> {0, 3, 3, 1} << u"A\r\nB\r\nC\r\n"_s << none;
        QTest::newRow("halves round to even") << FileList {file("A", u"2.5"_s, 4), file("B", u"2.5部"_s, 4)}
                                              << QList<int> {0, 8, 4, 2} << u"A\r\nB\r\n"_s << none;
        QTest::newRow("negative sum gives 1 part")
            << FileList {file("A", u"-3"_s, 4)} << QList<int> {0, 4, 1, 4} << u"A\r\n"_s << none;
        QTest::newRow("negative count subtracts") << FileList {file("A", u"5"_s, 4), file("B", u"-2"_s, 5)}
                                                  << QList<int> {0, 9, 3, 3} << u"A\r\nB\r\n"_s << none;
        // Part size is the quotient cut down, not rounded.
        QTest::newRow("fewer questions than parts")
            << FileList {file("A", u"3"_s, 2)} << QList<int> {0, 2, 3, 0} << u"A\r\n"_s << none;
        QTest::newRow("encoded, 12 lines whatever the physical count")
            << FileList {encodedFile(file("E", u"2"_s, 2)) + QStringList {u"extra"_s}}
            << QList<int> {0, 2, 2, 1} << u"E\r\n"_s << none;
        QTest::newRow("encoded, bad group: no beep")
            << FileList {{u"\\\\\\0041000D000AZZZZ"_s}} << QList<int> {1, 0, 0, -1} << QString() << broken;
        QTest::newRow("encoded, empty payload")
            << FileList {{u"\\\\\\"_s}} << QList<int> {1, 0, 0, -1} << QString() << beepBroken;
    }
    void figures()
    {
        QFETCH(FileList, files);
        QFETCH(QList<int>, failedBankPartsSize);
        ScriptedDialogs dialogs;
        const auto m = load(files, dialogs);
        QCOMPARE(int(m->LoadFailed), failedBankPartsSize[0]);
        QCOMPARE(int(m->BankQuestionCount), failedBankPartsSize[1]);
        QCOMPARE(int(m->PartCount), failedBankPartsSize[2]);
        if (failedBankPartsSize[3] >= 0)
            QCOMPARE(int(m->PartSize), failedBankPartsSize[3]);
        QTEST(m->LoadedTitles, "titles");
        QTEST(dialogs.kinds(), "shown");
        if (!dialogs.messages().isEmpty())
            QCOMPARE(dialogs.messages(), QStringList {BrokenData});
    }

    // Records and headers as written, lines of 10000 characters too; a short file
    // takes no header lines or title from an earlier file or load.
    void recordsKeptWholeAndVerbatim()
    {
        for (const bool encoded : {false, true}) {
            QString line;
            for (int i = 0; line.size() < 10000; ++i)
                line += (i % 3 == 0 ? u"あ"_s : i % 3 == 1 ? u"B"_s : u"\\/"_s);
            line.truncate(10000);
            const QStringList a {u"Title A"_s, u"1"_s, u"CODE"_s, u"4"_s, u"5"_s, u"6"_s,
                u"  He @is@ \\/ a boy.  "_s, u"**"_s, u"彼は～少年です。ｱｲｳ"_s, line, QString(), line};
            ScriptedDialogs dialogs;
            auto m = load({encoded ? encodedFile(a) : a}, dialogs);
            QCOMPARE(int(m->LoadFailed), 0);
            QCOMPARE(m->QuestionBank(1), (QuestionRecord {a[6], a[7], a[8]}));
            QCOMPARE(m->QuestionBank(2), (QuestionRecord {line, QString(), line}));
            for (int s = 1; s <= 6; ++s)
                QCOMPARE(m->FileHeaders(1, s), a[s - 1]);
            m = loadFiles(m_dir.path(), {{}, {u"T"_s, u"2"_s, u"C"_s}}, dialogs, std::move(m));
            QCOMPARE(int(m->LoadFailed), 0);
            QCOMPARE(m->FileHeaders(1, 1), u"ソラリオ"_s);
            QCOMPARE(m->FileHeaders(2, 2), u"2"_s);
            for (int s = 4; s <= 6; ++s)
                QVERIFY(m->FileHeaders(2, s).isEmpty());
        }
    }

    // The capacities, at and one past each: files, lines (before or after decoding),
    // questions, 16-bit part counts.
    void fileCount()
    {
        FileList list;
        for (int f = 1; f <= 100; ++f)
            list << questionFile(u"T%1"_s.arg(f), u"1"_s, 2, u"f%1q"_s.arg(f));
        ScriptedDialogs dialogs;
        const auto m = load(list, dialogs);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(int(m->BankQuestionCount), 200);
        QCOMPARE(int(m->PartCount), 100);
        QVERIFY(m->LoadedTitles.endsWith(u"T99\r\nT100\r\n"_s));
        QCOMPARE(m->QuestionBank(200).QuestionText, u"f100q2"_s);
    }
    void lineCapacity_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("encoded");
        QTest::addColumn<QString>("message"); // empty: loads
        const QString tooMany = u"行数が10000行をこえています"_s;
        QTest::newRow("plain, 9999 load whole") << 9999 << false << QString();
        for (const bool encoded : {false, true}) {
            const char *form = encoded ? "encoded" : "plain";
            QTest::addRow("%s, 10000", form) << 10000 << encoded << BrokenData; // only no multiple of 3
            QTest::addRow("%s, 10001", form) << 10001 << encoded << tooMany;
        }
        QTest::newRow("plain, 30000") << 30000 << false << tooMany; // far past the line table
    }
    void lineCapacity()
    {
        QFETCH(int, lines);
        QFETCH(bool, encoded);
        QFETCH(QString, message);
        ScriptedDialogs dialogs;
        const auto m = load({encoded ? encodedFile(lineRun(lines)) : lineRun(lines)}, dialogs);
        QCOMPARE(int(m->LoadFailed), message.isEmpty() ? 0 : 1);
        if (message.isEmpty()) {
            QCOMPARE(m->QuestionBank(m->BankQuestionCount).Answer, QString::number(lines));
            return;
        }
        QVERIFY2(dialogs.messages().value(0).contains(message), qPrintable(dialogs.messages().value(0)));
        // Only the structure check beeps; a length refusal is no broken file.
        QCOMPARE(dialogs.kinds().contains(u"beep"_s), message == BrokenData);
    }
    // 3331 questions in the bank: the second file refused; a file without questions
    // after 5000 is none past it.
    void questionCapacity_data() { addRows(capacityRows); }
    void questionCapacity()
    {
        QFETCH(int, row);
        const CapacityRow &r = capacityRows[row];
        ScriptedDialogs dialogs;
        const auto m = load(r.files, dialogs);
        QCOMPARE(int(m->BankQuestionCount), r.bank);
        QCOMPARE(int(m->LoadFailed), r.bank < 5000 ? 1 : 0);
        const QString tooMany = u"◆問題数が合計5000問をこえます。\n選ぶファイルを減らしてください。"_s;
        QCOMPARE(dialogs.messages(), r.bank < 5000 ? QStringList {tooMany} : QStringList {});
    }

    void partCounts_data() { addRows(partCountsRows); }
    void partCounts()
    {
        QFETCH(int, row);
        const PartCountsRow &r = partCountsRows[row];
        FileList files;
        for (const QString &d : r.declared)
            files << questionFile(u"T"_s, d, 1);
        ScriptedDialogs dialogs;
        const auto m = load(files, dialogs);
        QCOMPARE(dialogs.messages(), r.parts < 0 ? QStringList {BrokenData} : QStringList {});
        if (r.parts < 0)
            return;
        QCOMPARE(int(m->PartCount), r.parts);
        // The part list has one entry per part, the last one numbered right.
        QCOMPARE(PartListEntries(*m).size(), r.parts);
        QCOMPARE(PartListEntries(*m).last(), u"その  "_s + QString::number(r.parts));
    }
};

QTEST_GUILESS_MAIN(TestQuestionFiles)
#include "tst_QuestionFiles.moc"
