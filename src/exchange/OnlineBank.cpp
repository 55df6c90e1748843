// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/OnlineBank.h"

#include "bank/EmptyAnswers.h"
#include "bank/QuestionFiles.h"
#include "bank/QuestionKinds.h"
#include "exchange/Gift.h"
#include "exchange/MoodleXml.h"
#include "exchange/QuestionCsv.h"
#include "exchange/SetWords.h"
#include "platform/Cp932.h"
#include "platform/RegularFile.h"
#include "shared/ProgramConstants.h"
#include "shared/QuestionRecord.h"

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

namespace {

// A question its marks do not make (a group of one word, an answer none of the
// choices) goes as written, as the sheet prints it.
BankQuestion bankQuestionOf(const QString &text, const QString &hint, const QString &answer)
{
    // "*" and "**" only shape the sheet's layout: no hint for a learner to read.
    const bool layoutMark = hint == u"*" || hint == u"**";
    BankQuestion question {BankQuestion::Kind::FillBlank, text, layoutMark ? QString() : hint, answer, {}};
    if (!KindProblems({text, hint, answer}).isEmpty())
        return question;
    question.kind = KindOf({text, hint, answer});
    if (question.kind == BankQuestion::Kind::MultipleChoice) {
        question.hint.clear();
        question.answer = answer.trimmed();
        question.choices = ChoiceGroup(hint)->words;
    } else if (question.kind == BankQuestion::Kind::WordOrder) {
        question.text = wordsSet({text, hint, answer});
    }
    return question;
}

// The question's lines; none for a multiple choice the hint line cannot hold.
std::optional<QuestionRecord> recordOf(const BankQuestion &question)
{
    if (question.kind != BankQuestion::Kind::MultipleChoice)
        return QuestionRecord {wordsUnset(question.text, question.answer), question.hint, question.answer};
    const QuestionRecord record {question.text, GroupText(question.choices), question.answer};
    const std::optional<KindGroup> group = ChoiceGroup(record.Hint);
    const QList<KindProblem> problems = KindProblems(record);
    if (!group || group->words != question.choices
        || std::any_of(
            problems.cbegin(), problems.cend(), [](const KindProblem &p) { return p.lineOffset > 0; }))
        return std::nullopt;
    return record;
}

} // namespace

BankCategory bankCategoryOf(const QStringList &fileLines)
{
    BankCategory category;
    category.header = fileLines.mid(0, HeaderLineCount);
    // The title the set-up window and the sheet show, the loader's default included.
    category.title = fileLines.value(0).isEmpty() ? ProgramTitle : fileLines.first();
    for (qsizetype i = HeaderLineCount; i + 3 <= fileLines.size(); i += 3)
        category.questions.append(bankQuestionOf(fileLines[i], fileLines[i + 1], fileLines[i + 2]));
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
        const bool choices = i >= HeaderLineCount && (i - HeaderLineCount) % 3 == 1 && ChoiceGroup(line);
        if (format == OnlineFormat::Gift && (answer || choices) && !giftHoldsAnswer(line))
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
    // One question file has one title: never a merge under the first category's.
    QStringList titles;
    for (const BankCategory &category : categories) {
        if (!category.questions.isEmpty())
            titles.append(u'「' + category.title + u'」');
    }
    if (titles.size() > 1) {
        const auto second = std::find_if(std::next(first), categories.cend(),
            [](const BankCategory &category) { return !category.questions.isEmpty(); });
        return OnlineBankRead::failed(
            OnlineFault::SeveralCategories, titles.join(QStringLiteral("、")), second->lines.value(0));
    }
    OnlineBankLines result {completedHeader(headed.header, first != categories.cend()), {}};
    QList<int> sourceLine(result.lines.size(), 0);
    for (const BankCategory &category : categories) {
        for (qsizetype q = 0; q < category.questions.size(); ++q) {
            // A text twice as long as a line can be is too long however it is marked,
            // and is refused before the kinds' rules read it.
            const BankQuestion &question = category.questions[q];
            const QList<qsizetype> sizes {question.text.size(), question.hint.size(), question.answer.size(),
                question.choices.join(QString()).size()};
            if (const auto longest = std::max_element(sizes.cbegin(), sizes.cend());
                *longest > 2 * MaxLineLength) {
                const int lineOfField[] = {1, 2, 3, 2}; // the choices are the hint line
                const int fileLine = int(result.lines.size()) + lineOfField[longest - sizes.cbegin()];
                return OnlineBankRead::failed(
                    LoadFault::LineTooLong, QString::number(fileLine), category.lines.value(q));
            }
            const std::optional<QuestionRecord> record = recordOf(question);
            if (!record)
                return OnlineBankRead::failed(OnlineFault::MultipleChoice, {}, category.lines.value(q));
            result.lines << record->QuestionText << record->Hint << record->Answer;
            sourceLine << QList<int>(3, category.lines.value(q));
        }
    }
    if (loadsAsEncoded(result.lines))
        return OnlineBankRead::failed(OnlineFault::EncodedTitle, {}, sourceLine.value(0));
    if (const LoaderCheck check = loaderCheckOf(result.lines); check.fault != LoadFault::None)
        return OnlineBankRead::failed(
            check.fault, QString::number(check.line), check.line > 0 ? sourceLine.value(check.line - 1) : 0);
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
    const FileBytes bytes = readRegularFile(path, MaxLineFileBytes);
    if (!bytes.ok())
        return OnlineBankRead::failed(
            *bytes.fault == FileReadFault::TooLarge ? OnlineFault::TooLarge : OnlineFault::Unreadable);
    return readOnlineBank(format, bytes.value);
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
    const QString name = formatName(format);
    const QString line
        = refused.line > 0 ? QStringLiteral("%1 の %2 行目: ").arg(name).arg(refused.line) : QString();
    if (const auto *loader = std::get_if<LoadFault>(&*refused.fault))
        return line + loaderRefusalText(*loader, path, refused.detail);
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
        return line
            + QStringLiteral("この選択問題（multichoice）は読み込めません。読み込めるのは、"
                             "2～10 個の違う選択肢に正解（100%）が一つだけの問題です。")
            + file;
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
    case K::EncodedTitle:
        return line + encodedTitleText() + file;
    case K::SeveralCategories:
        return line
            + QStringLiteral(
                "問題のあるカテゴリが複数あります（%1）。問題ファイルは一つのカテゴリから作ります。"
                "カテゴリごとに分けたファイルを読み込んでください。")
                  .arg(refused.detail)
            + file;
    case K::TooLarge:
        return line
            + QStringLiteral(
                "ファイルが大きすぎます（展開した文字数を含め、問題ファイルに入る量を超えています）。")
            + file;
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
