// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the OpenDocument export of one question whose line holds many "@"
// marks, lone or pairing up, from the drawn question to the package's bytes.
// Target: 10^5 marks in under 1 s.
//
//   sorario-odt-bench [runs]
#include "export/TestDocument.h"
#include "setup/ExportProcedures.h"
#include "shared/Module1.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <time.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

using namespace sorario;

namespace {

double cpuMs()
{
    timespec t {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

struct Timing
{
    double wallMs = 0;
    double cpuMs = 0; // on a busy machine the wall clock says more about the neighbours
    qsizetype bytes = 0;
};

// The medians of `runs` exports, and the bytes of the last one.
Timing exportTimes(const QString &question, int runs)
{
    std::vector<double> wall, cpu;
    qsizetype bytes = 0;
    for (int i = 0; i < runs; ++i) {
        auto m = std::make_unique<Module1>();
        m->clock.setFixed(QDateTime(QDate(2026, 4, 1), QTime(9, 0)));
        m->QuestionCount = 1;
        m->DrawnQuestions(1) = {question, QString(), QStringLiteral("answer")};
        QElapsedTimer t;
        t.start();
        const double cpuStart = cpuMs();
        const auto document = buildTestDocument(*m, {});
        bytes = testDocumentBytes(*document).value.size();
        cpu.push_back(cpuMs() - cpuStart);
        wall.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], cpu[cpu.size() / 2], bytes};
}

} // namespace

int main(int argc, char **argv)
{
    // The document's fonts need a platform: offscreen when none is set.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 3;
    for (const int marks : {10000, 100000}) {
        const struct
        {
            const char *what;
            QString line;
        } cases[] = {{"lone @", QStringLiteral("@ ").repeated(marks)},
            {"@bold@ word", QStringLiteral("@bold@ word ").repeated(marks / 2)}};
        for (const auto &c : cases) {
            const Timing t = exportTimes(c.line, runs);
            std::printf(
                "odt, one line of %6d marks (%-11s)  median %8.1f ms wall, %8.1f ms CPU of %d; %lld bytes\n",
                marks, c.what, t.wallMs, t.cpuMs, runs, static_cast<long long>(t.bytes));
        }
    }
    return 0;
}
