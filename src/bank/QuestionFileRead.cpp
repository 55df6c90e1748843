// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileRead.h"

#include "shared/ProgramConstants.h"
#include "shared/TextHelpers.h"

#include <QFileInfo>

#include <algorithm>
#include <limits>

namespace sorario {

DeclaredParts ReadDeclaredParts(const QString &line)
{
    if (line.isEmpty() || line == u"0")
        return {DeclaredParts::Kind::Default, QStringLiteral("1"), 1};
    const double value = LeadingNumber(line);
    if (value == 0)
        return {DeclaredParts::Kind::NotANumber, QStringLiteral("1"), 1};
    return {DeclaredParts::Kind::Number, line, value};
}

std::optional<std::int16_t> AddDeclaredParts(int sum, double declared)
{
    const double total = sum + declared;
    // Checked before rounding: a huge declared count must not reach the integer cast.
    if (!(total > -40000.0 && total < 40000.0))
        return std::nullopt;
    const std::int64_t rounded = RoundHalfEven(total);
    if (rounded < std::numeric_limits<std::int16_t>::min()
        || rounded > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(rounded);
}

int QuestionFileRead::questionCount() const
{
    return lineCount >= HeaderLineCount ? (lineCount - HeaderLineCount) / 3 : 0;
}

QString QuestionFileRead::headerLine(int line) const
{
    return lines.value(line - 1);
}

namespace {

QuestionFileRead questionFileOf(LineFileRead file)
{
    QuestionFileRead read = ReadQuestionLines(std::move(file.lines));
    read.encoding = file.encoding;
    if (!read.encoded && read.fault != LoadFault::TooManyLines) {
        read.badBytes = file.badBytes;
        read.firstBadLine = file.firstBadLine;
    }
    return read;
}

} // namespace

QuestionFileRead ReadQuestionFile(const QString &path)
{
    if (QFileInfo(path).isDir()) {
        QuestionFileRead read;
        read.fault = LoadFault::Folder;
        return read;
    }
    LineFileRead file = readLineFile(path);
    if (file.status != LineFileRead::Status::Ok) {
        QuestionFileRead read;
        read.fault = file.status == LineFileRead::Status::Missing ? LoadFault::Missing
            : file.status == LineFileRead::Status::TooLarge       ? LoadFault::TooManyLines
                                                                  : LoadFault::Unreadable;
        return read;
    }
    return questionFileOf(std::move(file));
}

bool IsFirstFormatFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(u"qvk", Qt::CaseInsensitive) == 0;
}

QuestionFileRead ReadQuestionBytes(QByteArrayView bytes)
{
    return questionFileOf(readLineBytes(bytes));
}

QuestionFileRead ReadQuestionLines(QStringList lines)
{
    QuestionFileRead read;
    if (lines.size() > MaxFileLines) {
        read.fault = LoadFault::TooManyLines;
        read.lineCount = int(std::min<qsizetype>(lines.size(), std::numeric_limits<int>::max()));
        return read;
    }
    read.encoded = !lines.isEmpty() && lines.first().startsWith(QStringView(EncodedMark));
    if (!read.encoded) {
        read.lineCount = int(lines.size());
        read.lines = std::move(lines);
    } else {
        // Only line 1 carries an encoded file; further physical lines are not used.
        read.payload = lines.first().mid(3);
        DecodedPayload decoded = DecodePayload(read.payload);
        read.lines = std::move(decoded.pieces);
        read.lineCount = decoded.lineCount;
        read.groupFaults = std::move(decoded.faults);
        read.groupFaultCount = decoded.faultCount;
        read.unusedLines = int(lines.size() - 1);
        read.droppedDigits = std::move(decoded.dropped);
        if (read.groupFaultCount > 0)
            read.fault = LoadFault::BadGroups;
        else if (read.lineCount > MaxFileLines)
            read.fault = LoadFault::TooManyDecodedLines;
        else if (read.lineCount < 0)
            read.fault = LoadFault::EmptyPayload;
    }
    if (read.fault == LoadFault::None) {
        const QStringList counted = read.countedLines();
        const auto tooLong = std::find_if(
            counted.begin(), counted.end(), [](const QString &line) { return line.size() > MaxLineLength; });
        if (tooLong != counted.end()) {
            read.fault = LoadFault::LineTooLong;
            read.longLine = int(tooLong - counted.begin()) + 1;
        }
    }
    if (read.fault == LoadFault::None && read.lineCount % 3 != 0)
        read.fault = LoadFault::NotWholeQuestions;
    return read;
}

PartDivision DivideIntoParts(int declaredSum, int questions)
{
    // Negative declared counts can pull the sum below 1; the parts need at least one.
    const auto count = static_cast<std::int16_t>(std::max(declaredSum, 1));
    return {count, static_cast<std::int16_t>(questions / count)};
}

} // namespace sorario
