// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TestDocument.h"

#include "export/DocumentSurface.h"
#include "export/OdfPackage.h"
#include "platform/SafeWrite.h"
#include "print/QuestionText.h"
#include "print/RecordingSurface.h"
#include "print/RunSheets.h"
#include "print/SheetHeader.h"
#include "print/SheetLayout.h"
#include "print/TextPlacer.h"

#include <QBuffer>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

namespace sorario {
namespace {

// B5 with the margins the printed sheet keeps: text from 10 mm, rules to 175 mm.
const PageFrame SheetFrame {{182, 257}, 12, 12, 10, 7};
constexpr double QuestionGapMm = 1.5;
constexpr double PointsPerMm = 72 / 25.4;

// Appends a paragraph; the document's first one is there already.
void newParagraph(QTextCursor &c, bool pageBreak = false, double gapMm = 0)
{
    QTextBlockFormat format;
    format.setTopMargin(gapMm * PointsPerMm);
    if (pageBreak)
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
    c.movePosition(QTextCursor::End);
    if (c.document()->isEmpty())
        c.setBlockFormat(format);
    else
        c.insertBlock(format);
}

void addHeader(const SheetHeading &heading, const RunSheet &sheet, QTextCursor &c, bool pageBreak)
{
    newParagraph(c, pageBreak);
    c.insertText(SheetNumberText(heading, sheet.index, sheet.drawn.clock.now()) + QStringLiteral("　　")
            + heading.logo,
        documentTextFormat(HeaderFontName, 8));

    QTextTableFormat frame;
    frame.setBorder(1);
    frame.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    frame.setCellPadding(4);
    frame.setCellSpacing(0);
    frame.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    frame.setColumnWidthConstraints({QTextLength(QTextLength::PercentageLength, 52),
        QTextLength(QTextLength::PercentageLength, 38), QTextLength(QTextLength::PercentageLength, 10)});
    // One paragraph a cell: the writer gives every paragraph of a table a cell of its own.
    QTextTable *table = c.insertTable(1, 3, frame);
    // Made here, as the first table's own edit block would: the styles the writer
    // names after format numbers keep their names inside the builder's edit block.
    c.document()->rootFrame();
    const QString lineBreak(QChar::LineSeparator);
    QTextCursor cell = table->cellAt(0, 0).firstCursorPosition();
    cell.insertText(heading.title, documentTextFormat(HeaderFontName, 16));
    cell.insertText(lineBreak + heading.rangeLine, documentTextFormat(HeaderFontName, 12));
    cell = table->cellAt(0, 1).firstCursorPosition();
    cell.insertText(
        QStringLiteral("　　　年　　　組　　　番") + lineBreak + QStringLiteral("氏名") + lineBreak,
        documentTextFormat(HeaderFontName, 8));
    cell = table->cellAt(0, 2).firstCursorPosition();
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    cell.setBlockFormat(right);
    cell.insertText(lineBreak + lineBreak + QStringLiteral("点"), documentTextFormat(HeaderFontName, 8));
}

// One composed text, a paragraph per line, placed by the sheet's own rules.
void addComposed(QTextCursor &c, TextPlacer &placer, QString composed)
{
    if (composed.endsWith(CrLf))
        composed.chop(CrLf.size());
    placer.startAfresh();
    bool first = true;
    for (const QString &line : composed.split(CrLf)) {
        newParagraph(c, false, first ? QuestionGapMm : 0);
        first = false;
        placer.place(line);
    }
}

void addSheet(
    const SheetJob &job, const PrintMetrics &metrics, const RunSheet &sheet, QTextCursor &c, bool pageBreak)
{
    const SheetOptions &options = job.options;
    RecordingSurface measure;
    measure.setFontName(options.FontName);
    measure.setFontSize(options.FontSize);
    const QString dash = DashLine(measure, metrics.LineWidth);

    DocumentSurface surface(c);
    surface.setFontName(options.FontName);
    surface.setFontSize(options.FontSize);
    TextPlacer placer(metrics, options.lineBreaks, surface, PlacingRules {});

    const QList<QuestionRecord> onSheet = questionsOf(sheet, sheet.drawn.count);
    addHeader(job.heading, sheet, c, pageBreak);
    for (int n = 1; n <= onSheet.size(); ++n)
        addComposed(
            c, placer, ComposeQuestion(onSheet[n - 1], n, options.AnswerLayout, dash, HintLines::Printed));
    addHeader(job.heading, sheet, c, true);
    for (int n = 1; n <= onSheet.size(); ++n)
        addComposed(c, placer, ComposeAnswer(onSheet[n - 1], n));
}

} // namespace

std::unique_ptr<QTextDocument> testDocument(const SheetJob &job, const PrintMetrics &metrics)
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor c(document.get());
    // Outside an edit block every insertion lays out its whole paragraph again to
    // place the cursor: a line of many "@" runs took quadratic time.
    c.beginEditBlock();
    RunSheets sheets(job);
    for (int sheet = 1; sheet <= job.sheets; ++sheet)
        addSheet(job, metrics, sheets.use(sheet), c, sheet > 1);
    c.endEditBlock();
    return document;
}

Outcome<WriteFault, QByteArray> testDocumentBytes(const QTextDocument &document)
{
    QBuffer buffer;
    QTextDocumentWriter writer(&buffer, QByteArrayLiteral("ODF"));
    if (!writer.write(&document))
        return Outcome<WriteFault, QByteArray>::failed(
            WriteFault::Failed, QStringLiteral("the document could not be made"));
    return withPageFrame(buffer.data(), SheetFrame);
}

WriteOutcome writeTestDocument(const QTextDocument &document, const QString &path)
{
    const Outcome<WriteFault, QByteArray> bytes = testDocumentBytes(document);
    if (!bytes.ok())
        return WriteOutcome::failed(*bytes.fault, bytes.detail);
    return writeBytesAtomically(path, bytes.value);
}

} // namespace sorario
