// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Gift.h"

#include "bank/QuestionKinds.h"
#include "exchange/Csv.h"
#include "exchange/InlineHtml.h"
#include "exchange/MoodleXml.h"
#include "platform/LineFile.h"

#include <utility>

namespace sorario {
namespace {

constexpr char16_t Markers[] = u"~=#{}:\\";
constexpr char16_t CommentStart[] = u"//";
constexpr char16_t CategoryStart[] = u"$CATEGORY:";

QString escaped(QStringView text)
{
    QString out;
    for (const QChar c : text) {
        if (QStringView(Markers).contains(c))
            out += u'\\';
        out += c;
    }
    return out;
}

QString unescaped(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size()) {
            const QChar next = text[++i];
            if (next == u'n')
                out += u'\n';
            else if (QStringView(Markers).contains(next))
                out += next;
            else
                out += text.sliced(i - 1, 2);
        } else {
            out += text[i];
        }
    }
    return out;
}

// The first `what` at or after `from` that no backslash escapes; -1 when none.
qsizetype findUnescaped(QStringView text, QStringView what, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text[i] == u'\\')
            ++i;
        else if (text.sliced(i).startsWith(what))
            return i;
    }
    return -1;
}

bool isAsciiBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n';
}

QStringView trimmedAscii(QStringView text)
{
    while (!text.isEmpty() && isAsciiBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isAsciiBlank(text.back()))
        text.chop(1);
    return text;
}

void writeHead(QString &out, int number, const BankQuestion &question)
{
    out += QStringLiteral("::") + escaped(questionName(number, question.text)) + QStringLiteral("::[html]")
        + escaped(lineToInlineHtml(question.text)) + u'{';
}

void writeTail(QString &out, const BankQuestion &question)
{
    if (!question.hint.isEmpty())
        out += QStringLiteral("####") + escaped(lineToInlineHtml(question.hint));
    out += QStringLiteral("}\n\n");
}

// A weight in front of an answer that begins with "%", so that it is not read as one.
QString weightFor(QStringView answer, bool right)
{
    return !answer.startsWith(u'%') ? QString() : right ? QStringLiteral("%100%") : QStringLiteral("%0%");
}

void writeShortAnswer(QString &out, int number, const BankQuestion &question)
{
    writeHead(out, number, question);
    out += u'=' + weightFor(question.answer, true) + escaped(question.answer);
    writeTail(out, question);
}

void writeMultipleChoice(QString &out, int number, const BankQuestion &question)
{
    writeHead(out, number, question);
    for (qsizetype i = 0; i < question.choices.size(); ++i) {
        const bool right = question.choices[i] == question.answer;
        const QString html = lineToInlineHtml(question.choices[i]);
        out += (i > 0 ? QStringLiteral(" ") : QString()) + (right ? u'=' : u'~') + weightFor(html, right)
            + escaped(html);
    }
    writeTail(out, question);
}

// A question, or why it is refused.
using Question = Outcome<OnlineFault, BankQuestion>;

// What kind an answer block is, when not a short answer.
Question otherKind(QStringView block)
{
    using K = OnlineFault;
    static const QStringList truth
        = {QStringLiteral("T"), QStringLiteral("F"), QStringLiteral("TRUE"), QStringLiteral("FALSE")};
    if (block.isEmpty())
        return Question::failed(K::UnsupportedType, QStringLiteral("essay"));
    if (truth.contains(block.toString()))
        return Question::failed(K::UnsupportedType, QStringLiteral("truefalse"));
    if (block.startsWith(u'#'))
        return Question::failed(K::UnsupportedType, QStringLiteral("numerical"));
    if (findUnescaped(block, u"->") >= 0)
        return Question::failed(K::UnsupportedType, QStringLiteral("matching"));
    if (!block.startsWith(u'=') && !block.startsWith(u'~'))
        return Question::failed(K::UnsupportedType, block.left(20).toString());
    return {};
}

// The first "=" or "~" at or after `from` that no backslash escapes; -1 when none.
// Looking for each on its own would read to the end for every choice.
qsizetype nextChoice(QStringView block, qsizetype from)
{
    for (qsizetype i = from; i < block.size(); ++i) {
        if (block[i] == u'\\')
            ++i;
        else if (block[i] == u'=' || block[i] == u'~')
            return i;
    }
    return -1;
}

// "{~a =b ~%0%c#feedback}": one choice of full marks, every other of none.
template <typename Line> Question readChoices(QStringView block, const Line &line)
{
    Question result;
    result.value.kind = BankQuestion::Kind::MultipleChoice;
    int right = 0;
    bool partial = false;
    for (qsizetype at = 0; at >= 0 && at < block.size();) {
        const qsizetype next = nextChoice(block, at + 1);
        QStringView choice = block.sliced(at + 1, (next < 0 ? block.size() : next) - at - 1);
        if (const qsizetype feedback = findUnescaped(choice, u"#"); feedback >= 0)
            choice = choice.first(feedback);
        double weight = block[at] == u'=' ? 100 : 0;
        choice = trimmedAscii(choice);
        if (const qsizetype end = choice.indexOf(u'%', 1); choice.startsWith(u'%') && end > 0) {
            weight = choice.sliced(1, end - 1).toDouble();
            choice = choice.sliced(end + 1);
        }
        result.value.choices.append(line(choice));
        if (result.value.choices.size() > MaxChoices)
            return Question::failed(OnlineFault::MultipleChoice);
        if (weight >= 100) {
            ++right;
            result.value.answer = result.value.choices.last();
        }
        partial = partial || (weight > 0 && weight < 100);
        at = next;
    }
    if (right != 1 || partial)
        return Question::failed(OnlineFault::MultipleChoice);
    return result;
}

