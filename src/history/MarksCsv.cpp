// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/MarksCsv.h"

#include "exchange/Csv.h"
#include "exchange/OnlineBank.h"
#include "platform/RegularFile.h"

#include <QSet>
#include <QStringDecoder>

#include <algorithm>
#include <tuple>
#include <utility>

namespace sorario {
namespace {

MarksCsvOutcome refusal(MarksCsvProblem problem, int line, const QString &found = {})
{
    return MarksCsvOutcome::failed({problem, line}, found);
}

// A whole number from 1 to `max`, else 0; digits typed full width count as well.
int numberIn(const QString &cell, int max)
{
    bool ok = false;
    const int n = cell.normalized(QString::NormalizationForm_KC).trimmed().toInt(&ok);
    return ok && n >= 1 && n <= max ? n : 0;
}

// The cells a line splits into, counted as parseDelimited splits them but without
// making them: a line of a million commas is refused, not read as a million cells.
qsizetype cellCount(QStringView line)
{
    qsizetype cells = 1;
    bool fresh = true; // nothing of the cell read yet, so a quote opens it
    bool inQuotes = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (inQuotes) {
            if (c == u'"' && i + 1 < line.size() && line[i + 1] == u'"')
                ++i;
            else if (c == u'"')
                inQuotes = false;
        } else if (c == u',') {
            ++cells;
            fresh = true;
            continue;
        } else if (c == u'"' && fresh) {
            inQuotes = true;
        }
        fresh = false;
    }
    return cells;
}

// Where the line starting at `from` ends, and where the next one starts (after CR LF, LF or CR).
std::pair<qsizetype, qsizetype> lineEnd(QStringView text, qsizetype from)
{
    qsizetype end = from;
    while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
        ++end;
    const bool crLf = end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n';
    return {end, end + (crLf ? 2 : 1)};
}

} // namespace

MarksCsvOutcome ReadMarksCsv(QByteArrayView bytes, const QList<int> &questionCounts)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return refusal(MarksCsvProblem::NotUtf8, 0);
    QList<MarkedSheet> rows;
    QSet<int> pupils;
    bool header = true;
    int line = 0;
    // A line at a time, so that what is held beside the text is the size of one row.
    for (qsizetype at = 0, next = 0; at < text.size(); at = next) {
        qsizetype end = 0;
        std::tie(end, next) = lineEnd(text, at);
        ++line;
        const QStringView lineText = QStringView(text).sliced(at, end - at);
        if (const qsizetype cells = cellCount(lineText); cells > 3)
            return header ? refusal(MarksCsvProblem::Header, line, lineText.left(80).toString())
                          : refusal(MarksCsvProblem::Cells, line, QString::number(cells));
        const CsvRecords parsed = parseDelimited(lineText, u',');
        // A cell can hold no line break: an open quote is one never closed on its line.
        if (parsed.unclosedQuoteRow > 0)
            return refusal(MarksCsvProblem::Quoting, line);
        if (parsed.records.isEmpty() || isBlankRecord(parsed.records.first()))
            continue;
        const CsvRecord &record = parsed.records.first();
        // More rows than a class has sheets would take minutes to record, and be no class's.
        if (rows.size() == qsizetype(MaxPupil) * MaxSheetCount)
            return refusal(MarksCsvProblem::TooManyRows, line);
        if (std::exchange(header, false)) {
            if (record.cells
                != QStringList {QStringLiteral("pupil"), QStringLiteral("sheet"), QStringLiteral("marks")})
                return refusal(MarksCsvProblem::Header, line, record.cells.join(u','));
            continue;
        }
        if (record.cells.size() != 3)
            return refusal(MarksCsvProblem::Cells, line, QString::number(record.cells.size()));
        // Read as a number, "1<NUL>2" would be pupil 1 and take the place of that pupil's row.
        for (const QString &cell : record.cells)
            if (std::any_of(cell.cbegin(), cell.cend(), isControlCharacter))
                return refusal(MarksCsvProblem::ControlCharacter, line);
        const QString &pupilCell = record.cells[0];
        MarkedSheet row;
        row.pupil = pupilCell.trimmed().isEmpty() ? 0 : numberIn(pupilCell, MaxPupil);
        if (row.pupil == 0 && !pupilCell.trimmed().isEmpty())
            return refusal(MarksCsvProblem::Pupil, line, pupilCell);
        if (row.pupil > 0 && pupils.contains(row.pupil))
            return refusal(MarksCsvProblem::SamePupil, line, pupilCell);
        pupils.insert(row.pupil);
        row.sheet = numberIn(record.cells[1], static_cast<int>(questionCounts.size()));
        if (row.sheet == 0)
            return refusal(MarksCsvProblem::Sheet, line, record.cells[1]);
        const QString marks = record.cells[2].trimmed();
        for (const QChar c : marks) {
            const std::optional<Mark> mark = MarkOf(c);
            if (!mark)
                return refusal(MarksCsvProblem::Symbol, line, c);
            row.marks.append(*mark);
        }
        const int expected = questionCounts[row.sheet - 1];
        if (row.marks.size() != expected)
            return refusal(MarksCsvProblem::MarkCount, line,
                QStringLiteral("%1 / %2").arg(row.marks.size()).arg(expected));
        rows.append(row);
    }
    if (header)
        return refusal(MarksCsvProblem::Header, 1);
    return rows;
}

