// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile imports of 10 MB, each through the reader that takes it: the time and the
// peak memory of each, in a process of its own so that the peaks do not add up.
// Target: each read or refused in seconds, under 500 MB.
//
//   sorario-exchange-bench          (every input)
//   sorario-exchange-bench NAME     (one input)
#include "exchange/OnlineBank.h"
#include "exchange/QuestionCsv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cstdio>
#include <functional>

using namespace sorario;

namespace {

constexpr qsizetype Size = 10 * 1024 * 1024;

QByteArray filled(const QByteArray &head, const QByteArray &unit, const QByteArray &tail)
{
    return head + unit.repeated(Size / unit.size()) + tail;
}

const QByteArray QuizHead = "<quiz><question type=\"shortanswer\"><questiontext format=\"html\"><text>";
const QByteArray QuizTail
    = "</text></questiontext><answer fraction=\"100\"><text>a</text></answer></question></quiz>";

struct Input
{
    const char *name;
    OnlineFormat format;
    bool csv;
    std::function<QByteArray()> bytes;
};

const Input Inputs[] = {
    {"xml-cdata-lt", OnlineFormat::MoodleXml, false,
        [] { return filled(QuizHead + "<![CDATA[", "<a", "]]>" + QuizTail); }},
    {"xml-cdata-amp", OnlineFormat::MoodleXml, false,
        [] { return filled(QuizHead + "<![CDATA[", "&", "]]>" + QuizTail); }},
    {"xml-attributes", OnlineFormat::MoodleXml, false,
        [] {
            QByteArray tag = "<quiz><question";
            for (int i = 0; tag.size() < Size; ++i)
                tag += " a" + QByteArray::number(i) + "=\"\"";
            return tag + "/></quiz>";
        }},
    {"xml-nesting", OnlineFormat::MoodleXml, false,
        [] { return filled(QuizHead, "<a>", "") + QByteArray("</a>").repeated(Size / 3) + QuizTail; }},
    {"xml-entities", OnlineFormat::MoodleXml, false,
        [] {
            return "<!DOCTYPE quiz [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">]>"
                + filled(QuizHead, "&e;", QuizTail);
        }},
    {"xml-text", OnlineFormat::MoodleXml, false, [] { return filled(QuizHead, "word ", QuizTail); }},
    {"gift-choices", OnlineFormat::Gift, false, [] { return filled("Q {=b ", "~a", "}\n"); }},
    {"gift-html-lt", OnlineFormat::Gift, false, [] { return filled("[html]", "<", "{=a}\n"); }},
    {"gift-backslashes", OnlineFormat::Gift, false, [] { return filled("Q ", "\\.", "{=a}\n"); }},
    {"gift-questions", OnlineFormat::Gift, false, [] { return filled("", "Q {=a}\n\n", ""); }},
    {"csv-commas", OnlineFormat::Gift, true, [] { return filled("", ",", ""); }},
    {"csv-rows", OnlineFormat::Gift, true, [] { return filled("", "a\n", ""); }},
    {"csv-quotes", OnlineFormat::Gift, true, [] { return filled("\"", "\"\"", ""); }},
    {"csv-long-cell", OnlineFormat::Gift, true, [] { return filled("", "x", "\n"); }},
};

long peakKilobytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

int runOne(const Input &input)
{
    const QByteArray bytes = input.bytes();
    QElapsedTimer timer;
    timer.start();
    const bool ok = input.csv ? readQuestionCsv(bytes).ok() : readOnlineBank(input.format, bytes).ok();
    std::printf("%-18s %6.1f MB  %8.2f s  peak %6ld MB  %s\n", input.name, double(bytes.size()) / 1048576,
        double(timer.nsecsElapsed()) / 1e9, peakKilobytes() / 1024, ok ? "read" : "refused");
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    for (const Input &input : Inputs) {
        if (args.size() > 1 && args[1] == QLatin1String(input.name))
            return runOne(input);
        if (args.size() == 1) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(app.applicationFilePath(), {QLatin1String(input.name)});
            child.waitForFinished(-1);
        }
    }
    return 0;
}
