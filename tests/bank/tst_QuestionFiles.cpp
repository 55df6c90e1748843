#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sorario;
using sorario::test::ScriptedDialogs;

namespace {

const QString Missing = QStringLiteral("<missing>");

// A question file: six header lines, then `questions` questions named after `tag`.
QStringList questionFile(const QString &title, const QString &parts, int questions,
                         const QString &tag = QStringLiteral("q"))
{
    QStringList lines{title, parts, QStringLiteral("S1"), QString(), QString(), QString()};
    for (int q = 1; q <= questions; ++q)
        lines << QStringLiteral("%1%2 text").arg(tag).arg(q) << QStringLiteral("%1%2 hint").arg(tag).arg(q)
              << QStringLiteral("%1%2 answer").arg(tag).arg(q);
    return lines;
}

QStringList lineRun(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QString::number(i);
    return lines;
}

QStringList encodedFile(const QStringList &lines)
{
    return {QString::fromUtf16(EncodedMark) + EncodeLines(lines)};
}

} // namespace

class TestQuestionFiles : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_written = 0;

    void choose(Module1 &m, const QList<QStringList> &files)
    {
        m.ChosenFileCount = 0;
        for (const QStringList &lines : files) {
            const QString path = m_dir.filePath(QStringLiteral("f%1.qvn").arg(++m_written));
            if (lines != QStringList{Missing})
                test::writeSjisLines(path, lines);
            m.ChosenFileList(++m.ChosenFileCount) = path;
        }
        m.LoadFailed = 0;
    }

    void load(Module1 &m, ScriptedDialogs &dialogs, const QList<QStringList> &files)
    {
        choose(m, files);
        LoadQuestionFiles(m, dialogs);
    }

