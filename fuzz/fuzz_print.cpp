// SPDX-License-Identifier: GPL-3.0-or-later
// The print run on the recording surface: question texts, hints and answers from
// a question file, both layouts, both print modes, answers on and off.
//
// Input: four option bytes (layout, answers, capacity answer, files, repeats,
// parts; font size),
// then UTF-8 lines: title, sheet code, logo, and then
// question, hint and answer lines in threes. A vertical tab stands for a line
// feed inside a text, which an encoded file can carry.
#include "FuzzSupport.h"

#include "print/PrintLog.h"
#include "print/PrintRun.h"
#include "print/RecordingSurface.h"
#include "setup/SheetPrinting.h"
#include "shared/Module1.h"

#include <QDateTime>

#include <cmath>
#include <memory>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

Module1 &module()
{
    static auto m = std::make_unique<Module1>();
    return *m;
}

MessageAnswer capacityAnswer(std::uint8_t bits)
{
    switch (bits & 3) {
    case 1:
        return MessageAnswer::No;
    case 2:
        return MessageAnswer::Cancel;
    default:
        return MessageAnswer::Yes;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 4)
        return 0;
    const std::uint8_t options = data[0];
    // Mostly sizes a font dialog gives; with the top bit any 16-bit size a
    // hand-edited settings file can hold, its sign from the fourth byte.
    int fontSize = (data[1] & 0x80) ? ((data[1] & 0x7F) << 8) | data[2] : data[1] % 64;
    if (data[3] & 1)
        fontSize = -fontSize;
    const MessageAnswer answer = capacityAnswer(static_cast<std::uint8_t>(options >> 2));

    QString text
        = QString::fromUtf8(reinterpret_cast<const char *>(data + 4), static_cast<qsizetype>(size - 4));
    QStringList lines;
    qsizetype from = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'\n') {
            if (i < text.size() || from < i)
                lines.append(text.mid(from, i - from));
            from = i + 1;
        }
    }
    for (QString &line : lines)
        line.replace(u'\v', u'\n');
    while (lines.size() < 3)
        lines.append(QString());

    Module1 &m = module();
    m.options.AnswerLayout = (options & 1) ? 2 : 1;
    m.options.AttachAnswers = (options & 2) ? 2 : 1;
    m.ChosenFileCount = (options & 0x10) ? 2 : 1;
    m.FileHeaders(1, 1) = lines[0];
    m.FileHeaders(1, 3) = lines[1];
    m.FileHeaders(2, 1) = lines[1];
    m.options.SheetLogo = lines[2];
    // The range line: every part, or the parts listed in the sheet-code line.
    m.AllPartsChosen = (options & 0x40) ? 0 : 1;
    const QStringList parts = lines[1].split(u',').mid(0, MaxChosenParts);
    m.ChosenPartCount = static_cast<std::int16_t>(parts.size());
    for (int i = 1; i <= parts.size(); ++i)
        m.ChosenPartNumbers(i) = parts[i - 1];
    m.options.FontName = DefaultFontName;
    m.options.FontSize = static_cast<std::int16_t>(fontSize);
    m.clock.setFixed(QDateTime(QDate(2024, 4, 8), QTime(9, 30)));
    const int given = (static_cast<int>(lines.size()) - 3) / 3;
    // Long tests (three-digit numbers, many pages) from a short input: the given
    // questions over and over.
    const int questions = std::min<int>((options & 0x20) && given > 0 ? 150 : given, MaxDrawnQuestions);
    for (int n = 1; n <= questions; ++n) {
        const int k = (n - 1) % given + 1;
        m.DrawnQuestions(n) = {lines[3 * k], lines[3 * k + 1], lines[3 * k + 2]};
    }
    m.QuestionCount = static_cast<std::int16_t>(questions);

    RecordingSurface surface;
    SilentDialogs dialogs(answer);
    const PrintOutcome outcome = PrintSheet(m, surface, dialogs).outcome;
    const bool printed = outcome.ok();
    const PrintLog &log = surface.log();

    // A failed run tells the teacher once; nothing else is a message.
    FUZZ_CHECK(dialogs.messages == (PrintFailed(outcome) ? 1 : 0));
    FUZZ_CHECK(dialogs.questions <= 1);
    FUZZ_CHECK(!(log.ended() && log.killed()));
    if (printed) {
        FUZZ_CHECK(log.ended());
        FUZZ_CHECK(log.pagesDelivered() >= (m.options.AttachAnswers == 1 ? 2 : 1));
        if (dialogs.questions == 1) {
            FUZZ_CHECK(answer != MessageAnswer::Cancel);
            FUZZ_CHECK(m.FitCount >= 0 && m.FitCount < questions);
            FUZZ_CHECK(m.QuestionCount == (answer == MessageAnswer::Yes ? m.FitCount : questions));
            FUZZ_CHECK(m.PrintMode == (answer == MessageAnswer::Yes ? 1 : 2));
        } else {
            FUZZ_CHECK(m.PrintMode == 1 && m.QuestionCount == questions);
        }
        // The fitted print keeps to the first page; only the answers may run on.
        if (m.PrintMode == 1 && m.options.AttachAnswers == 2)
            FUZZ_CHECK(log.pagesDelivered() == 1);
    } else {
        // A refused or failed run leaves no document behind.
        FUZZ_CHECK(log.killed());
        FUZZ_CHECK(m.QuestionCount == questions);
    }
    for (const PrintOperation &op : log.operations()) {
        if (op.kind == PrintOperation::Kind::Text)
            FUZZ_CHECK(std::isfinite(op.x) && std::isfinite(op.y));
    }
    return 0;
}
