// SPDX-License-Identifier: GPL-3.0-or-later
// The question-file loader on one to three files, plain or encoded.
#include "FuzzSupport.h"

#include "bank/QuestionFiles.h"
#include "setup/LoadQuestionFiles.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QHash>

#include <algorithm>
#include <memory>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

void choose(Module1 &m, const QStringList &paths)
{
    m.ChosenFileCount = static_cast<std::int16_t>(paths.size());
    for (int f = 1; f <= paths.size(); ++f)
        m.ChosenFileList(f) = paths[f - 1];
    m.LoadFailed = 0;
}

void checkLoaded(const Module1 &m, const SilentDialogs &dialogs)
{
    if (m.LoadFailed == 1) {
        FUZZ_CHECK(dialogs.messages == 1);
        return;
    }
    FUZZ_CHECK(dialogs.messages == 0 && dialogs.beeps == 0);
    FUZZ_CHECK(m.BankQuestionCount >= 0 && m.BankQuestionCount <= MaxBankQuestions);
    FUZZ_CHECK(m.PartCount >= 1);
    FUZZ_CHECK(m.PartSize == m.BankQuestionCount / m.PartCount);
    FUZZ_CHECK(m.LoadedTitles.count(u"\r\n") == m.ChosenFileCount);
    for (int f = 1; f <= m.ChosenFileCount; ++f) {
        FUZZ_CHECK(!m.FileHeaders(f, 1).isEmpty());
        FUZZ_CHECK(LeadingNumber(m.FileHeaders(f, 2)) != 0);
    }
}

// What a load leaves for the windows to read.
bool sameLoad(const Module1 &a, const Module1 &b)
{
    if (a.LoadFailed != b.LoadFailed)
        return false;
    if (a.LoadFailed == 1)
        return true;
    if (a.BankQuestionCount != b.BankQuestionCount || a.PartCount != b.PartCount || a.PartSize != b.PartSize
        || a.LoadedTitles != b.LoadedTitles)
        return false;
    for (int f = 1; f <= a.ChosenFileCount; ++f)
        for (int s = 1; s <= HeaderLineCount; ++s)
            if (a.FileHeaders(f, s) != b.FileHeaders(f, s))
                return false;
    for (int q = 1; q <= a.BankQuestionCount; ++q)
        if (!(a.QuestionBank(q) == b.QuestionBank(q)))
            return false;
    return true;
}

// Two states reused by every input. After each input they forget what it
// touched: the slots of its longest file and of all its questions.
Module1 &module(int which)
{
    static std::unique_ptr<Module1> modules[2] = {std::make_unique<Module1>(), std::make_unique<Module1>()};
    return *modules[which];
}

template <typename T, int N> void forgetSlots(Slots<T, N> &slots, int count)
{
    for (int i = 1; i <= std::min(count, N); ++i)
        if (!(slots(i) == T {}))
            slots(i) = T {};
}

void forget(Module1 &m, int lines, int questions)
{
    forgetSlots(m.FileLines, lines);
    forgetSlots(m.QuestionBank, questions);
    for (int f = 1; f <= 3; ++f)
        for (int s = 1; s <= HeaderLineCount; ++s)
            m.FileHeaders(f, s).clear();
    m.EncodedText.clear();
    m.BankQuestionCount = m.PartCount = m.PartSize = 0;
    m.LoadedTitles.clear();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    // Each file read once, as the loader reads a file's bytes; every load below
    // takes its reading from here.
    const QList<QByteArray> files = splitInput(data, size, 3);
    QStringList paths;
    QHash<QString, QuestionFileRead> reads;
    for (int i = 0; i < files.size(); ++i) {
        paths.append(QStringLiteral("file%1.qvn").arg(i + 1));
        reads.insert(paths.last(), ReadQuestionBytes(files[i]));
    }
    const QuestionFileReader inMemory = [&reads](const QString &path) { return reads.value(path); };

    Module1 &used = module(0);
    SilentDialogs first;
    choose(used, paths);
    LoadQuestionFiles(used, first, inMemory);
    checkLoaded(used, first);

    // A second load, the files the other way round, must not see the first one:
    // the same files loaded into a fresh state give the same bank and headers.
    QStringList reversed(paths.rbegin(), paths.rend());
    SilentDialogs again;
    choose(used, reversed);
    LoadQuestionFiles(used, again, inMemory);
    checkLoaded(used, again);

    Module1 &fresh = module(1);
    SilentDialogs once;
    choose(fresh, reversed);
    LoadQuestionFiles(fresh, once, inMemory);
    FUZZ_CHECK(sameLoad(used, fresh));
    int lines = HeaderLineCount;
    int questions = 0;
    for (const QuestionFileRead &read : std::as_const(reads)) {
        lines = std::max(lines, int(read.lines.size()));
        questions += read.questionCount();
    }
    forget(used, lines, questions);
    forget(fresh, lines, questions);
    return 0;
}
