#include "bank/EncodedLines.h"
#include "bank/QuestionFileCheck.h"
#include "bank/QuestionFiles.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"

#include "support/CliRunner.h"
#include "support/ScriptedDialogs.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

// How a test names a file: lines to write, or one of these.
const QString Missing = u"<missing>"_s;
const QString Folder = u"<folder>"_s;
const QString Unreadable = u"<unreadable>"_s;

struct FileMade
{
    QStringList lines;
    QByteArray bytes; // written as they are when not empty
};
using Files = QList<FileMade>;

QStringList questionFile(int questions, const QString &parts = u"2"_s)
{
    QStringList lines{u"T"_s, parts, u"S"_s, QString(), QString(), QString()};
    for (int q = 1; q <= questions; ++q)
        lines << u"Q%1"_s.arg(q) << u"H"_s << u"A%1"_s.arg(q);
    return lines;
}

QStringList encoded(const QString &payload) { return {QString::fromUtf16(EncodedMark) + payload}; }

QStringList encodedFile(const QStringList &lines) { return encoded(EncodeLines(lines)); }

FileMade lines(const QStringList &l) { return {l, {}}; }

// The problems as "file number:line:column:E or W:start of the message".
QString brief(const CheckProblem &p, const QStringList &paths)
{
    return u"%1:%2:%3:%4:"_s.arg(paths.indexOf(p.file) + 1).arg(p.line).arg(p.column)
           .arg(p.severity == CheckSeverity::Error ? u"E"_s : u"W"_s) + p.message;
}

} // namespace

class tst_cli_check : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_written = 0;

    QStringList write(const Files &files)
    {
        QStringList paths;
        for (const FileMade &f : files) {
            const QString first = f.lines.value(0);
            if (f.lines.size() == 1 && first == Unreadable) {
                paths << u"/proc/self/mem"_s; // opens, then fails to read
                continue;
            }
            const QString path = m_dir.filePath(u"c%1.qvn"_s.arg(++m_written));
            paths << path;
            if (f.lines.size() == 1 && first == Missing)
                continue;
            if (f.lines.size() == 1 && first == Folder) {
                QDir().mkpath(path);
                continue;
            }
            if (!f.bytes.isEmpty()) {
                QFile out(path);
                if (out.open(QIODevice::WriteOnly))
                    out.write(f.bytes);
            } else {
                writeSjisLines(path, f.lines);
            }
        }
        return paths;
    }

