// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/TestDocument.h"

#include "export/DocumentSurface.h"
#include "export/OdfPackage.h"
#include "platform/SafeWrite.h"
#include "print/QuestionText.h"
#include "print/RecordingSurface.h"
#include "print/SheetHeader.h"
#include "print/SheetLayout.h"
#include "print/TextPlacer.h"
#include "shared/Module1.h"
#include "shared/SheetTitle.h"

#include <QBuffer>
#include <QDir>
#include <QTextDocument>
#include <QTextDocumentWriter>
#include <QTextTable>

#include <algorithm>

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

void addHeader(const Module1 &m, QTextCursor &c, bool pageBreak)
{
    newParagraph(c, pageBreak);
    c.insertText(SheetNumberText(SheetHeadingOf(m, 0), m.SheetIndex, m.clock.now()) + QStringLiteral("　　")
            + m.options.SheetLogo,
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
    cell.insertText(SheetTitleText(m), documentTextFormat(HeaderFontName, 16));
    cell.insertText(lineBreak + RangeLineText(m), documentTextFormat(HeaderFontName, 12));
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

void addSheet(Module1 &m, QTextCursor &c, bool pageBreak)
{
    const int count = std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions);
    RecordingSurface measure;
    measure.setFontName(m.options.FontName);
    measure.setFontSize(m.options.FontSize);
    const QString dash = DashLine(measure, m.LineWidth);

    DocumentSurface surface(c);
    surface.setFontName(m.options.FontName);
    surface.setFontSize(m.options.FontSize);
    const PrintMetrics metrics {m.CharHeight, m.LineSpacing, m.LineWidth, m.FirstPageLines, m.NextPageLines};
    TextPlacer placer(metrics, m.options.lineBreaks, surface, PlacingRules {});

    QList<QuestionRecord> onSheet;
    const SheetKey key = KindsKey(m.clock.now(), m.SheetLetters, m.SheetIndex, m.options.choiceLabels);
    for (int n = 1; n <= count; ++n)
        onSheet.append(OnSheet(m.DrawnQuestions(n), key));

    addHeader(m, c, pageBreak);
    for (int n = 1; n <= count; ++n)
        addComposed(
            c, placer, ComposeQuestion(onSheet[n - 1], n, m.options.AnswerLayout, dash, HintLines::Printed));
    addHeader(m, c, true);
    for (int n = 1; n <= count; ++n)
        addComposed(c, placer, ComposeAnswer(onSheet[n - 1], n));
}

} // namespace

std::unique_ptr<QTextDocument> buildTestDocument(Module1 &m, const DrawSheet &draw)
{
    auto document = std::make_unique<QTextDocument>();
    QTextCursor c(document.get());
    // Outside an edit block every insertion lays out its whole paragraph again to
    // place the cursor: a line of many "@" runs took quadratic time.
    c.beginEditBlock();
    const int sheets = std::clamp<int>(m.options.sheetCount, 1, MaxSheetCount);
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        if (draw)
            draw(sheet);
        // As on paper, each sheet's number carries its place in a run of several.
        m.SheetIndex = static_cast<std::int16_t>(sheets > 1 ? sheet : 0);
        addSheet(m, c, sheet > 1);
    }
    m.SheetIndex = 0;
    c.endEditBlock();
    return document;
}

QByteArray testDocumentBytes(const QTextDocument &document)
{
    QBuffer buffer;
    QTextDocumentWriter writer(&buffer, QByteArrayLiteral("ODF"));
    if (!writer.write(&document))
        return {};
    return withPageFrame(buffer.data(), SheetFrame);
}

WriteOutcome writeTestDocument(const QTextDocument &document, const QString &path)
{
    const QByteArray bytes = testDocumentBytes(document);
    if (bytes.isEmpty())
        return WriteOutcome::failed(WriteFault::Failed, QStringLiteral("the document could not be made"));
    return writeBytesAtomically(path, bytes);
}

} // namespace sorario