MarksCsvOutcome ReadMarksCsvFile(const QString &path, const QList<int> &questionCounts)
{
    const FileBytes bytes = readRegularFile(path, MaxMarksCsvBytes);
    if (bytes.ok())
        return ReadMarksCsv(bytes.value, questionCounts);
    switch (*bytes.fault) {
    case FileReadFault::NotRegular:
        return refusal(MarksCsvProblem::NotAFile, 0);
    case FileReadFault::TooLarge:
        return refusal(MarksCsvProblem::TooLarge, 0);
    case FileReadFault::Missing:
    case FileReadFault::Unreadable:
        break;
    }
    return refusal(MarksCsvProblem::Unreadable, 0);
}

QString MarksCsvMessage(const MarksCsvOutcome &refused)
{
    QString reason;
    switch (refused.fault->problem) {
    case MarksCsvProblem::NotUtf8:
        reason = QStringLiteral("採点の表が UTF-8 ではありません。");
        break;
    case MarksCsvProblem::Quoting:
        reason = QStringLiteral("引用符 \" が閉じていないか、セルの中で改行しています。");
        break;
    case MarksCsvProblem::Header:
        reason = QStringLiteral("最初の行は pupil,sheet,marks にしてください。");
        break;
    case MarksCsvProblem::Cells:
        reason = QStringLiteral("行は出席番号・用紙・採点の3つの欄にしてください。");
        break;
    case MarksCsvProblem::Pupil:
        reason = QStringLiteral("出席番号は 1 から 60 の数字か、空欄にしてください。");
        break;
    case MarksCsvProblem::Sheet:
        reason = QStringLiteral("この印刷にない用紙の番号です。");
        break;
    case MarksCsvProblem::Symbol:
        reason = QStringLiteral("採点は ○ × △ と、まだ採点しない問題の - で書いてください。");
        break;
    case MarksCsvProblem::MarkCount:
        reason = QStringLiteral("採点の数が用紙の問題の数と違います（採点の数 / 問題の数）。");
        break;
    case MarksCsvProblem::SamePupil:
        reason = QStringLiteral("同じ出席番号の行がもうあります。");
        break;
    case MarksCsvProblem::ControlCharacter:
        reason = QStringLiteral("セルに制御文字があります。");
        break;
    case MarksCsvProblem::Unreadable:
        reason = QStringLiteral("採点の表を読み込めません。");
        break;
    case MarksCsvProblem::NotAFile:
        reason = QStringLiteral("採点の表がふつうのファイルではありません。");
        break;
    case MarksCsvProblem::TooManyRows:
        reason = QStringLiteral("行が多すぎます。一つのクラスの採点の表ではありません。");
        break;
    case MarksCsvProblem::TooLarge:
        reason = QStringLiteral("採点の表が大きすぎます。一つのクラスの採点の表ではありません。");
        break;
    }
    QString message
        = refused.fault->line > 0 ? QStringLiteral("%1 行目: ").arg(refused.fault->line) : QString();
    message += reason;
    if (!refused.detail.isEmpty())
        message += QStringLiteral("「%1」").arg(refused.detail);
    return message;
}

} // namespace sorario