private Q_SLOTS:
    // Each file set is checked, and loaded: the check refuses exactly what the load refuses.
    void problems_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<QStringList>("expected");

        const QStringList none;
        QStringList seven = questionFile(0);
        seven << u"x"_s;
        QStringList ten = questionFile(1);
        ten << u"x"_s;
        QTest::newRow("good") << Files{lines(questionFile(3)), lines(encodedFile(questionFile(2)))} << none;
        QTest::newRow("7 lines") << Files{lines(seven)}
            << QStringList{u"1:7:0:E:行数が7行で、3の倍数ではありません。見出しの6行のあと、そろった問題がありません。"_s};
        QTest::newRow("10 lines") << Files{lines(ten)}
            << QStringList{u"1:10:0:E:行数が10行で、3の倍数ではありません。最後のそろった問題は9行目で終わります。"_s};
        QTest::newRow("4 lines") << Files{lines({u"T"_s, u"1"_s, u"S"_s, QString()})}
            << QStringList{u"1:1:0:E:行数が4行で、3の倍数ではありません。見出しの6行もそろっていません。"_s};
        QTest::newRow("part count a word") << Files{lines(questionFile(1, u"abc"_s))}
            << QStringList{u"1:2:0:W:部の数「abc」が数ではないため、1部として数えます。"_s};
        QTest::newRow("part count 0 or empty: as written, no warning")
            << Files{lines(questionFile(1, u"0"_s)), lines(questionFile(1, QString()))} << none;
        QTest::newRow("a byte that is no character")
            << Files{{{}, QByteArray("T\r\n1\r\nS\r\n\r\n\r\n\r\nQ\r\nH\x81\r\nA\r\n")}}
            << QStringList{u"1:8:0:W:文字にならないバイトが1個あります（最初はこの行）。「\uFFFD」として読みます。"_s};
        QTest::newRow("missing, folder, unreadable")
            << Files{lines({Missing}), lines({Folder}), lines({Unreadable})}
            << QStringList{u"1:0:0:E:ファイルがありません。"_s, u"2:0:0:E:ファイルではなくフォルダーです。"_s,
                           u"3:0:0:E:ファイルを読み込めません。"_s};
        QTest::newRow("encoded, a group no number")
            << Files{lines(encoded(u"0041000D000A00G1"_s))}
            << QStringList{u"1:1:16:E:符号化された第4組「00G1」は16進数ではありません。"_s};
        QTest::newRow("encoded, a group no character")
            << Files{lines(encoded(u"85A0000D000A"_s))}
            << QStringList{u"1:1:4:E:符号化された第1組「85A0」はShift-JISの文字ではありません。"_s};
        QTest::newRow("encoded, a symbol across two groups")
            << Files{lines(encoded(u"004+G"_s))} // 0, 0, 4, 8 | 1, 6, G
            << QStringList{u"1:1:7:E:符号化された第2組「16G」は16進数ではありません。"_s};
        const QString oneQuestion = EncodeLines(questionFile(1));
        const qsizetype groups = joinCrLf(questionFile(1)).size(); // one group a character
        QTest::newRow("encoded, three digits left over, no character")
            << Files{lines(encoded(oneQuestion + u"FFF"_s))}
            << QStringList{u"1:1:%1:E:符号化された第%2組「FFF」はShift-JISの文字ではありません。"_s
                               .arg(4 + oneQuestion.size()).arg(groups + 1)};
        QTest::newRow("encoded, noise") << Files{lines(encoded(u"GGGGGGGGGGGGGGGGGGGGGGGG"_s))}
            << QStringList{u"1:1:4:E:符号化された第1組「GGGG」は16進数ではありません。"_s,
                           u"1:1:8:E:符号化された第2組「GGGG」は16進数ではありません。"_s,
                           u"1:1:12:E:符号化された第3組「GGGG」は16進数ではありません。"_s,
                           u"1:1:0:E:ほかにも読めない組が3組あります。"_s};
        QTest::newRow("encoded, empty") << Files{lines(encoded(QString()))}
            << QStringList{u"1:1:0:E:符号化された内容が空です。"_s};
        QTest::newRow("encoded, 7 lines") << Files{lines(encodedFile(seven))}
            << QStringList{u"1:7:0:E:復号すると行数が7行で、3の倍数ではありません。見出しの6行のあと、そろった問題がありません。"_s};
        QTest::newRow("encoded, last line without its end")
            << Files{lines(encoded(EncodeLines(questionFile(1)) + EncodeText(u"tail"_s)))}
            << QStringList{u"1:1:0:W:復号した最後の行（10行目）に行末がないため、その行は読まれません。"_s};
        QStringList many;
        for (int i = 1; i <= 10001; ++i)
            many << QString::number(i);
        QTest::newRow("10001 lines") << Files{lines(many)}
            << QStringList{u"1:10001:0:E:行数が10001行あり、読み込める10000行をこえています。"_s};
        QTest::newRow("encoded, 10001 lines") << Files{lines(encodedFile(many))}
            << QStringList{u"1:1:0:E:復号すると行数が10000行をこえます。読み込めるのは10000行までです。"_s};
        QTest::newRow("5001 questions in all")
            << Files{lines(questionFile(3000)), lines(questionFile(2001)), lines(questionFile(1))}
            << QStringList{u"2:0:0:E:ここまでで問題数が合計5001問になり、読み込める5000問をこえます。"_s};
        QTest::newRow("part sum past 16 bits")
            << Files{lines(questionFile(1, u"16384"_s)), lines(questionFile(1, u"16384"_s))}
            << QStringList{u"2:2:0:E:部の数「16384」を足すと、部の数の合計が-32768～32767をはずれます。"_s};
        QTest::newRow("part count of a thousand digits")
            << Files{lines(questionFile(1, u"9"_s.repeated(1000)))}
            << QStringList{u"1:2:0:E:部の数「99999999999999999999…」を足すと、部の数の合計が-32768～32767をはずれます。"_s};
    }

    void problems()
    {
        QFETCH(Files, files);
        QFETCH(QStringList, expected);
        const QStringList paths = write(files);
        const QList<CheckProblem> problems = CheckQuestionFiles(paths);
        QStringList got;
        for (const CheckProblem &p : problems)
            got << brief(p, paths);
        QCOMPARE(got, expected);

        auto m = std::make_unique<Module1>();
        for (const QString &path : paths)
            m->ChosenFileList(++m->ChosenFileCount) = path;
        ScriptedDialogs dialogs;
        LoadQuestionFiles(*m, dialogs);
        QCOMPARE(RefusedByLoader(problems), m->LoadFailed == 1);
    }

    // The check finds the group the decoder stops at, wherever a payload is damaged.
    void damagedPayloadsAgreeWithTheLoader()
    {
        const QString good = EncodeLines(questionFile(4));
        const QString alphabet = u"0123456789ABCDEFabcdefG g*]~^/\\+-ｱ　:◇・■?あ"_s;
        QRandomGenerator rng(20240401);
        int refused = 0;
        for (int round = 0; round < 300; ++round) {
            QString payload = good;
            for (int k = 1 + rng.bounded(2); k > 0; --k) {
                const qsizetype at = rng.bounded(payload.size());
                const QChar c = alphabet[rng.bounded(alphabet.size())];
                switch (rng.bounded(3)) {
                case 0: payload.remove(at, 1); break;
                case 1: payload.insert(at, c); break;
                default: payload[at] = c; break;
                }
            }
            const QStringList paths = write({lines(encoded(payload))});
            const QList<CheckProblem> problems = CheckQuestionFiles(paths);
            auto m = std::make_unique<Module1>();
            m->ChosenFileCount = 1;
            m->ChosenFileList(1) = paths.first();
            ScriptedDialogs dialogs;
            LoadQuestionFiles(*m, dialogs);
            QVERIFY2(RefusedByLoader(problems) == (m->LoadFailed == 1), qPrintable(payload));
            refused += m->LoadFailed;
            if (m->DecodeFailed) {
                QVERIFY(!problems.isEmpty());
                QVERIFY2(problems.first().column >= 4, qPrintable(payload));
            }
        }
        QVERIFY(refused > 50 && refused < 300); // both outcomes were tried
    }

    void problemText_data()
    {
        QTest::addColumn<int>("line");
        QTest::addColumn<int>("column");
        QTest::addColumn<bool>("error");
        QTest::addColumn<QString>("text");
        QTest::newRow("line") << 7 << 0 << true << u"a.qvn:7: エラー: m"_s;
        QTest::newRow("line and column") << 1 << 16 << true << u"a.qvn:1:16: エラー: m"_s;
        QTest::newRow("whole file") << 0 << 0 << false << u"a.qvn: 警告: m"_s;
    }

    void problemText()
    {
        QFETCH(int, line);
        QFETCH(int, column);
        QFETCH(bool, error);
        const CheckProblem p{u"a.qvn"_s, line, column, error ? CheckSeverity::Error : CheckSeverity::Warning, u"m"_s};
        QTEST(ProblemText(p), "text");
    }

    // The command prints the same problems, one a line, and exits 1 only on an error.
    void command_data()
    {
        QTest::addColumn<Files>("files");
        QTest::addColumn<int>("exitCode");
        QStringList seven = questionFile(0);
        seven << u"x"_s;
        QTest::newRow("warnings only") << Files{lines(questionFile(2, u"abc"_s))} << 0;
        QTest::newRow("an error") << Files{lines(questionFile(2)), lines(seven), lines({Missing})} << 1;
        QTest::newRow("no file") << Files{} << 2;
        // Checking is no load: it reports the 101st file and goes on.
        QTest::newRow("101 files") << Files(101, lines(questionFile(1))) << 1;
    }

    void command()
    {
        QFETCH(Files, files);
        QFETCH(int, exitCode);
        const QStringList paths = write(files);
        const CliRun r = runCli(QStringList{u"check"_s} + paths);
        QCOMPARE(r.exitCode, exitCode);
        QString expected;
        if (!paths.isEmpty())
            for (const CheckProblem &p : CheckQuestionFiles(paths))
                expected += ProblemText(p) + u'\n';
        QCOMPARE(QString::fromUtf8(r.out), expected);
    }
};

QTEST_GUILESS_MAIN(tst_cli_check)
#include "tst_cli_check.moc"
