#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include "support/BankFiles.h"

#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

using FileList = QList<QStringList>;

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
        QTest::addColumn<int>("failed");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("partSize"); // -1: not looked at
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QStringList>("shown");

        const QStringList none;
        const QStringList broken{u"message"_s};
        const QStringList beepBroken{u"beep"_s, u"message"_s};
        const QString a = u"A\r\n"_s;
        const auto file = [](const QString &title, const QString &parts, int questions) {
            return questionFile(title, parts, questions);
        };

        QTest::newRow("six lines") << FileList{file(u"A"_s, u"2"_s, 0)} << 0 << 0 << 2 << 0 << a << none;
        QTest::newRow("empty file") << FileList{{}} << 0 << 0 << 1 << 0 << u"ソラリオ\r\n"_s << none;
        QTest::newRow("three lines") << FileList{{u"T"_s, u"4"_s, QString()}} << 0 << 0 << 4 << 0 << u"T\r\n"_s << none;
        QTest::newRow("seven lines stop the load")
            << FileList{file(u"A"_s, u"1"_s, 2), file(u"B"_s, u"1"_s, 0) + QStringList{u"x"_s}, file(u"C"_s, u"1"_s, 5)}
            << 1 << 2 << 1 << -1 << a << beepBroken;
        QTest::newRow("missing file, no beep") << FileList{file(u"A"_s, u"1"_s, 1), MissingFile}
                                               << 1 << 1 << 1 << -1 << a << broken;
        QTest::newRow("empty, 0 and a word count as 1")
            << FileList{file(u"A"_s, QString(), 1), file(u"B"_s, u"0"_s, 1), file(u"C"_s, u"abc"_s, 1)}
            << 0 << 3 << 3 << 1 << u"A\r\nB\r\nC\r\n"_s << none;
        QTest::newRow("halves round to even") << FileList{file(u"A"_s, u"2.5"_s, 4), file(u"B"_s, u"2.5部"_s, 4)}
                                              << 0 << 8 << 4 << 2 << u"A\r\nB\r\n"_s << none;
        QTest::newRow("a fraction rounding to 0 gives 1 part") << FileList{file(u"A"_s, u"0.4"_s, 3)}
                                                               << 0 << 3 << 1 << 3 << a << none;
        QTest::newRow("negative sum gives 1 part") << FileList{file(u"A"_s, u"-3"_s, 4)} << 0 << 4 << 1 << 4 << a << none;
        QTest::newRow("negative count subtracts") << FileList{file(u"A"_s, u"5"_s, 4), file(u"B"_s, u"-2"_s, 5)}
                                                  << 0 << 9 << 3 << 3 << u"A\r\nB\r\n"_s << none;
        // Part size is the quotient cut down, not rounded.
        QTest::newRow("fewer questions than parts") << FileList{file(u"A"_s, u"3"_s, 2)} << 0 << 2 << 3 << 0 << a << none;
        QTest::newRow("encoded, 12 lines whatever the physical count")
            << FileList{encodedFile(file(u"E"_s, u"2"_s, 2)) + QStringList{u"extra"_s}}
            << 0 << 2 << 2 << 1 << u"E\r\n"_s << none;
        QTest::newRow("encoded, bad group: broken without beep")
            << FileList{{u"\\\\\\0041000D000AZZZZ"_s}} << 1 << 0 << 0 << -1 << QString() << broken;
        QTest::newRow("encoded, empty payload") << FileList{{u"\\\\\\"_s}} << 1 << 0 << 0 << -1 << QString() << beepBroken;
    }

    void figures()
    {
        QFETCH(FileList, files);
        ScriptedDialogs dialogs;
        const auto m = load(files, dialogs);
        QTEST(int(m->LoadFailed), "failed");
        QTEST(int(m->BankQuestionCount), "bank");
        QTEST(int(m->PartCount), "parts");
        QFETCH(int, partSize);
        if (partSize >= 0)
            QCOMPARE(int(m->PartSize), partSize);
        QTEST(m->LoadedTitles, "titles");
        QTEST(dialogs.kinds(), "shown");
        for (const ScriptedDialogs::Shown &s : dialogs.shown) {
            if (s.kind == "message"_L1) {
                QCOMPARE(s.text, BrokenDataMessage);
                QVERIFY(s.title.isEmpty());
                QCOMPARE(s.buttons, MessageButtons::Ok);
            }
        }
    }

    void recordsKeptWholeAndVerbatim()
    {
        const QStringList a{u"Title A"_s, u"1"_s, u"CODE"_s, u"4"_s, u"5"_s, u"6"_s,
                            u"  He @is@ \\/ a boy.  "_s, u"**"_s, u"彼は～少年です。ｱｲｳ"_s,
                            u"Q2"_s, QString(), u"~\\"_s};
        const QStringList b{QString(), u"0"_s, QString(), QString(), QString(), QString(),
                            u"Q3"_s, u"〔ヒント〕"_s, u"A3"_s};
        ScriptedDialogs dialogs;
        const auto m = load({a, b}, dialogs);
        QCOMPARE(int(m->LoadFailed), 0);
        QCOMPARE(int(m->BankQuestionCount), 3);
        const QuestionRecord expected[] = {{a[6], a[7], a[8]}, {a[9], a[10], a[11]}, {b[6], b[7], b[8]}};
        for (int q = 1; q <= 3; ++q)
            QCOMPARE(m->QuestionBank(q), expected[q - 1]);
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(m->FileHeaders(1, s), a[s - 1]);
        QCOMPARE(m->FileHeaders(2, 1), ProgramTitle);
        QCOMPARE(m->FileHeaders(2, 2), u"1"_s);
    }

    // A short file must not take header lines or a title from an earlier file or load.
    void shortFileGetsNoStaleHeaders()
    {
        auto m = std::make_unique<Module1>();
        ScriptedDialogs dialogs;
        loadFiles(*m, m_dir.path(), {questionFile(u"Old"_s, u"1"_s, 1)}, dialogs);
        loadFiles(*m, m_dir.path(), {{}, {u"T"_s, u"2"_s, u"C"_s}}, dialogs);
        QCOMPARE(int(m->LoadFailed), 0);
        QCOMPARE(m->FileHeaders(1, 1), ProgramTitle);
        for (int s = 4; s <= 6; ++s)
            QVERIFY(m->FileHeaders(2, s).isEmpty());
    }

    void unreadableFileIsRefused()
    {
        // Opens, then fails on the first read: a file that exists but cannot be read.
        const QString path = u"/proc/self/mem"_s;
        if (!QFile::exists(path))
            QSKIP("needs /proc");
        auto m = std::make_unique<Module1>();
        m->ChosenFileCount = 1;
        m->ChosenFileList(1) = path;
        ScriptedDialogs dialogs;
        LoadQuestionFiles(*m, dialogs);
        QCOMPARE(int(m->LoadFailed), 1);
        QCOMPARE(dialogs.messages(), QStringList{UnreadableFileMessage(path)});
    }

    // The capacities, at and one past each.
    void fileCount()
    {
        FileList list;
        QString titles;
        for (int f = 1; f <= MaxChosenFiles; ++f) {
            list << questionFile(u"T%1"_s.arg(f), u"1"_s, 2, u"f%1q"_s.arg(f));
            titles += u"T%1\r\n"_s.arg(f);
        }
        ScriptedDialogs dialogs;
        const auto m = load(list, dialogs);
        QCOMPARE(int(m->LoadFailed), 0);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(int(m->BankQuestionCount), 2 * MaxChosenFiles);
        QCOMPARE(int(m->PartCount), MaxChosenFiles);
        QCOMPARE(m->LoadedTitles, titles);
        QCOMPARE(m->FileHeaders(MaxChosenFiles, 1), u"T100"_s);
        QCOMPARE(m->QuestionBank(2 * MaxChosenFiles).QuestionText, u"f100q2"_s);
    }

    // 10000 lines pass the line capacity (and then fail only as no multiple of 3);
    // one line more is refused for its length, before or after decoding alike.
    void lineCapacity_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("encoded");
        QTest::addColumn<QString>("message"); // empty: loads

        const QString tooMany = u"行数が10000行をこえています"_s;
        QTest::newRow("plain, 9999 load whole") << 9999 << false << QString();
        for (const bool encoded : {false, true}) {
            const char *form = encoded ? "encoded" : "plain";
            QTest::addRow("%s, 10000", form) << 10000 << encoded << BrokenDataMessage;
            QTest::addRow("%s, 10001", form) << 10001 << encoded << tooMany;
            QTest::addRow("%s, 30000", form) << 30000 << encoded << tooMany; // far past the line table
        }
    }

    void lineCapacity()
    {
        QFETCH(int, lines);
        QFETCH(bool, encoded);
        QFETCH(QString, message);
        const QStringList file = lineRun(lines);
        ScriptedDialogs dialogs;
        const auto m = load({encoded ? encodedFile(file) : file}, dialogs);
        QCOMPARE(int(m->LoadFailed), message.isEmpty() ? 0 : 1);
        if (message.isEmpty()) {
            QCOMPARE(int(m->BankQuestionCount), (lines - 6) / 3);
            QCOMPARE(m->QuestionBank(m->BankQuestionCount).Answer, QString::number(lines));
            return;
        }
        QCOMPARE(dialogs.messages().size(), 1);
        QVERIFY2(dialogs.messages().first().contains(message), qPrintable(dialogs.messages().first()));
        // Only the structure check beeps; a length refusal is no broken file.
        QCOMPARE(dialogs.kinds().contains(u"beep"_s), message == BrokenDataMessage);
    }

    void questionCapacity_data()
    {
        QTest::addColumn<FileList>("files");
        QTest::addColumn<int>("failed");
        QTest::addColumn<int>("bank");

        const QStringList largest = questionFile(u"A"_s, u"1"_s, 3331);
        QTest::newRow("5000") << FileList{largest, questionFile(u"B"_s, u"1"_s, 1669)} << 0 << 5000;
        QTest::newRow("5001") << FileList{largest, questionFile(u"B"_s, u"1"_s, 1670)} << 1 << 3331;
        // Full is no refusal in itself: only a question past 5000 is.
        QTest::newRow("a file without questions after 5000")
            << FileList{largest, questionFile(u"B"_s, u"1"_s, 1669), questionFile(u"Z"_s, u"1"_s, 0)} << 0 << 5000;
    }

    void questionCapacity()
    {
        QFETCH(FileList, files);
        QFETCH(int, failed);
        ScriptedDialogs dialogs;
        const auto m = load(files, dialogs);
        QCOMPARE(int(m->LoadFailed), failed);
        QTEST(int(m->BankQuestionCount), "bank");
        if (failed)
            QCOMPARE(dialogs.messages(), QStringList{TooManyQuestionsMessage()});
        else
            QVERIFY(dialogs.shown.isEmpty());
    }

    // Counts are 16-bit: the declared part counts and their sum must stay inside.
    void partCounts_data()
    {
        QTest::addColumn<QStringList>("declared"); // one file each
        QTest::addColumn<int>("parts");            // -1: refused

        QTest::newRow("32767") << QStringList{u"32767"_s} << 32767;
        QTest::newRow("32768") << QStringList{u"32768"_s} << -1;
        QTest::newRow("32767.5 rounds to even 32768") << QStringList{u"32767.5"_s} << -1;
        QTest::newRow("a thousand digits") << QStringList{u"9"_s.repeated(1000)} << -1;
        QTest::newRow("-32768 still counts as 1 part") << QStringList{u"-32768"_s} << 1;
        QTest::newRow("-32769") << QStringList{u"-32769"_s} << -1;
        QTest::newRow("sum 32767") << QStringList{u"16383"_s, u"16384"_s} << 32767;
        QTest::newRow("sum 32768") << QStringList{u"16384"_s, u"16384"_s} << -1;
        // Each file's count is rounded: 16383.5 gives 16384, and 16384 + 16383.5 rounds to 32768.
        QTest::newRow("halves rounded file by file") << QStringList{u"16383.5"_s, u"16383.5"_s} << -1;
        QTest::newRow("a negative file brings the sum back") << QStringList{u"32767"_s, u"-1"_s, u"1"_s} << 32767;
    }

    void partCounts()
    {
        QFETCH(QStringList, declared);
        QFETCH(int, parts);
        FileList files;
        for (const QString &d : declared)
            files << questionFile(u"T"_s, d, 1);
        ScriptedDialogs dialogs;
        const auto m = load(files, dialogs);
        QCOMPARE(int(m->LoadFailed), parts < 0 ? 1 : 0);
        if (parts < 0) {
            QCOMPARE(dialogs.messages(), QStringList{BrokenDataMessage});
            return;
        }
        QCOMPARE(int(m->PartCount), parts);
        QCOMPARE(int(m->PartSize), int(m->BankQuestionCount) / parts);
        // The part list has one entry per part, the last one numbered right.
        const QStringList entries = PartListEntries(*m);
        QCOMPARE(entries.size(), parts);
        QCOMPARE(entries.last(), u"その  "_s + QString::number(parts));
    }

    void longLineLoadsWhole_data()
    {
        QTest::addColumn<bool>("encoded");
        QTest::newRow("plain") << false;
        QTest::newRow("encoded") << true;
    }

    void longLineLoadsWhole()
    {
        QFETCH(bool, encoded);
        QString line;
        for (int i = 0; line.size() < 100000; ++i)
            line += (i % 3 == 0 ? u"あ"_s : i % 3 == 1 ? u"B"_s : u"\\/"_s);
        line.truncate(100000);
        QStringList file = questionFile(u"T"_s, u"1"_s, 0);
        file << line << line << line;
        ScriptedDialogs dialogs;
        const auto m = load({encoded ? encodedFile(file) : file}, dialogs);
        QCOMPARE(int(m->LoadFailed), 0);
        QCOMPARE(int(m->BankQuestionCount), 1);
        QCOMPARE(m->QuestionBank(1), (QuestionRecord{line, line, line}));
    }
};

QTEST_GUILESS_MAIN(TestQuestionFiles)
#include "tst_QuestionFiles.moc"
