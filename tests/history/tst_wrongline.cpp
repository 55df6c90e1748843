// SPDX-License-Identifier: GPL-3.0-or-later
// A line of wrong questions as the marking window takes it, and as it is shown while typed.
#include "history/WrongLine.h"

#include "support/Fixtures.h"

using namespace sorario::test;

namespace {

constexpr Mark R = Mark::Right, W = Mark::Wrong, P = Mark::Partial;

// A typed line for a sheet of 5 questions: the marks it gives, or why it is refused.
struct Typed
{
    const char *name;
    QString typed;
    QList<Mark> marks = {};
    std::optional<WrongLineProblem> problem = std::nullopt;
};

const Typed TypedLines[] = {
    {.name = "three wrong", .typed = u"1 3 5"_s, .marks = {W, R, W, R, W}},
    {.name = "nothing typed: all right", .typed = u""_s, .marks = {R, R, R, R, R}},
    {.name = "a partial", .typed = u" 2\u25B3  4 "_s, .marks = {R, P, R, W, R}},
    {.name = "full width, comma, t", .typed = u"\uFF12\uFF0C4t"_s, .marks = {R, W, R, P, R}},
    {.name = "digits typed together", .typed = u"135"_s, .marks = {W, R, W, R, W}},
    {.name = "together, the last partial", .typed = u"24t"_s, .marks = {R, W, R, P, R}},
    {.name = "a leading zero, as the whole number", .typed = u"05"_s, .marks = {R, R, R, R, W}},
    {.name = "together, one beyond the count", .typed = u"136"_s, .problem = WrongLineProblem::Position},
    {.name = "beyond the count", .typed = u"2 6"_s, .problem = WrongLineProblem::Position},
    {.name = "zero", .typed = u"0"_s, .problem = WrongLineProblem::Position},
    {.name = "a letter", .typed = u"3a"_s, .problem = WrongLineProblem::Token},
    {.name = "a lone partial", .typed = u"\u25B3"_s, .problem = WrongLineProblem::Token},
    {.name = "twice", .typed = u"2 2t"_s, .problem = WrongLineProblem::Twice},
};

// What a line of a sheet of 5 questions is shown to stand for as it is typed.
struct Reading
{
    const char *name;
    QList<Mark> marks;
    QString reading;
};

const Reading Readings[] = {
    {.name = "wrong", .marks = {W, R, R, R, W}, .reading = u"1, 5 ×"_s},
    {.name = "wrong and partial", .marks = {W, P, W, P, R}, .reading = u"1, 3 ×　2, 4 △"_s},
    {.name = "all right", .marks = {R, R, R, R, R}, .reading = u"すべて ○"_s},
};

} // namespace

class TestWrongLine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void typedLines_data() { addRows(TypedLines); }
    void typedLines()
    {
        QFETCH(int, row);
        const Typed &t = TypedLines[row];
        const WrongLineOutcome parsed = ParseWrongLine(t.typed, 5);
        QCOMPARE(parsed.fault ? std::optional(parsed.fault->problem) : std::nullopt, t.problem);
        QCOMPARE(parsed.value, t.marks);
    }

    void readings_data() { addRows(Readings); }
    void readings()
    {
        QFETCH(int, row);
        QCOMPARE(WrongLineReading(Readings[row].marks), Readings[row].reading);
    }
};

QTEST_GUILESS_MAIN(TestWrongLine)
#include "tst_wrongline.moc"
