// The loader at and one past each of its capacities.
#include "bank/QuestionFiles.h"
#include "setup/RangeSetup.h"
#include "shared/Module1.h"

#include "LimitFiles.h"
#include "support/ScriptedDialogs.h"

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

using FileList = QList<QStringList>;

class tst_limits_bank : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_written = 0;

    std::unique_ptr<Module1> load(const FileList &files, ScriptedDialogs &dialogs)
    {
        auto m = std::make_unique<Module1>();
        for (const QStringList &lines : files) {
            const QString path = m_dir.filePath(u"f%1.qvn"_s.arg(++m_written));
            writeSjisLines(path, lines);
            m->ChosenFileList(++m->ChosenFileCount) = path;
        }
        QElapsedTimer clock;
        clock.start();
        LoadQuestionFiles(*m, dialogs);
        // A capacity check that walks past the end would show here or crash.
        [&] { QVERIFY2(clock.elapsed() < 3000, "the load took too long"); }();
        return m;
    }

private Q_SLOTS:
    void fileCount_data()
    {
        QTest::addColumn<int>("files");
        QTest::newRow("1") << 1;
        QTest::newRow("100, every slot") << MaxChosenFiles;
    }

    void fileCount()
    {
        QFETCH(int, files);
        FileList list;
        QString titles;
        for (int f = 1; f <= files; ++f) {
            list << questionFile(u"T%1"_s.arg(f), u"1"_s, 2, u"f%1q"_s.arg(f));
            titles += u"T%1\r\n"_s.arg(f);
        }
        ScriptedDialogs dialogs;
        const auto m = load(list, dialogs);
        QCOMPARE(int(m->LoadFailed), 0);
        QVERIFY(dialogs.shown.isEmpty());
        QCOMPARE(int(m->BankQuestionCount), 2 * files);
        QCOMPARE(int(m->PartCount), files);
        QCOMPARE(m->LoadedTitles, titles);
        QCOMPARE(m->FileHeaders(files, 1), u"T%1"_s.arg(files));
        QCOMPARE(m->QuestionBank(2 * files).QuestionText, u"f%1q2"_s.arg(files));
    }

    // 10000 lines pass the line capacity (and then fail only as no multiple of 3);
    // one line more is refused for its length, before or after decoding alike.
    void lineCapacity_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<bool>("encoded");
        QTest::addColumn<QString>("message"); // empty: loads

        const QString tooMany = u"行数が10000行をこえています"_s;
        for (const bool encoded : {false, true}) {
            const char *form = encoded ? "encoded" : "plain";
            QTest::addRow("%s, 9999", form) << 9999 << encoded << QString();
            QTest::addRow("%s, 10000", form) << 10000 << encoded << BrokenDataMessage;
            QTest::addRow("%s, 10001", form) << 10001 << encoded << tooMany;
            QTest::addRow("%s, 30000", form) << 30000 << encoded << tooMany;
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

        const QString tooMany = u"問題数が合計5000問をこえます"_s;
        FileList fifty;
        for (int f = 1; f <= 50; ++f)
            fifty << questionFile(u"T"_s, u"1"_s, 100);
        QTest::newRow("largest file and the rest: 5000")
            << FileList{questionFile(u"A"_s, u"1"_s, 3331), questionFile(u"B"_s, u"1"_s, 1669)} << 0 << 5000;
        QTest::newRow("5001") << FileList{questionFile(u"A"_s, u"1"_s, 3331), questionFile(u"B"_s, u"1"_s, 1670)}
                              << 1 << 3331;
        QTest::newRow("fifty files of 100") << fifty << 0 << 5000;
        QTest::newRow("one more question in a 51st file")
            << (fifty + FileList{questionFile(u"Z"_s, u"1"_s, 1)}) << 1 << 5000;
        QTest::newRow("a 51st file without questions")
            << (fifty + FileList{questionFile(u"Z"_s, u"1"_s, 0)}) << 0 << 5000;
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
        QTest::newRow("32767.4 rounds down") << QStringList{u"32767.4"_s} << 32767;
        QTest::newRow("32767.5 rounds to even 32768") << QStringList{u"32767.5"_s} << -1;
        QTest::newRow("twenty digits") << QStringList{u"99999999999999999999"_s} << -1;
        QTest::newRow("a thousand digits") << QStringList{u"9"_s.repeated(1000)} << -1;
        QTest::newRow("-32768 still counts as 1 part") << QStringList{u"-32768"_s} << 1;
        QTest::newRow("-32769") << QStringList{u"-32769"_s} << -1;
        QTest::newRow("sum 32767 over two files") << QStringList{u"16383"_s, u"16384"_s} << 32767;
        QTest::newRow("sum 32768 over two files") << QStringList{u"16384"_s, u"16384"_s} << -1;
        QTest::newRow("sum 32767 over three files") << QStringList{u"10000"_s, u"10000"_s, u"12767"_s} << 32767;
        QTest::newRow("sum 32768 over three files") << QStringList{u"10000"_s, u"10000"_s, u"12768"_s} << -1;
        // Each file's sum is rounded: 16383.5 gives 16384, and 16384 + 16383.5 rounds to 32768.
        QTest::newRow("halves rounded file by file") << QStringList{u"16383.5"_s, u"16383.5"_s} << -1;
        QTest::newRow("halves rounded down to even") << QStringList{u"16382.5"_s, u"16384.5"_s} << 32766;
        QTest::newRow("a negative file brings the sum back")
            << QStringList{u"32767"_s, u"-1"_s, u"1"_s} << 32767;
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

    // Digits left over after the last whole group of four: one or two are dropped,
    // three are read as a character. None of them may change what a good file loads.
    void encodedLeftovers_data()
    {
        QTest::addColumn<QString>("tail");
        QTest::addColumn<bool>("failed");
        QTest::newRow("none") << QString() << false;
        QTest::newRow("1 digit") << u"0"_s << false;
        QTest::newRow("2 digits") << u"00"_s << false;
        QTest::newRow("3 digits, a character after the last line end") << u"041"_s << false;
        QTest::newRow("1 digit by a symbol") << u" "_s << false;
        QTest::newRow("2 digits by a symbol") << u"*"_s << false;
        QTest::newRow("3 digits by a symbol") << u"~"_s << false;
        QTest::newRow("1 bad digit, dropped") << u"G"_s << false;
        QTest::newRow("2 bad digits, dropped") << u"GG"_s << false;
        QTest::newRow("3 digits, no character") << u"FFF"_s << true;
        QTest::newRow("3 bad digits") << u"GGG"_s << true;
    }

    void encodedLeftovers()
    {
        QFETCH(QString, tail);
        QFETCH(bool, failed);
        const QStringList plain = questionFile(u"T"_s, u"2"_s, 4);
        QStringList file = encodedFile(plain);
        file.first() += tail;
        ScriptedDialogs dialogs;
        const auto m = load({file}, dialogs);
        QCOMPARE(bool(m->LoadFailed), failed);
        if (failed) {
            QCOMPARE(dialogs.messages(), QStringList{BrokenDataMessage});
            return;
        }
        QCOMPARE(int(m->BankQuestionCount), 4);
        QCOMPARE(m->QuestionBank(4).Answer, u"a4"_s);
        QCOMPARE(int(m->PartCount), 2);
    }
};

QTEST_GUILESS_MAIN(tst_limits_bank)
#include "tst_limits_bank.moc"
