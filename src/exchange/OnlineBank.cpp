// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/OnlineBank.h"

#include "bank/EmptyAnswers.h"
#include "bank/QuestionFiles.h"
#include "exchange/Gift.h"
#include "exchange/MoodleXml.h"
#include "exchange/QuestionCsv.h"
#include "platform/Cp932.h"
#include "shared/Module1.h"

#include <QFile>
#include <QFileInfo>

namespace sorario {

std::optional<OnlineFormat> onlineFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"xml")
        return OnlineFormat::MoodleXml;
    if (suffix == u"gift" || suffix == u"txt")
        return OnlineFormat::Gift;
    return std::nullopt;
}

BankCategory bankCategoryOf(const QStringList &fileLines)
{
    BankCategory category;
    category.header = fileLines.mid(0, HeaderLineCount);
    // The title the set-up window and the sheet show, the loader's default included.
    category.title = fileLines.value(0).isEmpty() ? ProgramTitle : fileLines.first();
    for (qsizetype i = HeaderLineCount; i + 3 <= fileLines.size(); i += 3)
        category.questions.append(
            {BankQuestion::Kind::FillBlank, fileLines[i], fileLines[i + 1], fileLines[i + 2]});
    return category;
}

QString headerNote(const QStringList &header)
{
    QStringList lines;
    for (qsizetype i = 0; i < header.size(); ++i)
        lines.append(headerLineLabels()[i] + u' ' + header[i]);
    return lines.join(u'\n');
}

std::optional<QStringList> headerOfNote(QStringView note)
{
    const QList<QStringView> lines = note.split(u'\n');
    if (lines.size() > HeaderLineCount)
        return std::nullopt;
    QStringList header;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &label = headerLineLabels()[i];
        if (lines[i] == label)
            header.append(QString());
        else if (lines[i].startsWith(label + u' '))
            header.append(lines[i].sliced(label.size() + 1).toString());
        else
            return std::nullopt;
    }
    return header;
}

bool isControlCharacter(QChar c)
{
    return c.unicode() < 0x20 && c != u'\t';
}

namespace {

// The first line of a question file that the format cannot hold.
std::pair<OnlineBankWrite::NotHeld, int> firstLineNotHeld(OnlineFormat format, const QStringList &fileLines)
{
    for (qsizetype i = 0; i < fileLines.size(); ++i) {
        const QString &line = fileLines[i];
        if (std::any_of(line.cbegin(), line.cend(), isControlCharacter))
            return {OnlineBankWrite::NotHeld::ControlCharacter, int(i) + 1};
        const bool answer = i >= HeaderLineCount && (i - HeaderLineCount) % 3 == 2;
        if (format == OnlineFormat::Gift && answer && !giftHoldsAnswer(line))
            return {OnlineBankWrite::NotHeld::ArrowInAnswer, int(i) + 1};
    }
    return {OnlineBankWrite::NotHeld::None, 0};
}

} // namespace

OnlineBankRead questionLinesOf(const QList<BankCategory> &categories)
{
    if (categories.isEmpty())
        return OnlineBankRead::failed(OnlineFault::Empty);
    const auto first = std::find_if(categories.cbegin(), categories.cend(),
        [](const BankCategory &category) { return !category.questions.isEmpty(); });
    const BankCategory &headed = first == categories.cend() ? categories.last() : *first;
    OnlineBankLines result {completedHeader(headed.header, first != categories.cend()), {}};
    QList<int> sourceLine(result.lines.size(), 0);
    for (const BankCategory &category : categories) {
        for (qsizetype q = 0; q < category.questions.size(); ++q) {
            const BankQuestion &question = category.questions[q];
            result.lines << question.text << question.hint << question.answer;
            sourceLine << QList<int>(3, category.lines.value(q));
        }
    }
    if (const LoadFault fault = ReadQuestionLines(result.lines).fault; fault != LoadFault::None)
        return OnlineBankRead::failed(fault);
    for (qsizetype i = 0; i < result.lines.size(); ++i) {
        if (std::any_of(result.lines[i].cbegin(), result.lines[i].cend(), isControlCharacter))
            return OnlineBankRead::failed(OnlineFault::ControlCharacter, {}, sourceLine[i]);
        if (const QString bad = firstCharacterNotHeld(result.lines[i]); !bad.isEmpty())
            return OnlineBankRead::failed(OnlineFault::UnwritableCharacter, bad, sourceLine[i]);
    }
    for (const int line : EmptyAnswerLines(result.lines))
        result.emptyAnswerLines.append(sourceLine[line - 1]);
    return result;
}

