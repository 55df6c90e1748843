// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Csv.h"

#include "platform/LineFile.h"

#include <QStringDecoder>

namespace sorario {

QString decodeExchangedText(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xEF\xBB\xBF")) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        const QString text = utf8(bytes);
        if (!utf8.hasError())
            return text;
    }
    return decodeFileText(bytes).text;
}

CsvRecords parseDelimited(QStringView text, QChar separator, CsvBounds bounds)
{
    CsvRecords result;
    CsvRecord record {1, {}};
    QString cell;
    bool inQuotes = false;
    bool cellQuoted = false;
    const auto endCell = [&] {
        if (record.cells.size() <= bounds.maxCells)
            record.cells.append(cell);
        else if (!cell.isEmpty())
            record.cells.last() = cell;
        cell.clear();
        cellQuoted = false;
    };
    const auto addsToCell
        = [&](QChar d) { return d != u'"' && d != u'\r' && d != u'\n' && (inQuotes || d != separator); };
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        // A run of characters that only add to the cell is added at once.
        if (addsToCell(c)) {
            qsizetype end = i + 1;
            while (end < n && addsToCell(text[end]))
                ++end;
            cell += text.sliced(i, end - i);
            i = end - 1;
            continue;
        }
        if (inQuotes) {
            if (c == u'"') {
                if (i + 1 < n && text[i + 1] == u'"') {
                    cell += u'"';
                    ++i;
                } else {
                    inQuotes = false;
                    if (result.lineBreakRow > 0)
                        return result;
                }
            } else {
                // Read on, to tell a line break from a quote never closed.
                result.lineBreakRow = record.row;
            }
        } else if (c == u'"' && cell.isEmpty() && !cellQuoted) {
            inQuotes = true;
            cellQuoted = true;
        } else if (c == separator) {
            endCell();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
                ++i;
            endCell();
            result.records.append(record);
            if (result.records.size() > bounds.maxRecords)
                return result;
            record = CsvRecord {record.row + 1, {}};
        } else {
            cell += c;
        }
    }
    if (inQuotes)
        result.unclosedQuoteRow = record.row;
    if (!cell.isEmpty() || cellQuoted || !record.cells.isEmpty()) {
        endCell();
        result.records.append(record);
    }
    return result;
}

QString delimitedRow(const QStringList &cells, QChar separator)
{
    QStringList quoted;
    quoted.reserve(cells.size());
    for (const QString &cell : cells) {
        const bool needsQuotes
            = cell.contains(separator) || cell.contains(u'"') || cell.contains(u'\r') || cell.contains(u'\n');
        if (!needsQuotes) {
            quoted.append(cell);
            continue;
        }
        QString escaped = cell;
        escaped.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        quoted.append(u'"' + escaped + u'"');
    }
    return quoted.join(separator);
}

QString formulaGuarded(const QString &cell)
{
    // Spreadsheets skip blanks before a formula's sign, and run "|" as a link to
    // another program; a cell starting with TAB or CR is read as one after them.
    static const QString signs = QStringLiteral("=+-@");
    static const QString guarded = signs + QStringLiteral("'|\t\r");
    if (cell.isEmpty())
        return cell;
    qsizetype first = 0;
    while (first < cell.size() && cell[first] == u' ')
        ++first;
    const bool formula
        = guarded.contains(cell.front()) || (first < cell.size() && signs.contains(cell[first]));
    return formula ? u'\'' + cell : cell;
}

void SpreadsheetCsv::addRow(QStringList cells)
{
    for (QString &cell : cells)
        cell = formulaGuarded(cell);
    m_text += delimitedRow(cells, u',') + QStringLiteral("\r\n");
}

QByteArray SpreadsheetCsv::bytes() const
{
    return QByteArray("\xEF\xBB\xBF") + m_text.toUtf8();
}

QString withoutFormulaGuard(const QString &cell)
{
    return cell.startsWith(u'\'') ? cell.mid(1) : cell;
}

bool isBlankRecord(const CsvRecord &record)
{
    return record.cells.size() == 1 && record.cells.first().isEmpty();
}

} // namespace sorario
