#include "bank/QuestionFiles.h"

#include "bank/EncodedLines.h"
#include "platform/Dialogs.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace sorario {

QString UnreadableFileMessage(const QString &path)
{
    return QStringLiteral("◆問題ファイルを読み込めません。\n") + path;
}

QString TooManyLinesMessage(const QString &path)
{
    return QStringLiteral("◆問題ファイルの行数が%1行をこえています。\n").arg(MaxFileLines) + path;
}

QString TooManyQuestionsMessage()
{
    return QStringLiteral("◆問題数が合計%1問をこえます。\n選ぶファイルを減らしてください。")
        .arg(MaxBankQuestions);
}

namespace {

void stopLoad(Module1 &m, Dialogs &dialogs, const QString &message)
{
    dialogs.message(message);
    m.LoadFailed = 1;
}

// Adds a file's declared part count (header line 2, defaults applied in place) to
// PartCount. False when the sum leaves the 16-bit range of the count.
bool addDeclaredParts(Module1 &m, QString &declaredText)
{
    if (declaredText.isEmpty() || declaredText == u"0")
        declaredText = QStringLiteral("1");
    double declared = LeadingNumber(declaredText);
    if (declared == 0) {
        declaredText = QStringLiteral("1");
        declared = 1;
    }
    const double sum = m.PartCount + declared;
    // Checked before rounding: a huge declared count must not reach the integer cast.
    if (!(sum > -40000.0 && sum < 40000.0))
        return false;
    const std::int64_t rounded = RoundHalfEven(sum);
    if (rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return false;
    m.PartCount = static_cast<std::int16_t>(rounded);
    return true;
}

} // namespace

void LoadQuestionFiles(Module1 &m, Dialogs &dialogs)
{
    m.BankQuestionCount = 0;
    m.PartCount = 0;
    m.LoadedTitles.clear();

    // Slots the previous file filled. The header slots are cleared even before the
    // first file, so that a short file never takes header lines from an earlier load.
    int filledSlots = HeaderLineCount;
    const int fileCount = std::clamp<int>(m.ChosenFileCount, 0, MaxChosenFiles);
    for (int f = 1; f <= fileCount; ++f) {
        m.FileLines.clear(1, std::max(filledSlots, HeaderLineCount));
        filledSlots = 0;

        const QString &path = m.ChosenFileList(f);
        LineFileRead read = readLineFile(path);
        if (read.status == LineFileRead::Status::Missing) {
            stopLoad(m, dialogs, BrokenDataMessage);
            return;
        }
        if (read.status == LineFileRead::Status::Unreadable) {
            stopLoad(m, dialogs, UnreadableFileMessage(path));
            return;
        }
        if (read.lines.size() > MaxFileLines) {
            stopLoad(m, dialogs, TooManyLinesMessage(path));
            return;
        }

        int n = 0;
        if (!read.lines.isEmpty() && read.lines.first().startsWith(QStringView(EncodedMark))) {
            // Only line 1 carries an encoded file; further physical lines are not used.
            m.EncodedText = read.lines.first().mid(3);
            DecodeEncodedLines(m);
            if (m.DecodeFailed) {
                stopLoad(m, dialogs, BrokenDataMessage);
                return;
            }
            n = m.DecodedLineCount;
            filledSlots = std::clamp(n + 1, 0, MaxFileLines);
            if (n > MaxFileLines) {
                stopLoad(m, dialogs, TooManyLinesMessage(path));
                return;
            }
        } else {
            n = static_cast<int>(read.lines.size());
            for (int i = 1; i <= n; ++i)
                m.FileLines(i) = std::move(read.lines[i - 1]);
            filledSlots = n;
        }

        if (n % 3 != 0) {
            dialogs.beep();
            stopLoad(m, dialogs, BrokenDataMessage);
            return;
        }
        const int questions = n >= HeaderLineCount ? (n - HeaderLineCount) / 3 : 0;
        if (m.BankQuestionCount + questions > MaxBankQuestions) {
            stopLoad(m, dialogs, TooManyQuestionsMessage());
            return;
        }

        for (int s = 1; s <= HeaderLineCount; ++s)
            m.FileHeaders(f, s) = m.FileLines(s);
        for (int q = 1; q <= questions; ++q) {
            QuestionRecord &slot = m.QuestionBank(m.BankQuestionCount + q);
            slot.QuestionText = m.FileLines(3 * q + 4);
            slot.Hint = m.FileLines(3 * q + 5);
            slot.Answer = m.FileLines(3 * q + 6);
        }
        m.BankQuestionCount = static_cast<std::int16_t>(m.BankQuestionCount + questions);

        if (m.FileHeaders(f, 1).isEmpty())
            m.FileHeaders(f, 1) = ProgramTitle;
        if (!addDeclaredParts(m, m.FileHeaders(f, 2))) {
            stopLoad(m, dialogs, BrokenDataMessage);
            return;
        }
        m.LoadedTitles += m.FileHeaders(f, 1);
        m.LoadedTitles += u"\r\n";
    }

    // Negative declared counts can pull the sum below 1; the parts need at least one.
    if (m.PartCount < 1)
        m.PartCount = 1;
    m.PartSize = static_cast<std::int16_t>(m.BankQuestionCount / m.PartCount);
}

} // namespace sorario