OnlineBankWrite onlineBankBytes(OnlineFormat format, const QList<QStringList> &files)
{
    QList<BankCategory> categories;
    for (qsizetype f = 0; f < files.size(); ++f) {
        if (const auto [notHeld, line] = firstLineNotHeld(format, files[f]); line > 0)
            return {{}, notHeld, int(f) + 1, line};
        categories.append(bankCategoryOf(files[f]));
    }
    return {format == OnlineFormat::MoodleXml ? moodleXmlBytes(categories) : giftBytes(categories)};
}

OnlineBankRead readOnlineBank(OnlineFormat format, QByteArrayView bytes)
{
    const BankFileRead read = format == OnlineFormat::MoodleXml ? readMoodleXml(bytes) : readGift(bytes);
    if (!read.ok())
        return OnlineBankRead::failed(*read.fault, read.detail, read.line);
    return questionLinesOf(read.value);
}

OnlineBankRead readOnlineBankFile(OnlineFormat format, const QString &path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!file.isOpen() || file.error() != QFileDevice::NoError)
        return OnlineBankRead::failed(OnlineFault::Unreadable);
    return readOnlineBank(format, bytes);
}

namespace {

QString formatName(OnlineFormat format)
{
    return format == OnlineFormat::MoodleXml ? QStringLiteral("Moodle XML") : QStringLiteral("GIFT");
}

} // namespace

QString onlineRefusalText(OnlineFormat format, const OnlineBankRead &refused, const QString &path)
{
    if (refused.ok())
        return {};
    if (const auto *loader = std::get_if<LoadFault>(&*refused.fault))
        return loaderRefusalText(*loader, path);
    const QString name = formatName(format);
    const QString line
        = refused.line > 0 ? QStringLiteral("%1 の %2 行目: ").arg(name).arg(refused.line) : QString();
    const QString file = u'\n' + path;
    using K = OnlineFault;
    switch (std::get<K>(*refused.fault)) {
    case K::Unreadable:
        return QStringLiteral("◆%1 ファイルを読み込めません。").arg(name) + file;
    case K::NotWellFormed:
        return line + QStringLiteral("XML の書き方が正しくありません。") + file;
    case K::NotAQuiz:
        return line + QStringLiteral("Moodle XML の問題ファイル（<quiz> で始まるファイル）ではありません。")
            + file;
    case K::UnsupportedType:
        return line
            + QStringLiteral("「%1」の問題は読み込めません。読み込めるのは記述（short answer）の問題です。")
                  .arg(refused.detail)
            + file;
    case K::MultipleChoice:
        return line + QStringLiteral("選択問題（multichoice）はまだ読み込めません。") + file;
    case K::NoRightAnswer:
        return line + QStringLiteral("正解（100%）の答えがありません。") + file;
    case K::Unclosed:
        return line + QStringLiteral("解答の「{」が閉じられていません。") + file;
    case K::ControlCharacter:
        return line + QStringLiteral("問題ファイルに入れられない制御文字があります。") + file;
    case K::Empty:
        return QStringLiteral("%1 のファイルに問題もカテゴリもありません。").arg(name) + file;
    case K::UnwritableCharacter:
        return line + notHeldText(refused.detail) + file;
    }
    return {};
}

QString onlineNotHeldText(const OnlineBankWrite &write, const QString &path)
{
    const QString line = QStringLiteral("%1 行目: ").arg(write.line);
    const QString file = u'\n' + path;
    switch (write.notHeld) {
    case OnlineBankWrite::NotHeld::None:
        return {};
    case OnlineBankWrite::NotHeld::ControlCharacter:
        return line + QStringLiteral("学習システムのファイルに書けない制御文字があります。") + file;
    case OnlineBankWrite::NotHeld::ArrowInAnswer:
        return line
            + QStringLiteral("GIFT では「->」を含む解答を書けません（組み合わせ問題として読まれます）。")
            + file;
    }
    return {};
}

QString onlineEmptyAnswerWarning(OnlineFormat format, int line)
{
    return QStringLiteral("%1 の %2 行目: 警告: ").arg(formatName(format)).arg(line) + EmptyAnswerMessage();
}

} // namespace sorario
