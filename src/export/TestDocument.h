// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SafeWrite.h"
#include "print/SheetJob.h"
#include "print/SheetLayout.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <memory>

class QTextDocument;

namespace sorario {

// The tests of the job's sheets as a document the teacher adjusts before printing.
// Each sheet gets the sheet header's fields, its questions as the
// sheet composes them (number, hint line, answer rule in layout 1, "\/" breaks, "@"
// emphasis in bold), and after a page break the same header with the answer key.
// Lines break as on paper at `metrics`.
std::unique_ptr<QTextDocument> testDocument(const SheetJob &job, const PrintMetrics &metrics);

// The document as OpenDocument text on a B5 page.
Outcome<WriteFault, QByteArray> testDocumentBytes(const QTextDocument &document);

// Writes the document to `path` whole or not at all.
WriteOutcome writeTestDocument(const QTextDocument &document, const QString &path);

} // namespace sorario
