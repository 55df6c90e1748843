// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/QuestionCsv.h"

#include "bank/EmptyAnswers.h"
#include "bank/QuestionFiles.h"
#include "exchange/Csv.h"
#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"

#include <QFile>

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
    QString text;
    const auto addRow = [&text](QStringList cells) {
        for (QString &cell : cells)
            cell = formulaGuarded(cell);
        text += delimitedRow(cells, Comma) + QStringLiteral("\r\n");
    };
    const qsizetype headerLines = std::min<qsizetype>(fileLines.size(), HeaderLineCount);
    for (qsizetype i = 0; i < headerLines; ++i)
        addRow({headerLineLabels()[i], fileLines[i]});
    addRow(Heading);
    for (qsizetype i = HeaderLineCount; i + QuestionColumns <= fileLines.size(); i += QuestionColumns)
        addRow(fileLines.mid(i, QuestionColumns));
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QuestionCsvRead readQuestionCsv(QByteArrayView bytes)
{
    QuestionCsvRead result;
    const auto refuse = [&result](CsvRefusal::Kind kind, int row, const QString &character = {},
                            LoadFault fault = LoadFault::None) {
        result.lines.clear();
        result.refusal = {kind, row, character, fault};
        return result;
    };
    const QString text = decodeExchangedText(bytes);
    // No text holds NUL: a workbook saved under a .csv name does, in its first bytes.
    if (text.contains(QChar(u'\0')))
        return refuse(CsvRefusal::Kind::NotText, 0);
    const CsvRecords parsed = parseDelimited(text, Comma);
    if (parsed.unclosedQuoteRow > 0)
        return refuse(CsvRefusal::Kind::UnclosedQuote, parsed.unclosedQuoteRow);
    if (parsed.lineBreakRow > 0)
        return refuse(CsvRefusal::Kind::LineBreakInCell, parsed.lineBreakRow);

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
                return refuse(CsvRefusal::Kind::TooManyHeaderRows, record.row);
            if (!nothingBeyond(record.cells, 2))
                return refuse(CsvRefusal::Kind::CellsBeyondColumns, record.row);
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
            return refuse(CsvRefusal::Kind::CellsBeyondColumns, record.row);
        for (int c = 0; c < QuestionColumns; ++c) {
            questions.append(withoutFormulaGuard(cellAt(record.cells, c)));
            rowOfLine.append(record.row);
        }
    }
    // The file format's header is six lines when questions follow, else three or six.
    header = completedHeader(header, !questions.isEmpty());
    headerRows.resize(header.size());
    result.lines = header + questions;
    if (result.lines.isEmpty())
        return refuse(CsvRefusal::Kind::Empty, 0);
    if (const LoadFault fault = ReadQuestionLines(result.lines).fault; fault != LoadFault::None)
        return refuse(CsvRefusal::Kind::RefusedByLoader, 0, {}, fault);
    rowOfLine = headerRows + rowOfLine;
    for (qsizetype i = 0; i < result.lines.size(); ++i) {
        const QString bad = firstCharacterNotHeld(result.lines[i]);
        if (!bad.isEmpty())
            return refuse(CsvRefusal::Kind::UnwritableCharacter, rowOfLine[i], bad);
    }
    for (const int line : EmptyAnswerLines(result.lines))
        result.emptyAnswerRows.append(rowOfLine[line - 1]);
    return result;
}

QuestionCsvRead readQuestionCsvFile(const QString &path)
{
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        QuestionCsvRead unread;
        unread.refusal.kind = CsvRefusal::Kind::Unreadable;
        return unread;
    }
    return readQuestionCsv(bytes);
}

QString csvRefusalText(const CsvRefusal &refusal, const QString &path)
{
    const QString row = QStringLiteral("CSV の %1 行目: ").arg(refusal.row);
    const QString file = u'\n' + path;
    switch (refusal.kind) {
    case CsvRefusal::Kind::None:
        return {};
    case CsvRefusal::Kind::Unreadable:
        return QStringLiteral("◆CSV ファイルを読み込めません。") + file;
    case CsvRefusal::Kind::NotText:
        return QStringLiteral("CSV（テキスト）のファイルではありません。Excel のブックなら、Excel で"
                              "「CSV UTF-8」か「CSV」の形式で保存してから読み込んでください。")
            + file;
    case CsvRefusal::Kind::UnclosedQuote:
        return row + QStringLiteral("「\"」で始まるセルが、ファイルの終わりまで閉じられていません。") + file;
    case CsvRefusal::Kind::LineBreakInCell:
        return row + QStringLiteral("セルの中に改行があります。問題ファイルの1行には改行を入れられません。")
            + file;
    case CsvRefusal::Kind::CellsBeyondColumns:
        return row
            + QStringLiteral("使われない列に文字があります（問題・ヒント・解答の3列、見出し行は2列です）。")
            + file;
    case CsvRefusal::Kind::TooManyHeaderRows:
        return row + QStringLiteral("「#」で始まる見出し行は6行までです。") + file;
    case CsvRefusal::Kind::Empty:
        return QStringLiteral("CSV に問題も「#」の見出し行もありません。") + file;
    case CsvRefusal::Kind::RefusedByLoader: {
        // The loader's own message, which names the file itself when that helps.
        const QString message = LoadFailureMessage(refusal.fault, path);
        return message.endsWith(file) ? message : message + file;
    }
    case CsvRefusal::Kind::UnwritableCharacter:
        return row + notHeldText(refusal.character) + file;
    }
    return {};
}

QString emptyAnswerWarning(int row)
{
    return QStringLiteral("CSV の %1 行目: 警告: ").arg(row) + EmptyAnswerMessage();
}

} // namespace sorario
