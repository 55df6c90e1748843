// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/QuestionCsv.h"

#include "bank/EmptyAnswers.h"
#include "bank/QuestionFiles.h"
#include "exchange/Csv.h"
#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "platform/RegularFile.h"
#include "shared/ProgramConstants.h"

#include <algorithm>

namespace sorario {
namespace {

constexpr QChar Comma = u',';
const QStringList Heading = {QStringLiteral("問題"), QStringLiteral("ヒント"), QStringLiteral("解答")};
constexpr int QuestionColumns = 3;

bool nothingBeyond(const QStringList &cells, int used)
{
    for (qsizetype i = used; i < cells.size(); ++i)
        if (!cells[i].isEmpty())
            return false;
    return true;
}

QString cellAt(const QStringList &cells, int i)
{
    return i < cells.size() ? cells[i] : QString();
}

bool isHeaderRow(const CsvRecord &record)
{
    return record.cells.first().startsWith(u'#');
}

bool isHeading(const CsvRecord &record)
{
    return record.cells.mid(0, QuestionColumns) == Heading && nothingBeyond(record.cells, QuestionColumns);
}

} // namespace

const QStringList &headerLineLabels()
{
    static const QStringList labels
        = {QStringLiteral("#タイトル"), QStringLiteral("#部の数"), QStringLiteral("#シートコード"),
            QStringLiteral("#4行目"), QStringLiteral("#5行目"), QStringLiteral("#6行目")};
    return labels;
}

QStringList completedHeader(QStringList header, bool questionsFollow)
{
    const qsizetype size = questionsFollow ? HeaderLineCount : (header.size() + 2) / 3 * 3;
    while (header.size() < size)
        header.append(QString());
    return header;
}

QString notHeldText(const QString &character)
{
    return QStringLiteral("「%1」は Shift-JIS で保存できない文字です。").arg(character);
}

QByteArray questionCsvBytes(const QStringList &fileLines)
{
    SpreadsheetCsv table;
    const qsizetype headerLines = std::min<qsizetype>(fileLines.size(), HeaderLineCount);
    for (qsizetype i = 0; i < headerLines; ++i)
        table.addRow({headerLineLabels()[i], fileLines[i]});
    table.addRow(Heading);
    for (qsizetype i = HeaderLineCount; i + QuestionColumns <= fileLines.size(); i += QuestionColumns)
        table.addRow(fileLines.mid(i, QuestionColumns));
    return table.bytes();
}

QuestionCsvRead readQuestionCsv(QByteArrayView bytes)
{
    const QString text = decodeExchangedText(bytes);
    // No text holds NUL: a workbook saved under a .csv name does, in its first bytes.
    if (text.contains(QChar(u'\0')))
        return QuestionCsvRead::failed(CsvFault::NotText);
    // A table of more rows than a question file has lines is refused once they are read;
    // cells past the columns matter only for whether they are empty.
    const CsvRecords parsed = parseDelimited(text, Comma, {QuestionColumns, MaxFileLines});
    if (parsed.records.size() > MaxFileLines)
        return QuestionCsvRead::failed(LoadFault::TooManyLines);
    if (parsed.unclosedQuoteRow > 0)
        return QuestionCsvRead::failed(CsvFault::UnclosedQuote, {}, parsed.unclosedQuoteRow);
    if (parsed.lineBreakRow > 0)
        return QuestionCsvRead::failed(CsvFault::LineBreakInCell, {}, parsed.lineBreakRow);

    QStringList header;
    QStringList questions;
    QList<int> rowOfLine; // the row each line came from, for the messages
    bool inHeader = true;
    bool headingSeen = false;
    QList<int> headerRows;
    for (const CsvRecord &record : parsed.records) {
        if (isBlankRecord(record))
            continue;
        if (inHeader && isHeaderRow(record)) {
            if (header.size() == HeaderLineCount)
                return QuestionCsvRead::failed(CsvFault::TooManyHeaderRows, {}, record.row);
            if (!nothingBeyond(record.cells, 2))
                return QuestionCsvRead::failed(CsvFault::CellsBeyondColumns, {}, record.row);
            header.append(withoutFormulaGuard(cellAt(record.cells, 1)));
            headerRows.append(record.row);
            continue;
        }
        inHeader = false;
        if (!headingSeen && isHeading(record)) {
            headingSeen = true;
            continue;
        }
        headingSeen = true;
        if (!nothingBeyond(record.cells, QuestionColumns))
            return QuestionCsvRead::failed(CsvFault::CellsBeyondColumns, {}, record.row);
        for (int c = 0; c < QuestionColumns; ++c) {
            questions.append(withoutFormulaGuard(cellAt(record.cells, c)));
            rowOfLine.append(record.row);
        }
    }
    // The file format's header is six lines when questions follow, else three or six.
    header = completedHeader(header, !questions.isEmpty());
    headerRows.resize(header.size());
    QuestionCsvTable table {header + questions, {}};
    if (table.lines.isEmpty())
        return QuestionCsvRead::failed(CsvFault::Empty);
    rowOfLine = headerRows + rowOfLine;
    if (loadsAsEncoded(table.lines))
        return QuestionCsvRead::failed(CsvFault::EncodedTitle, {}, rowOfLine.value(0));
    if (const LoaderCheck check = loaderCheckOf(table.lines); check.fault != LoadFault::None)
        return QuestionCsvRead::failed(
            check.fault, QString::number(check.line), check.line > 0 ? rowOfLine.value(check.line - 1) : 0);
    for (qsizetype i = 0; i < table.lines.size(); ++i) {
        const QString bad = firstCharacterNotHeld(table.lines[i]);
        if (!bad.isEmpty())
            return QuestionCsvRead::failed(CsvFault::UnwritableCharacter, bad, rowOfLine[i]);
    }
    for (const int line : EmptyAnswerLines(table.lines))
        table.emptyAnswerRows.append(rowOfLine[line - 1]);
    return table;
}

QuestionCsvRead readQuestionCsvFile(const QString &path)
{
    const FileBytes bytes = readRegularFile(path, MaxLineFileBytes);
    if (!bytes.ok())
        return QuestionCsvRead::failed(
            *bytes.fault == FileReadFault::TooLarge ? CsvFault::TooLarge : CsvFault::Unreadable);
    return readQuestionCsv(bytes.value);
}

LoaderCheck loaderCheckOf(const QStringList &lines)
{
    const QuestionFileRead read = ReadQuestionLines(lines);
    if (read.fault != LoadFault::None)
        return {read.fault, read.longLine};
    if (!AddDeclaredParts(0, read.declaredParts().value))
        return {LoadFault::PartsOutOfRange, 0};
    return {};
}

bool loadsAsEncoded(const QStringList &lines)
{
    return !lines.isEmpty() && lines.first().startsWith(QStringView(EncodedMark));
}

QString encodedTitleText()
{
    return QStringLiteral("タイトル（1行目）が符号化の印「\\\\\\」で始まり、問題ファイルにすると"
                          "符号化されたファイルとして読まれてしまうため、読み込めません。");
}

QString loaderRefusalText(LoadFault fault, const QString &path, const QString &detail)
{
    const QString message = LoadFailureMessage(fault, path, detail.toInt());
    return message.endsWith(u'\n' + path) ? message : message + u'\n' + path;
}

QString csvRefusalText(const QuestionCsvRead &refused, const QString &path)
{
    if (refused.ok())
        return {};
    const QString row = QStringLiteral("CSV の %1 行目: ").arg(refused.line);
    if (const auto *loader = std::get_if<LoadFault>(&*refused.fault))
        return (refused.line > 0 ? row : QString()) + loaderRefusalText(*loader, path, refused.detail);
    const QString file = u'\n' + path;
    switch (std::get<CsvFault>(*refused.fault)) {
    case CsvFault::Unreadable:
        return QStringLiteral("◆CSV ファイルを読み込めません。") + file;
    case CsvFault::NotText:
        return QStringLiteral("CSV（テキスト）のファイルではありません。Excel のブックなら、Excel で"
                              "「CSV UTF-8」か「CSV」の形式で保存してから読み込んでください。")
            + file;
    case CsvFault::UnclosedQuote:
        return row + QStringLiteral("「\"」で始まるセルが、ファイルの終わりまで閉じられていません。") + file;
    case CsvFault::LineBreakInCell:
        return row + QStringLiteral("セルの中に改行があります。問題ファイルの1行には改行を入れられません。")
            + file;
    case CsvFault::CellsBeyondColumns:
        return row
            + QStringLiteral("使われない列に文字があります（問題・ヒント・解答の3列、見出し行は2列です）。")
            + file;
    case CsvFault::TooManyHeaderRows:
        return row + QStringLiteral("「#」で始まる見出し行は6行までです。") + file;
    case CsvFault::Empty:
        return QStringLiteral("CSV に問題も「#」の見出し行もありません。") + file;
    case CsvFault::UnwritableCharacter:
        return row + notHeldText(refused.detail) + file;
    case CsvFault::TooLarge:
        return QStringLiteral("CSV ファイルが大きすぎます（問題ファイルに入る量を超えています）。") + file;
    case CsvFault::EncodedTitle:
        return (refused.line > 0 ? row : QString()) + encodedTitleText() + file;
    }
    return {};
}

QString emptyAnswerWarning(int row)
{
    return QStringLiteral("CSV の %1 行目: 警告: ").arg(row) + EmptyAnswerMessage();
}

} // namespace sorario
