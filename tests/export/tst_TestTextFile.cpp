// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/BracketExchange.h"
#include "export/TestText.h"
#include "export/TestTextFile.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "setup/ExportProcedures.h"
#include "setup/TestSaving.h"

#include "support/Fixtures.h"

#include <array>

using namespace sorario::test;

namespace {

const QString Separator = QString(66, u'-');

// A module after a draw: file titles, the chosen parts and the drawn questions,
// the latter given as flat triples (question, hint, answer).
std::unique_ptr<Module1> drawn(
    const QStringList &titles, int allParts, const QStringList &parts, const QStringList &triples)
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

// The longest line a file holds.
QString longestLine()
{
    QString line;
    while (line.size() < 10000)
        line += u"文法 grammar ～ "_s;
    line.truncate(10000);
    return line;
}

const QString Line = longestLine();

const struct RecordsRow
{
    const char *name;
    QStringList titles;
    int allParts;
    QStringList parts, questions, lines;
} recordsRows[] = {
    {.name = "chosen parts",
        .titles = {u"文型"_s},
        .allParts = 0,
        .parts = {u"１"_s, u"３"_s, u"４"_s},
        .questions = {u"Q"_s, u"H"_s, u"A"_s},
        .lines = {u"文型"_s, u"その１・３・４"_s, u"  1 Q"_s, u"　〔H〕"_s, QString(), Separator,
            u"【解答】"_s, u"文型"_s, u"その１・３・４"_s, u"  1 A"_s, QString()}},
    {.name = "hints empty or markers; print markers as they are",
        .titles = {u"T"_s},
        .allParts = 1,
        .parts = {},
        .questions
        = {u"@He@ is ─ ."_s, QString(), u"@is@"_s, u"Q2"_s, u"*"_s, u"A2"_s, u"Q3"_s, u"**"_s, u"A3"_s},
        .lines = {u"T"_s, u"すべてのはんい"_s, u"  1 @He@ is ─ ."_s, u"　〔〕"_s, u"  2 Q2"_s, u"　〔*〕"_s,
            u"  3 Q3"_s, u"　〔**〕"_s, QString(), Separator, u"【解答】"_s, u"T"_s, u"すべてのはんい"_s,
            u"  1 @is@"_s, u"  2 A2"_s, u"  3 A3"_s, QString()}},
    {.name = "break marks dropped from the blocks only",
        .titles = {u"a\\/b"_s},
        .allParts = 1,
        .parts = {},
        .questions = {u"I \\/am"_s, u"be\\/動詞"_s, u"x\\/y"_s, u"a\\\\//b"_s, u"\\"_s, u"/"_s},
        .lines = {u"a\\/b"_s, u"すべてのはんい"_s, u"  1 I am"_s, u"　〔be動詞〕"_s, u"  2 a\\/b"_s,
            u"　〔\\〕"_s, QString(), Separator, u"【解答】"_s, u"a\\/b"_s, u"すべてのはんい"_s, u"  1 xy"_s,
            u"  2 /"_s, QString()}},
    {.name = "a 10000-character line written whole",
        .titles = {u"T"_s},
        .allParts = 1,
        .parts = {},
        .questions = {Line, Line, Line},
        .lines = {u"T"_s, u"すべてのはんい"_s, u"  1 "_s + Line, u"　〔"_s + Line + u"〕"_s, QString(),
            Separator, u"【解答】"_s, u"T"_s, u"すべてのはんい"_s, u"  1 "_s + Line, QString()}},
};

} // namespace

