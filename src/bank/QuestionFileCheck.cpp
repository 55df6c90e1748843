// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileCheck.h"

#include "bank/EmptyAnswers.h"
#include "bank/FileChoice.h"
#include "bank/QuestionFileRead.h"
#include "shared/Module1.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace sorario {
namespace {

// The payload starts after the three backslashes of line 1.
constexpr int PayloadFirstColumn = 4;

// The last line of the last whole question, 0 when not even the header is whole.
int lastWholeLine(int lineCount)
{
    return lineCount < HeaderLineCount ? 0 : HeaderLineCount + (lineCount - HeaderLineCount) / 3 * 3;
}

class Checker
{
public:
    Checker(QList<CheckProblem> &out, const QString &path)
        : m_out(out)
        , m_path(path)
    {
    }

    void report(const QuestionFileRead &read);

private:
    CheckProblem &add(int line, CheckKind kind, qint64 number = 0)
    {
        m_out.append({m_path, line, 0, kind, number, 0, {}, false});
        return m_out.last();
    }
    void reportFault(const QuestionFileRead &read);
    void reportContent(const QuestionFileRead &read);

    QList<CheckProblem> &m_out;
    const QString &m_path;
};

void Checker::report(const QuestionFileRead &read)
{
    switch (read.fault) {
    case LoadFault::Missing:
        add(0, CheckKind::Missing);
        return;
    case LoadFault::Folder:
        add(0, CheckKind::Folder);
        return;
    case LoadFault::Unreadable:
        add(0, CheckKind::Unreadable);
        return;
    default:
        break;
    }
    add(0,
        read.encoding == TextEncoding::Utf8                  ? CheckKind::ReadAsUtf8
            : read.encoding == TextEncoding::Utf8WithoutMark ? CheckKind::ReadAsUtf8WithoutMark
                                                             : CheckKind::ReadAsShiftJis);
    reportFault(read);
    // Read as a current file, an old one has questions for its header: what that
    // says of its parts would only mislead.
    if (IsFirstFormatFile(m_path))
        add(0, CheckKind::OldFormat);
    else
        reportContent(read);
}

void Checker::reportFault(const QuestionFileRead &read)
{
    switch (read.fault) {
    case LoadFault::TooManyLines:
        add(MaxFileLines + 1, CheckKind::TooManyLines, read.lineCount);
        break;
    case LoadFault::BadGroups:
        for (const GroupFault &g : read.groupFaults) {
            CheckProblem &p = add(1,
                g.kind == GroupFault::Kind::NotHexadecimal ? CheckKind::GroupNotHexadecimal
                                                           : CheckKind::GroupNoCharacter,
                g.group);
            p.column = PayloadFirstColumn + int(g.offset);
            p.text = g.digits;
        }
        if (read.groupFaultCount > read.groupFaults.size())
            add(1, CheckKind::MoreBadGroups, read.groupFaultCount - read.groupFaults.size());
        break;
    case LoadFault::TooManyDecodedLines:
        add(1, CheckKind::TooManyDecodedLines);
        break;
    case LoadFault::EmptyPayload:
        add(1, CheckKind::EmptyPayload);
        break;
    case LoadFault::NotWholeQuestions:
        add(std::max(lastWholeLine(read.lineCount) + 1, 1), CheckKind::NotWholeQuestions, read.lineCount)
            .decoded
            = read.encoded;
        break;
    default:
        break;
    }
}

// What loads, but perhaps not as meant.
void Checker::reportContent(const QuestionFileRead &read)
{
    if (read.fault != LoadFault::None && read.fault != LoadFault::NotWholeQuestions)
        return;
    const int n = read.lineCount;
    if (read.encoded && read.lines.size() > n && !read.lines[n].isEmpty())
        add(1, CheckKind::UnendedLastLine, n + 1);
    if (read.badBytes > 0)
        add(int(read.firstBadLine), CheckKind::BadBytes, read.badBytes);
    const DeclaredParts parts = read.declaredParts();
    if (parts.kind == DeclaredParts::Kind::NotANumber) {
        CheckProblem &p = add(2, CheckKind::PartsNotANumber);
        p.text = read.headerLine(2);
        p.decoded = read.encoded;
    }
    if (read.fault != LoadFault::None)
        return;
    const int questions = read.questionCount();
    const std::optional<std::int16_t> own = AddDeclaredParts(0, parts.value);
    if (questions == 0)
        add(0, CheckKind::NoQuestions);
    else if (own && *own > questions)
        add(2, CheckKind::MorePartsThanQuestions, *own).other = questions;
    for (const int line : EmptyAnswerLines(read.countedLines()))
        add(line, CheckKind::EmptyAnswer).decoded = read.encoded;
}

QString shortened(const QString &text)
{
    constexpr qsizetype Max = 20;
    return text.size() <= Max ? text : text.left(Max) + u'…';
}

QString message(const CheckProblem &p)
{
    const QString after = p.decoded ? QStringLiteral("復号すると") : QString();
    switch (p.kind) {
    case CheckKind::Missing:
        return QStringLiteral("ファイルがありません。");
    case CheckKind::Folder:
        return QStringLiteral("ファイルではなくフォルダーです。");
    case CheckKind::Unreadable:
        return QStringLiteral("ファイルを読み込めません。");
    case CheckKind::TooManyLines:
        return QStringLiteral("行数が%1行あり、読み込める%2行をこえています。")
            .arg(p.number)
            .arg(MaxFileLines);
    case CheckKind::GroupNotHexadecimal:
        return QStringLiteral("符号化された第%1組「%2」は16進数ではありません。").arg(p.number).arg(p.text);
    case CheckKind::GroupNoCharacter:
        return QStringLiteral("符号化された第%1組「%2」はShift-JISの文字ではありません。")
            .arg(p.number)
            .arg(p.text);
    case CheckKind::MoreBadGroups:
        return QStringLiteral("ほかにも読めない組が%1組あります。").arg(p.number);
    case CheckKind::TooManyDecodedLines:
        return QStringLiteral("復号すると行数が%1行をこえます。読み込めるのは%1行までです。")
            .arg(MaxFileLines);
    case CheckKind::EmptyPayload:
        return QStringLiteral("符号化された内容が空です。");
    case CheckKind::NotWholeQuestions: {
        const int n = int(p.number);
        const int lastWhole = lastWholeLine(n);
        const QString where = n < HeaderLineCount ? QStringLiteral("見出しの6行もそろっていません。")
            : lastWhole == HeaderLineCount
            ? QStringLiteral("見出しの6行のあと、そろった問題がありません。")
            : QStringLiteral("最後のそろった問題は%1行目で終わります。").arg(lastWhole);
        return QStringLiteral("%1行数が%2行で、3の倍数ではありません。").arg(after).arg(n) + where;
    }
    case CheckKind::TooManyFiles:
        return QStringLiteral("%1個目のファイルです。一度に読み込めるのは%2個までです。")
            .arg(p.number)
            .arg(MaxChosenFiles);
    case CheckKind::TooManyQuestions:
        return QStringLiteral("ここまでで問題数が合計%1問になり、読み込める%2問をこえます。")
            .arg(p.number)
            .arg(MaxBankQuestions);
    case CheckKind::PartsOutOfRange:
        return QStringLiteral("部の数「%1」を足すと、部の数の合計が%2～%3をはずれます。")
            .arg(shortened(p.text))
            .arg(std::numeric_limits<std::int16_t>::min())
            .arg(std::numeric_limits<std::int16_t>::max());
    case CheckKind::OldFormat:
        return QStringLiteral("旧形式（バージョン１用）の問題ファイルです。「sorario-cli convert %1」か、"
                              "ソラリオの「ファイル変換」で .qvn に変換して下さい。")
            .arg(QFileInfo(p.file).fileName());
    case CheckKind::UnendedLastLine:
        return QStringLiteral("復号した最後の行（%1行目）に行末がないため、その行は読まれません。")
            .arg(p.number);
    case CheckKind::BadBytes:
        return QStringLiteral(
            "文字にならないバイトが%1個あります（最初はこの行）。「\uFFFD」として読みます。")
            .arg(p.number);
    case CheckKind::PartsNotANumber:
        return QStringLiteral("%1部の数「%2」が数ではないため、1部として数えます。")
            .arg(after, shortened(p.text));
    case CheckKind::NoQuestions:
        return QStringLiteral("問題が1問もありません。");
    case CheckKind::MorePartsThanQuestions:
        return QStringLiteral(
            "部の数%1が問題数%2より多いため、問題のない部ができます（白紙のテストになります）。")
            .arg(p.number)
            .arg(p.other);
    case CheckKind::EmptyAnswer:
        return after + EmptyAnswerMessage();
    case CheckKind::ReadAsShiftJis:
        return QStringLiteral("Shift-JIS として読みました。");
    case CheckKind::ReadAsUtf8:
        return QStringLiteral("UTF-8（BOM 付き）として読みました。");
    case CheckKind::ReadAsUtf8WithoutMark:
        return QStringLiteral("UTF-8（BOM なし）として読みました。");
    }
    return {};
}

} // namespace

