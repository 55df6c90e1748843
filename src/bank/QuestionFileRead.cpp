#include "bank/QuestionFileRead.h"

#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QFileInfo>

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

QuestionFileRead ReadQuestionFile(const QString &path)
{
    QuestionFileRead read;
    if (QFileInfo(path).isDir()) {
        read.fault = LoadFault::Folder;
        return read;
    }
    LineFileRead file = readLineFile(path);
    if (file.status != LineFileRead::Status::Ok) {
        read.fault
            = file.status == LineFileRead::Status::Missing ? LoadFault::Missing : LoadFault::Unreadable;
        return read;
    }
    read.encoding = file.encoding;
    if (file.lines.size() > MaxFileLines) {
        read.fault = LoadFault::TooManyLines;
        read.lineCount = int(std::min<qsizetype>(file.lines.size(), std::numeric_limits<int>::max()));
        return read;
    }
    read.encoded = !file.lines.isEmpty() && file.lines.first().startsWith(QStringView(EncodedMark));
    if (!read.encoded) {
        read.lineCount = int(file.lines.size());
        read.lines = std::move(file.lines);
        read.badBytes = file.badBytes;
        read.firstBadLine = file.firstBadLine;
    } else {
        // Only line 1 carries an encoded file; further physical lines are not used.
        read.payload = file.lines.first().mid(3);
        DecodedPayload decoded = DecodePayload(read.payload);
        read.lines = std::move(decoded.pieces);
        read.lineCount = decoded.lineCount;
        read.groupFaults = std::move(decoded.faults);
        read.groupFaultCount = decoded.faultCount;
        if (read.groupFaultCount > 0)
            read.fault = LoadFault::BadGroups;
        else if (read.lineCount > MaxFileLines)
            read.fault = LoadFault::TooManyDecodedLines;
        else if (read.lineCount < 0)
            read.fault = LoadFault::EmptyPayload;
    }
    if (read.fault == LoadFault::None && read.lineCount % 3 != 0)
        read.fault = LoadFault::NotWholeQuestions;
    return read;
}

} // namespace sorario