class tst_TestTextFile : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void records_data() { addRows(recordsRows); }
    void records()
    {
        QFETCH(int, row);
        const RecordsRow &r = recordsRows[row];
        const QString path = m_dir.filePath(u"records.txt"_s);
        QVERIFY(
            writeTextFileAtomically(path, BuildTestText(*drawn(r.titles, r.allParts, r.parts, r.questions)))
                .ok());
        QCOMPARE(readBytes(path), sjis(joinCrLf(r.lines)));
    }

    void numberFieldUpToAThousand()
    {
        QStringList triples;
        for (int k = 1; k <= 1000; ++k)
            triples << u"q"_s << QString() << u"a"_s;
        const QStringList lines = splitLines(BuildTestText(*drawn({u"T"_s}, 1, {}, triples)));
        const int answers = 2 + 2 * 1000 + 5;
        QCOMPARE(lines.size(), answers + 1000 + 1);
        const std::pair<int, QString> fields[]
            = {{9, u"  9"_s}, {10, u" 10"_s}, {999, u"999"_s}, {1000, u"1000"_s}};
        for (const auto &[k, field] : fields) {
            QCOMPARE(lines[2 + 2 * (k - 1)], field + u" q"_s);
            QCOMPARE(lines[answers + k - 1], field + u" a"_s);
        }
    }

    // Saved (over a longer old export), cancelled, or refused with the message; a text
    // with characters the file cannot hold is saved only after a Yes.
    void saveThroughDialog_data()
    {
        QTest::addColumn<QString>("answer"); // empty: cancelled
        QTest::addColumn<QString>("question");
        QTest::addColumn<MessageAnswer>("keepLost");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<std::optional<TextExportFault>>("fault");
        using K = TextExportFault;
        const std::optional<K> saved, cancelled = K::Cancelled, notWritten = K::NotWritten,
                                      declined = K::Declined;
        const QString lost = u"café 😀 é"_s;
        QTest::newRow("saved") << u"saved.txt"_s << u"Q"_s << MessageAnswer::Ok << QStringList {u"save"_s}
                               << saved;
        QTest::newRow("cancelled") << QString() << u"Q"_s << MessageAnswer::Ok << QStringList {u"save"_s}
                                   << cancelled;
        QTest::newRow("folder missing") << u"missing/out.txt"_s << u"Q"_s << MessageAnswer::Ok
                                        << QStringList {u"save"_s, u"message"_s} << notWritten;
        QTest::newRow("onto a question file it was drawn from")
            << u"in.qvn"_s << u"Q"_s << MessageAnswer::Ok << QStringList {u"save"_s, u"message"_s}
            << notWritten;
        QTest::newRow("lost characters, yes")
            << u"saved.txt"_s << lost << MessageAnswer::Yes << QStringList {u"message"_s, u"save"_s} << saved;
        QTest::newRow("lost characters, no")
            << u"saved.txt"_s << lost << MessageAnswer::No << QStringList {u"message"_s} << declined;
    }

    void saveThroughDialog()
    {
        QFETCH(QString, answer);
        QFETCH(QString, question);
        QFETCH(MessageAnswer, keepLost);
        QFETCH(std::optional<TextExportFault>, fault);
        const bool written = !fault;
        QTemporaryDir dir;
        const QString path = dir.filePath(answer);
        const QString old
            = writeSjisLines(dir.filePath(u"saved.txt"_s), QStringList(200, u"an older, longer export"_s));
        const QString input = writeSjisLines(dir.filePath(u"in.qvn"_s), questionFile(u"T"_s, u"1"_s, 1));
        const auto before = snapshot(dir.path());
        ScriptedDialogs dialogs;
        if (!answer.isEmpty())
            dialogs.saveAnswers.enqueue(path);
        dialogs.messageAnswers.enqueue(keepLost);
        const auto m = drawn({u"T"_s}, 1, {}, {question, u"H"_s, u"A"_s});
        const TextExportOutcome outcome = SaveTestText(BuildTestText(*m), dialogs, {input});
        QCOMPARE(outcome.fault, fault);

        QTEST(dialogs.kinds(), "shown");
        if (written && keepLost != MessageAnswer::Ok)
            QCOMPARE(outcome.value.lostCharacters, (QStringList {u"é"_s, u"😀"_s}));
        if (written) {
            QCOMPARE(readBytes(old),
                sjis(joinCrLf({u"T"_s, u"すべてのはんい"_s, u"  1 "_s + question, u"　〔H〕"_s, QString(),
                    Separator, u"【解答】"_s, u"T"_s, u"すべてのはんい"_s, u"  1 A"_s, QString()})));
            QCOMPARE(snapshot(dir.path()).keys(), before.keys());
        } else {
            QCOMPARE(snapshot(dir.path()), before);
        }
    }

    // Each sheet is drawn anew and written whole, exchanged in layout 2, the sheets
    // apart by a line of "=".
    void sheetTexts()
    {
        auto m = drawn({u"T"_s}, 1, {}, {u"x"_s, u"h"_s, u"y"_s});
        m->options.sheetCount = 3;
        m->options.AnswerLayout = 2;
        QList<int> calls;
        const QStringList lines = splitLines(BuildSheetTexts(*m, [&](int sheet) {
            calls.append(sheet);
            m->DrawnQuestions(1) = {u"S%1（k）"_s.arg(sheet), u"H"_s, u"A%1"_s.arg(sheet)};
        }));
        QCOMPARE(calls, (QList<int> {1, 2, 3}));
        QCOMPARE(lines.count(QString(66, u'=')), 2);
        for (int sheet = 1; sheet <= 3; ++sheet) {
            QVERIFY(lines.contains(u"  1 S%1（A%1）"_s.arg(sheet)));
            QVERIFY(lines.contains(u"  1 k"_s));
        }
    }

    // Question and answer before, then after the exchange.
    void bracketExchange()
    {
        const std::array<QString, 4> rows[]
            = {{u"I （   ） a pen."_s, u"have"_s, u"I （have） a pen."_s, u"   "_s},
                {u"（a）と（b）"_s, u"X"_s, u"（X）と（b）"_s, u"a"_s}, // only the first pair
                {u"a（b（c）d）"_s, u"Z"_s, u"a（Z）d）"_s, u"b（c"_s}, // first open to first close
                {u"1) a（b）"_s, u"c"_s, u"1) a（b）"_s, u"c"_s}}; // a closing one first: no pair
        for (const auto &[question, answer, newQuestion, newAnswer] : rows)
            QCOMPARE(ExchangeBracket({question, u"hint"_s, answer}),
                (QuestionRecord {newQuestion, u"hint"_s, newAnswer}));
    }

    void bracketExchangedOnlyInLayoutTwo()
    {
        auto m = std::make_unique<Module1>();
        const QuestionRecord q {u"a（b）"_s, QString(), u"c"_s};
        for (int k = 1; k <= 3; ++k)
            m->DrawnQuestions(k) = q;
        m->QuestionCount = 2;

        m->options.AnswerLayout = 1;
        ExchangeBracketAndAnswer(*m);
        QCOMPARE(m->DrawnQuestions(1), q);

        m->options.AnswerLayout = 2;
        ExchangeBracketAndAnswer(*m);
        const QuestionRecord exchanged {u"a（c）"_s, QString(), u"b"_s};
        QCOMPARE(m->DrawnQuestions(1), exchanged);
        QCOMPARE(m->DrawnQuestions(2), exchanged);
        QCOMPARE(m->DrawnQuestions(3), q); // beyond the test: left alone
    }
};

QTEST_GUILESS_MAIN(tst_TestTextFile)
#include "tst_TestTextFile.moc"