CheckSeverity SeverityOf(CheckKind kind)
{
    switch (kind) {
    case CheckKind::ReadAsShiftJis:
    case CheckKind::ReadAsUtf8:
    case CheckKind::ReadAsUtf8WithoutMark:
        return CheckSeverity::Note;
    case CheckKind::OldFormat:
    case CheckKind::UnendedLastLine:
    case CheckKind::BadBytes:
    case CheckKind::PartsNotANumber:
    case CheckKind::NoQuestions:
    case CheckKind::MorePartsThanQuestions:
    case CheckKind::EmptyAnswer:
        return CheckSeverity::Warning;
    default:
        return CheckSeverity::Error;
    }
}

namespace {

// Each file read by `read`, then what the files pass together.
template <typename Read> QList<CheckProblem> checkReads(const QStringList &paths, Read read)
{
    QList<CheckProblem> problems;
    int questions = 0;
    int parts = 0;
    for (qsizetype f = 0; f < paths.size(); ++f) {
        const QString &path = paths[f];
        if (FileChoiceFor(f + 1) == FileChoice::TooMany && FileChoiceFor(f) != FileChoice::TooMany)
            problems.append({path, 0, 0, CheckKind::TooManyFiles, f + 1, 0, {}, false});
        const qsizetype first = problems.size();
        const QuestionFileRead fileRead = read(path);
        Checker(problems, path).report(fileRead);
        std::stable_sort(problems.begin() + first, problems.end(),
            [](const CheckProblem &a, const CheckProblem &b) { return a.line < b.line; });
        if (fileRead.fault != LoadFault::None)
            continue;
        const bool fitted = questions <= MaxBankQuestions;
        questions += fileRead.questionCount();
        if (fitted && questions > MaxBankQuestions)
            problems.append({path, 0, 0, CheckKind::TooManyQuestions, questions, 0, {}, false});
        if (const std::optional<std::int16_t> sum = AddDeclaredParts(parts, fileRead.declaredParts().value))
            parts = *sum;
        else
            problems.append({path, 2, 0, CheckKind::PartsOutOfRange, 0, 0, fileRead.headerLine(2), false});
    }
    return problems;
}

} // namespace

