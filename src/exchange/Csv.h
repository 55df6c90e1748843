// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <limits>

namespace sorario {

// One record of a delimited text, with its 1-based record number as a
// spreadsheet shows it.
struct CsvRecord
{
    int row = 0;
    QStringList cells;
};

// Records of comma- or tab-separated text as RFC 4180 and spreadsheets write it:
// a cell in double quotes may hold the separator and doubled quotes. Rows end at
// CR LF, LF or CR. No line of a question file can hold a line break: a quoted cell
// that holds one stops the reading where it closes. Both rows name the row where
// the cell began.
struct CsvRecords
{
    QList<CsvRecord> records;
    int lineBreakRow = 0; // a quoted cell holds a line break; 0 when none
    int unclosedQuoteRow = 0; // the last cell's quote never closes; 0 when none
};

// The text of a file another program wrote: UTF-8 when marked or when the bytes are
// UTF-8 at all; else as a question file is read (a spreadsheet's plain "CSV" on a
// Japanese system is Shift-JIS, whose text is almost never valid UTF-8).
QString decodeExchangedText(QByteArrayView bytes);

// At most `maxCells` cells of a record are kept, then one more that is empty only when
// every cell past them is; reading stops after `maxRecords` records, with one more kept
// to tell that there were more.
struct CsvBounds
{
    qsizetype maxCells = std::numeric_limits<qsizetype>::max() - 1;
    qsizetype maxRecords = std::numeric_limits<qsizetype>::max() - 1;
};

CsvRecords parseDelimited(QStringView text, QChar separator, CsvBounds bounds = {});

// One row: cells joined by the separator, a cell quoted when it holds the
// separator, a quote or a line break. No row end.
QString delimitedRow(const QStringList &cells, QChar separator);

// A cell a spreadsheet would open as a formula (one starting with = + - @, after
// blanks or not, or with |, TAB or CR) is written after an apostrophe, as spreadsheet-safe exporters write
// it; so is one that starts with an apostrophe itself, so that reading takes exactly one away.
QString formulaGuarded(const QString &cell);
QString withoutFormulaGuard(const QString &cell);

// Rows a spreadsheet opens as a table: every cell guarded (formulaGuarded) and
// quoted where it must be, CR LF after every row; UTF-8 with the byte order mark.
class SpreadsheetCsv
{
public:
    void addRow(QStringList cells);
    QByteArray bytes() const;

private:
    QString m_text;
};

// A line that is empty and unquoted, as a spreadsheet writes a row left blank.
bool isBlankRecord(const CsvRecord &record);

} // namespace sorario
