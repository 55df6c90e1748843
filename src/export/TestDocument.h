// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SafeWrite.h"
#include "shared/SheetDraw.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QTextDocument;

namespace sorario {

struct Module1;

// The tests of m.options.sheetCount sheets as a document the teacher adjusts before printing.
// Each sheet, drawn by `draw`, gets the sheet header's fields, its questions as the
// sheet composes them (number, hint line, answer rule in layout 1, "\/" breaks, "@"
// emphasis in bold), and after a page break the same header with the answer key.
std::unique_ptr<QTextDocument> buildTestDocument(Module1 &m, const DrawSheet &draw);

// The document as OpenDocument text on a B5 page; empty when it cannot be made.
QByteArray testDocumentBytes(const QTextDocument &document);

// Writes the document to `path` whole or not at all.
WriteOutcome writeTestDocument(const QTextDocument &document, const QString &path);

} // namespace sorario