QList<CheckProblem> CheckQuestionFiles(const QStringList &paths)
{
    return checkReads(paths, [](const QString &path) { return ReadQuestionFile(path); });
}

QList<CheckProblem> CheckQuestionLines(const QStringList &lines, const QString &name)
{
    return checkReads({name}, [&lines](const QString &) { return ReadQuestionLines(lines); });
}

QString ProblemMessage(const CheckProblem &problem)
{
    return message(problem);
}

bool RefusedByLoader(const QList<CheckProblem> &problems)
{
    return std::any_of(problems.begin(), problems.end(),
        [](const CheckProblem &p) { return SeverityOf(p.kind) == CheckSeverity::Error; });
}

QString ProblemText(const CheckProblem &problem)
{
    QString text = problem.file + u':';
    if (problem.line > 0) {
        text += QString::number(problem.line) + u':';
        if (problem.column > 0)
            text += QString::number(problem.column) + u':';
    }
    switch (SeverityOf(problem.kind)) {
    case CheckSeverity::Error:
        text += QStringLiteral(" エラー: ");
        break;
    case CheckSeverity::Warning:
        text += QStringLiteral(" 警告: ");
        break;
    case CheckSeverity::Note:
        text += QStringLiteral(" 注記: ");
        break;
    }
    return text + message(problem);
}

} // namespace sorario
