// SPDX-License-Identifier: GPL-3.0-or-later
// Timings of the question bank: loading, decoding and drawing at full capacity,
// with the system's iconv over the same bytes as the yardstick for loading.
#include "bank/Draw.h"
#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "platform/Cp932.h"
#include "platform/Dialogs.h"
#include "setup/BankProcedures.h"
#include "setup/LoadQuestionFiles.h"
#include "shared/Module1.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace sorario;

namespace {

class SilentDialogs : public Dialogs
{
public:
    int messages = 0;
    MessageAnswer messageBox(const QString &, MessageButtons, MessageIcon, const QString &) override
    {
        ++messages;
        return MessageAnswer::Ok;
    }
    void beep() override { }
    QString inputBox(const QString &, const QString &, const QString &) override { return {}; }
    std::optional<FontChoice> fontDialog(const QString &, int, FontDialogFlags) override
    {
        return std::nullopt;
    }
    bool printDialog(QPrinter *, PrintDialogFlags) override { return false; }
    std::optional<QString> saveDialog(const FileDialogOptions &) override { return std::nullopt; }
    std::optional<QString> openDialog(const FileDialogOptions &) override { return std::nullopt; }
};

struct Timing
{
    double median = 0;
    double best = 0;
};

Timing measure(int runs, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.front()};
}

void report(const char *what, const Timing &t)
{
    std::printf("%-52s median %8.3f ms   best %8.3f ms\n", what, t.median, t.best);
}

// A question line of the kind teachers write: English with Japanese around it.
QString sampleLine(int file, int q, int field)
{
    static const QString texts[] = {
        QStringLiteral("彼は毎朝@six@時に起きる。He (get) up at six every morning.\\/（　）内を適当な形に"),
        QStringLiteral("**"),
        QStringLiteral("gets ～ 三人称単数のｓ"),
    };
    return texts[field] + QStringLiteral(" [%1-%2]").arg(file).arg(q);
}

QByteArray fileBytes(int file, int questions)
{
    QStringList lines {QStringLiteral("中学英語 文法問題 %1").arg(file), QStringLiteral("5"),
        QStringLiteral("G%1").arg(file), QString(), QString(), QString()};
    for (int q = 1; q <= questions; ++q)
        for (int f = 0; f < 3; ++f)
            lines << sampleLine(file, q, f);
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += encodeCp932(line).bytes + "\r\n";
    return bytes;
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid())
        return 1;

    // The code-page tables are built on first use; that is a once-per-run cost.
    QElapsedTimer cold;
    cold.start();
    (void)cp932Character(0x82A0);
    const double decodeTableMs = static_cast<double>(cold.nsecsElapsed()) / 1e6;
    cold.restart();
    (void)cp932Code(QChar(u'あ'));
    const double encodeTableMs = static_cast<double>(cold.nsecsElapsed()) / 1e6;
    std::printf("%-52s %8.3f ms\n", "code-page decode table, first use", decodeTableMs);
    std::printf("%-52s %8.3f ms\n", "code-page encode table, first use", encodeTableMs);

    // 100 files of 50 questions: the bank's full 5000.
    auto m = std::make_unique<Module1>();
    QByteArray allBytes;
    m->ChosenFileCount = MaxChosenFiles;
    for (int f = 1; f <= MaxChosenFiles; ++f) {
        const QByteArray bytes = fileBytes(f, MaxBankQuestions / MaxChosenFiles);
        const QString path = dir.filePath(QStringLiteral("f%1.qvn").arg(f));
        if (!writeBytes(path, bytes))
            return 1;
        m->ChosenFileList(f) = path;
        allBytes += bytes;
    }
    const QString allPath = dir.filePath(QStringLiteral("all.txt"));
    writeBytes(allPath, allBytes);

    SilentDialogs dialogs;
    const Timing load = measure(21, [&] {
        m->LoadFailed = 0;
        LoadQuestionFiles(*m, dialogs);
    });
    if (m->LoadFailed || m->BankQuestionCount != MaxBankQuestions) {
        std::fprintf(stderr, "load failed\n");
        return 1;
    }
    std::printf("bytes in the 100 files: %lld\n", static_cast<long long>(allBytes.size()));
    report("load 100 files, 5000 questions", load);

    const QString iconv = QStandardPaths::findExecutable(QStringLiteral("iconv"));
    if (!iconv.isEmpty()) {
        const QStringList args {QStringLiteral("-f"), QStringLiteral("CP932"), QStringLiteral("-t"),
            QStringLiteral("UTF-8"), allPath, QStringLiteral("-o"), QStringLiteral("/dev/null")};
        const Timing ic = measure(21, [&] { QProcess::execute(iconv, args); });
        report("iconv -f CP932 -t UTF-8 on the same bytes (process)", ic);
        std::printf("  load / iconv: %.2f\n", load.median / ic.median);
    } else {
        std::printf(
            "iconv not found; compare with: iconv -f CP932 -t UTF-8 %s -o /dev/null\n", qPrintable(allPath));
    }

    // A 9999-line file, encoded: the largest line count that is a multiple of 3.
    QStringList lines;
    for (int i = 0; i < 9999; ++i)
        lines << sampleLine(1, i, i % 3);
    const QString payload = EncodeLines(lines);
    std::printf("encoded payload: %lld characters\n", static_cast<long long>(payload.size()));
    m->EncodedText = payload;
    int decodedLines = 0;
    const Timing decode = measure(21, [&] { decodedLines = DecodeEncodedLines(*m); });
    if (decodedLines != 9999)
        return 1;
    report("decode a 9999-line encoded file", decode);

    const QString encodedPath = dir.filePath(QStringLiteral("encoded.qvn"));
    writeBytes(
        encodedPath, encodeCp932(QString::fromUtf16(EncodedMark) + payload + QStringLiteral("\r\n")).bytes);
    m->ChosenFileCount = 1;
    m->ChosenFileList(1) = encodedPath;
    const Timing loadEncoded = measure(21, [&] {
        m->LoadFailed = 0;
        LoadQuestionFiles(*m, dialogs);
    });
    report("load that encoded file (3331 questions)", loadEncoded);

    for (int k = 1; k <= MaxBankQuestions; ++k)
        m->RangePool(k) = m->QuestionBank(k);
    m->RangeQuestionCount = MaxBankQuestions;
    quint64 seed = 1;
    report("draw 1000 of 5000", measure(201, [&] {
        m->QuestionCount = MaxDrawnQuestions;
        DrawQuestions(*m, seed++);
    }));
    m->RangeQuestionCount = MaxDrawnQuestions;
    report("draw 1000 of 1000 (worst case for re-draws)", measure(201, [&] {
        m->QuestionCount = MaxDrawnQuestions;
        DrawQuestions(*m, seed++);
    }));

    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident memory: %ld KiB\n", usage.ru_maxrss);
    return 0;
}