Question readQuestion(QStringView text)
{
    Question result;
    text = trimmedAscii(text);
    if (text.startsWith(u"::")) {
        const qsizetype end = findUnescaped(text, u"::", 2);
        text = trimmedAscii(end < 0 ? QStringView() : text.sliced(end + 2));
    }
    bool html = false;
    if (text.startsWith(u'[')) {
        const qsizetype end = text.indexOf(u']');
        html = end > 0 && text.sliced(1, end - 1) == u"html";
        text = end > 0 ? text.sliced(end + 1) : text;
    }
    const auto line = [html](QStringView gift) {
        const QString plain = unescaped(trimmedAscii(gift));
        return html ? inlineHtmlToLine(plain) : plainTextToLine(plain);
    };
    const qsizetype open = findUnescaped(text, u"{");
    if (open < 0)
        return Question::failed(OnlineFault::UnsupportedType, QStringLiteral("description"));
    const qsizetype close = findUnescaped(text, u"}", open + 1);
    if (close < 0)
        return Question::failed(OnlineFault::Unclosed);
    QStringView block = trimmedAscii(text.sliced(open + 1, close - open - 1));
    if (const qsizetype general = findUnescaped(block, u"####"); general >= 0) {
        result.value.hint = line(block.sliced(general + 4));
        block = trimmedAscii(block.first(general));
    }
    if (Question other = otherKind(block); !other.ok())
        return other;
    // The blank of a text that goes on after the answer is where the answer was.
    const QStringView after = trimmedAscii(text.sliced(close + 1));
    const QString questionText = after.isEmpty()
        ? line(text.first(open))
        : line(text.first(open).toString() + QStringLiteral("（　　）") + text.sliced(close + 1).toString());
    if (findUnescaped(block, u"~") >= 0) {
        Question choices = readChoices(block, line);
        choices.value.text = questionText;
        return choices;
    }
    // The first answer of full marks: "=answer", "=%100%answer", with "#feedback" after it.
    for (qsizetype at = 0; at >= 0 && at < block.size();) {
        const qsizetype next = findUnescaped(block, u"=", at + 1);
        QStringView answer = block.sliced(at + 1, (next < 0 ? block.size() : next) - at - 1);
        if (const qsizetype feedback = findUnescaped(answer, u"#"); feedback >= 0)
            answer = answer.first(feedback);
        bool full = true;
        if (answer.startsWith(u'%')) {
            const qsizetype end = answer.indexOf(u'%', 1);
            full = end > 0 && answer.sliced(1, end - 1).toDouble() >= 100;
            answer = end > 0 ? answer.sliced(end + 1) : answer;
        }
        if (full) {
            result.value.answer = plainTextToLine(unescaped(trimmedAscii(answer)));
            result.value.text = questionText;
            return result;
        }
        at = next;
    }
    return Question::failed(OnlineFault::NoRightAnswer);
}

} // namespace

bool giftHoldsAnswer(QStringView answer)
{
    return !answer.contains(u"->");
}

QByteArray giftBytes(const QList<BankCategory> &categories)
{
    QString out;
    for (const BankCategory &category : categories) {
        for (const QString &note : headerNote(category.header).split(u'\n', Qt::SkipEmptyParts))
            out += QString::fromUtf16(CommentStart) + u' ' + note + u'\n';
        out += QString::fromUtf16(CategoryStart) + u' ' + categoryPath(category.title)
            + QStringLiteral("\n\n");
        int number = 0;
        for (const BankQuestion &question : category.questions) {
            ++number;
            switch (question.kind) {
            case BankQuestion::Kind::FillBlank:
            case BankQuestion::Kind::WordOrder:
                writeShortAnswer(out, number, question);
                break;
            case BankQuestion::Kind::MultipleChoice:
                writeMultipleChoice(out, number, question);
                break;
            }
        }
    }
    return out.toUtf8();
}

BankFileRead readGift(QByteArrayView bytes)
{
    BankFileRead result;
    const QStringList lines = splitLines(decodeExchangedText(bytes));
    QStringList notes; // the comments since the last category
    QString block;
    int blockLine = 0;
    int questions = 0;
    const auto endBlock = [&]() {
        const QString taken = std::exchange(block, QString());
        const QStringView text = trimmedAscii(taken);
        const int line = std::exchange(blockLine, 0);
        if (text.isEmpty())
            return true;
        if (text.startsWith(CategoryStart)) {
            BankCategory category;
            category.title = categoryTitle(trimmedAscii(text.sliced(QStringView(CategoryStart).size())));
            category.header = headerOfNote(notes.join(u'\n')).value_or(QStringList {category.title});
            notes.clear();
            result.value.append(category);
            return true;
        }
        const Question read
            = ++questions > MaxFileQuestions ? Question::failed(OnlineFault::TooLarge) : readQuestion(text);
        if (!read.ok()) {
            result = BankFileRead::failed(*read.fault, read.detail, line);
            return false;
        }
        if (result.value.isEmpty())
            result.value.append(BankCategory());
        result.value.last().questions.append(read.value);
        result.value.last().lines.append(line);
        return true;
    };
    for (qsizetype i = 0; i <= lines.size(); ++i) {
        const QString line = i < lines.size() ? lines[i] : QString();
        if (trimmedAscii(line).isEmpty()) {
            if (!endBlock())
                return result;
            continue;
        }
        if (trimmedAscii(line).startsWith(CommentStart)) {
            // The comment's end is kept: a header line may end in blanks.
            const QStringView comment = QStringView(line).sliced(line.indexOf(CommentStart) + 2);
            notes.append(comment.startsWith(u' ') ? comment.sliced(1).toString() : comment.toString());
            continue;
        }
        if (blockLine == 0)
            blockLine = int(i) + 1;
        block += line + u'\n';
    }
    return result;
}

} // namespace sorario
