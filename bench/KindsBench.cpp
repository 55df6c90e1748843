// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of setting word-order and multiple-choice questions on every sheet of a
// run, with a digest of what the sheets print: a faster setting must print the same.
#include "bank/QuestionKinds.h"

#include <QCryptographicHash>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

using namespace sorario;

namespace {

constexpr int Sheets = 60;
const QString Run = QStringLiteral("05010900");

// The process's processor time: on a machine shared with other work, the wall clock
// says more of the others than of the setting.
double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// Every question set on sheets 1 to 60, as a print run of 60 sheets sets them.
void report(const char *what, const QList<QuestionRecord> &questions)
{
    QCryptographicHash digest(QCryptographicHash::Sha1);
    QElapsedTimer t;
    t.start();
    const double cpuStart = cpuMs();
    for (int sheet = 1; sheet <= Sheets; ++sheet) {
        for (const QuestionRecord &q : questions) {
            const QuestionRecord set = OnSheet(q, {Run, sheet, ChoiceLabels::Kana});
            for (const QString &line : {set.QuestionText, set.Hint, set.Answer})
                digest.addData(QByteArrayView(line.toUtf8() + '\n'));
        }
    }
    const double ms = double(t.nsecsElapsed()) / 1e6;
    const double cpu = cpuMs() - cpuStart;
    std::printf(
        "%-44s %10.1f ms %10.1f ms cpu   %s\n", what, ms, cpu, digest.result().toHex().left(16).constData());
}

// "{{w1 / w2}} {{w3 / w4}} …": as many two-word groups as a line holds.
QList<QuestionRecord> twoWordGroups(int groups)
{
    QStringList parts;
    QStringList answer;
    for (int g = 0; g < groups; ++g) {
        const QString a = QString::number(g % 10) + QChar(u'a' + g % 26);
        const QString b = QString::number(g % 7) + QChar(u'b' + g % 25);
        parts << KindOpen + a + SetSeparator + b + KindClose;
        answer << a + u' ' + b;
    }
    return {{parts.join(u' '), QStringLiteral("**"), answer.join(u' ')}};
}

// Questions of one group of as many words as a line holds.
QList<QuestionRecord> longGroups(int count, int words)
{
    QList<QuestionRecord> out;
    for (int n = 0; n < count; ++n) {
        QStringList list;
        for (int w = 0; w < words; ++w)
            list << QStringLiteral("w%1").arg((w + n) % 100);
        out.append({GroupText(list), {}, list.join(u' ')});
    }
    return out;
}

// Word orders and choices as a teacher writes them, each question its own.
QList<QuestionRecord> manyQuestions(int count)
{
    QList<QuestionRecord> out;
    for (int n = 0; n < count; ++n) {
        if (n % 2 == 0)
            out.append({QStringLiteral("彼女はよい先生です。(%1) {{_She / is / a / good / teacher}}.").arg(n),
                QStringLiteral("**"), QStringLiteral("She is a good teacher.")});
        else
            out.append({QStringLiteral("He (  ) to school. (%1)").arg(n),
                QStringLiteral("{{go / goes / went / going / gone}}"), QStringLiteral("goes")});
    }
    return out;
}

} // namespace

int main()
{
    report("580 two-word groups on one line, 60 sheets", twoWordGroups(580));
    report("one group of 1600 words, 60 sheets", longGroups(1, 1600));
    report("1000 questions of 1600 words each, 60 sheets", longGroups(1000, 1600));
    report("1000 questions, 60 sheets", manyQuestions(1000));
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}