private Q_SLOTS:
    void figures_data()
    {
        QTest::addColumn<QList<QStringList>>("files");
        QTest::addColumn<int>("failed");
        QTest::addColumn<int>("bank");
        QTest::addColumn<int>("parts");
        QTest::addColumn<int>("partSize"); // -1: not looked at
        QTest::addColumn<QString>("titles");
        QTest::addColumn<QStringList>("shown");

        const QStringList none;
        const QStringList broken{QStringLiteral("message")};
        const QStringList beepBroken{QStringLiteral("beep"), QStringLiteral("message")};
        const QString a = QStringLiteral("A\r\n");
        QStringList seven = questionFile(QStringLiteral("B"), QStringLiteral("1"), 0);
        seven << QStringLiteral("x");

        QTest::newRow("six lines") << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("2"), 0)}
                                   << 0 << 0 << 2 << 0 << a << none;
        QTest::newRow("empty file") << QList<QStringList>{{}} << 0 << 0 << 1 << 0 << QStringLiteral("ソラリオ\r\n") << none;
        QTest::newRow("three lines") << QList<QStringList>{{QStringLiteral("T"), QStringLiteral("4"), QString()}}
                                     << 0 << 0 << 4 << 0 << QStringLiteral("T\r\n") << none;
        QTest::newRow("seven lines stop the load")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("1"), 2), seven,
                                  questionFile(QStringLiteral("C"), QStringLiteral("1"), 5)}
            << 1 << 2 << 1 << -1 << a << beepBroken;
        QTest::newRow("eight lines") << QList<QStringList>{seven + QStringList{QString()}} << 1 << 0 << 0 << -1
                                     << QString() << beepBroken;
        QTest::newRow("missing file, no beep")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("1"), 1), {Missing}}
            << 1 << 1 << 1 << -1 << a << broken;
        QTest::newRow("empty, 0 and a word count as 1")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QString(), 1), questionFile(QStringLiteral("B"), QStringLiteral("0"), 1),
                                  questionFile(QStringLiteral("C"), QStringLiteral("abc"), 1)}
            << 0 << 3 << 3 << 1 << QStringLiteral("A\r\nB\r\nC\r\n") << none;
        QTest::newRow("halves round to even")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("2.5"), 4), questionFile(QStringLiteral("B"), QStringLiteral("2.5部"), 4)}
            << 0 << 8 << 4 << 2 << QStringLiteral("A\r\nB\r\n") << none;
        QTest::newRow("a fraction rounding to 0 gives 1 part")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("0.4"), 3)} << 0 << 3 << 1 << 3 << a << none;
        QTest::newRow("negative sum gives 1 part")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("-3"), 4)} << 0 << 4 << 1 << 4 << a << none;
        QTest::newRow("negative count subtracts")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("5"), 4), questionFile(QStringLiteral("B"), QStringLiteral("-2"), 5)}
            << 0 << 9 << 3 << 3 << QStringLiteral("A\r\nB\r\n") << none;
        QTest::newRow("10 in 3 parts") << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("3"), 10)}
                                       << 0 << 10 << 3 << 3 << a << none;
        QTest::newRow("fewer questions than parts") << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("3"), 2)}
                                                    << 0 << 2 << 3 << 0 << a << none;
        QTest::newRow("part count past 16 bits") << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("40000"), 1)}
                                                 << 1 << 1 << 0 << -1 << QString() << broken;
        QTest::newRow("part sum past 16 bits")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("20000"), 1), questionFile(QStringLiteral("B"), QStringLiteral("20000"), 1)}
            << 1 << 2 << 20000 << -1 << a << broken;
        QTest::newRow("part count beyond any integer")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("1") + QString(300, u'0'), 1)}
            << 1 << 1 << 0 << -1 << QString() << broken;
        QTest::newRow("largest part count") << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("32767"), 1)}
                                            << 0 << 1 << 32767 << 0 << a << none;
        QTest::newRow("encoded, 12 lines whatever the physical count")
            << QList<QStringList>{encodedFile(questionFile(QStringLiteral("E"), QStringLiteral("2"), 2)) + QStringList{QStringLiteral("extra")}}
            << 0 << 2 << 2 << 1 << QStringLiteral("E\r\n") << none;
        QTest::newRow("encoded, bad group: broken without beep")
            << QList<QStringList>{{QStringLiteral("\\\\\\0041000D000AZZZZ")}} << 1 << 0 << 0 << -1 << QString() << broken;
        QTest::newRow("encoded, empty payload") << QList<QStringList>{{QStringLiteral("\\\\\\")}} << 1 << 0 << 0 << -1
                                                << QString() << beepBroken;
    }

    void figures()
    {
        QFETCH(QList<QStringList>, files);
        auto m = std::make_unique<Module1>();
        ScriptedDialogs dialogs;
        load(*m, dialogs, files);
        QTEST(int(m->LoadFailed), "failed");
        QTEST(int(m->BankQuestionCount), "bank");
        QTEST(int(m->PartCount), "parts");
        QFETCH(int, partSize);
        if (partSize >= 0)
            QCOMPARE(int(m->PartSize), partSize);
        QTEST(m->LoadedTitles, "titles");
        QTEST(dialogs.kinds(), "shown");
        for (const ScriptedDialogs::Shown &s : dialogs.shown) {
            if (s.kind == QLatin1String("message")) {
                QCOMPARE(s.text, BrokenDataMessage);
                QVERIFY(s.title.isEmpty());
                QCOMPARE(s.buttons, MessageButtons::Ok);
            }
        }
    }

    void recordsKeptWholeAndVerbatim()
    {
        const QStringList a{QStringLiteral("Title A"), QStringLiteral("1"), QStringLiteral("CODE"), QStringLiteral("4"),
                            QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("  He @is@ \\/ a boy.  "),
                            QStringLiteral("**"), QStringLiteral("彼は～少年です。ｱｲｳ"), QStringLiteral("Q2"),
                            QString(), QStringLiteral("~\\")};
        const QStringList b{QString(), QStringLiteral("0"), QString(), QString(), QString(), QString(),
                            QStringLiteral("Q3"), QStringLiteral("〔ヒント〕"), QStringLiteral("A3")};
        auto m = std::make_unique<Module1>();
        ScriptedDialogs dialogs;
        load(*m, dialogs, {a, b});
        QCOMPARE(int(m->LoadFailed), 0);
        QCOMPARE(int(m->BankQuestionCount), 3);
        const QuestionRecord expected[] = {{a[6], a[7], a[8]}, {a[9], a[10], a[11]}, {b[6], b[7], b[8]}};
        for (int q = 1; q <= 3; ++q)
            QCOMPARE(m->QuestionBank(q), expected[q - 1]);
        for (int s = 1; s <= 6; ++s)
            QCOMPARE(m->FileHeaders(1, s), a[s - 1]);
        QCOMPARE(m->FileHeaders(2, 1), ProgramTitle);
        QCOMPARE(m->FileHeaders(2, 2), QStringLiteral("1"));
    }

    // A short file must not take header lines or a title from an earlier file or load.
    void shortFileGetsNoStaleHeaders()
    {
        auto m = std::make_unique<Module1>();
        ScriptedDialogs dialogs;
        load(*m, dialogs, {questionFile(QStringLiteral("Old"), QStringLiteral("1"), 1)});
        load(*m, dialogs, {{}, {QStringLiteral("T"), QStringLiteral("2"), QStringLiteral("C")}});
        QCOMPARE(int(m->LoadFailed), 0);
        QCOMPARE(m->FileHeaders(1, 1), ProgramTitle);
        for (int s = 4; s <= 6; ++s)
            QVERIFY(m->FileHeaders(2, s).isEmpty());
    }

    void capacities_data()
    {
        QTest::addColumn<QList<QStringList>>("files");
        QTest::addColumn<int>("failed");
        QTest::addColumn<QString>("message");

        const QString lineLimit = QStringLiteral("行数が10000行をこえています");
        QTest::newRow("9999 lines") << QList<QStringList>{lineRun(9999)} << 0 << QString();
        QTest::newRow("10002 lines") << QList<QStringList>{lineRun(10002)} << 1 << lineLimit;
        QTest::newRow("encoded, 10002 lines") << QList<QStringList>{encodedFile(lineRun(10002))} << 1 << lineLimit;
        QTest::newRow("5000 questions")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("1"), 2500),
                                  questionFile(QStringLiteral("B"), QStringLiteral("1"), 2500)}
            << 0 << QString();
        QTest::newRow("5001 questions")
            << QList<QStringList>{questionFile(QStringLiteral("A"), QStringLiteral("1"), 2500),
                                  questionFile(QStringLiteral("B"), QStringLiteral("1"), 2501)}
            << 1 << QStringLiteral("問題数が合計5000問をこえます");
    }

    void capacities()
    {
        QFETCH(QList<QStringList>, files);
        QFETCH(QString, message);
        auto m = std::make_unique<Module1>();
        ScriptedDialogs dialogs;
        load(*m, dialogs, files);
        QTEST(int(m->LoadFailed), "failed");
        if (message.isEmpty()) {
            QVERIFY(dialogs.shown.isEmpty());
        } else {
            QCOMPARE(dialogs.kinds(), QStringList{QStringLiteral("message")});
            QVERIFY2(dialogs.messages().first().contains(message), qPrintable(dialogs.messages().first()));
        }
    }

    void unreadableFileIsRefused()
    {
        // Opens, then fails on the first read: a file that exists but cannot be read.
        const QString path = QStringLiteral("/proc/self/mem");
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
};

QTEST_GUILESS_MAIN(TestQuestionFiles)
#include "tst_QuestionFiles.moc"
