// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileCheck.h"

#include "bank/EmptyAnswers.h"
#include "bank/FileChoice.h"
#include "bank/QuestionFileRead.h"
#include "bank/QuestionKinds.h"
#include "shared/ProgramConstants.h"
#include "shared/QuestionRecord.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace sorario {
namespace {

// The payload starts after the three backslashes of line 1.
constexpr int PayloadFirstColumn = 4;

// The print pairs the marks of a line in order: of an odd number, the last is alone.
int loneMarkColumn(const QString &line)
{
    return line.count(u'@') % 2 == 0 ? 0 : int(line.lastIndexOf(u'@')) + 1;
}

bool plainWholeNumber(const QString &text)
{
    return !text.isEmpty()
        && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
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
    void reportEncoding(const QuestionFileRead &read);
    void reportParts(const QuestionFileRead &read, const DeclaredParts &parts);
    void reportKinds(const QuestionFileRead &read);

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
    switch (read.encoding) {
    case TextEncoding::ShiftJis:
        add(0, CheckKind::ReadAsShiftJis);
        break;
    case TextEncoding::Utf8:
        add(0, CheckKind::ReadAsUtf8);
        break;
    case TextEncoding::Utf8WithoutMark:
        add(0, CheckKind::ReadAsUtf8WithoutMark);
        break;
    case TextEncoding::Utf16Le:
        add(0, CheckKind::ReadAsUtf16Le);
        break;
    case TextEncoding::Utf16Be:
        add(0, CheckKind::ReadAsUtf16Be);
        break;
    }
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
    case LoadFault::LineTooLong:
        add(read.longLine, CheckKind::LineTooLong, read.lines[read.longLine - 1].size()).decoded
            = read.encoded;
        break;
    case LoadFault::NotWholeQuestions:
        add(std::max(LastWholeLine(read.lineCount) + 1, 1), CheckKind::NotWholeQuestions, read.lineCount)
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
    if (read.encoded)
        reportEncoding(read);
    if (read.badBytes > 0)
        add(int(read.firstBadLine), CheckKind::BadBytes, read.badBytes);
    const DeclaredParts parts = read.declaredParts();
    reportParts(read, parts);
    for (int line = HeaderLineCount + 1; line <= LastWholeLine(read.lineCount); ++line) {
        if (const int column = loneMarkColumn(read.lines[line - 1])) {
            CheckProblem &p = add(line, CheckKind::LoneMark);
            p.column = column;
            p.decoded = read.encoded;
        }
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
    reportKinds(read);
}

CheckKind checkKindOf(KindFault fault)
{
    switch (fault) {
    case KindFault::Unclosed:
        return CheckKind::KindUnclosed;
    case KindFault::OneWord:
        return CheckKind::KindOneWord;
    case KindFault::EmptyWord:
        return CheckKind::KindEmptyWord;
    case KindFault::OneChoice:
        return CheckKind::KindOneChoice;
    case KindFault::TooManyChoices:
        return CheckKind::KindTooManyChoices;
    case KindFault::DuplicateChoice:
        return CheckKind::KindDuplicateChoice;
    case KindFault::NestedOpen:
        return CheckKind::KindNestedOpen;
    case KindFault::StrayClose:
        return CheckKind::KindStrayClose;
    case KindFault::Misplaced:
        return CheckKind::KindMisplaced;
    case KindFault::BreakInGroup:
        return CheckKind::KindBreakInGroup;
    case KindFault::MarkInWord:
        return CheckKind::KindMarkInWord;
    case KindFault::AnswerNotAChoice:
        break;
    }
    return CheckKind::KindAnswerNotAChoice;
}

void Checker::reportKinds(const QuestionFileRead &read)
{
    const QStringList lines = read.countedLines();
    for (qsizetype first = HeaderLineCount; first + 2 < lines.size(); first += 3) {
        const QuestionRecord q {lines[first], lines[first + 1], lines[first + 2]};
        for (const KindProblem &k : KindProblems(q)) {
            CheckProblem &p = add(int(first) + 1 + k.lineOffset, checkKindOf(k.fault), MaxChoices);
            p.column = k.column;
            p.text = k.text;
            p.decoded = read.encoded;
        }
    }
}

// What an encoded file holds that the decoder does not use.
void Checker::reportEncoding(const QuestionFileRead &read)
{
    const int n = read.lineCount;
    if (read.lines.size() > n && !read.lines[n].isEmpty())
        add(1, CheckKind::UnendedLastLine, n + 1);
    if (!read.droppedDigits.digits.isEmpty()) {
        CheckProblem &p = add(1, CheckKind::DroppedDigits);
        p.column = PayloadFirstColumn + int(read.droppedDigits.offset);
        p.text = read.droppedDigits.digits;
    }
    if (read.unusedLines > 0)
        add(2, CheckKind::UnusedLines, read.unusedLines);
}

void Checker::reportParts(const QuestionFileRead &read, const DeclaredParts &parts)
{
    if (parts.kind == DeclaredParts::Kind::Default)
        return;
    if (parts.kind == DeclaredParts::Kind::Number && plainWholeNumber(parts.text))
        return;
    const bool number = parts.kind == DeclaredParts::Kind::Number;
    CheckProblem &p = add(2, number ? CheckKind::PartsNotWhole : CheckKind::PartsNotANumber);
    p.text = read.headerLine(2);
    p.decoded = read.encoded;
    if (number)
        p.number = AddDeclaredParts(0, parts.value).value_or(0);
}

} // namespace

int LastWholeLine(int lineCount)
{
    return lineCount < HeaderLineCount ? 0 : HeaderLineCount + (lineCount - HeaderLineCount) / 3 * 3;
}

CheckSeverity SeverityOf(CheckKind kind)
{
    switch (kind) {
    case CheckKind::ReadAsShiftJis:
    case CheckKind::ReadAsUtf8:
    case CheckKind::ReadAsUtf8WithoutMark:
    case CheckKind::ReadAsUtf16Le:
    case CheckKind::ReadAsUtf16Be:
        return CheckSeverity::Note;
    case CheckKind::OldFormat:
    case CheckKind::UnendedLastLine:
    case CheckKind::UnusedLines:
    case CheckKind::DroppedDigits:
    case CheckKind::BadBytes:
    case CheckKind::PartsNotANumber:
    case CheckKind::PartsNotWhole:
    case CheckKind::LoneMark:
    case CheckKind::NoQuestions:
    case CheckKind::MorePartsThanQuestions:
    case CheckKind::EmptyAnswer:
        return CheckSeverity::Warning;
    case CheckKind::KindUnclosed:
    case CheckKind::KindOneWord:
    case CheckKind::KindEmptyWord:
    case CheckKind::KindOneChoice:
    case CheckKind::KindTooManyChoices:
    case CheckKind::KindDuplicateChoice:
    case CheckKind::KindAnswerNotAChoice:
    case CheckKind::KindNestedOpen:
    case CheckKind::KindStrayClose:
    case CheckKind::KindMisplaced:
    case CheckKind::KindBreakInGroup:
    case CheckKind::KindMarkInWord:
        return CheckSeverity::Error;
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

bool RefusedByLoader(const QList<CheckProblem> &problems)
{
    return std::any_of(problems.begin(), problems.end(), [](const CheckProblem &p) {
        return SeverityOf(p.kind) == CheckSeverity::Error && !IsKindProblem(p.kind);
    });
}

bool IsKindProblem(CheckKind kind)
{
    return kind >= CheckKind::KindUnclosed && kind <= CheckKind::KindMarkInWord;
}

} // namespace sorario
