// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PdfFile.h"

#include "platform/SafeWrite.h"
#include "print/PrintFailure.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>

namespace sorario {

int paintPdfFile(const DisplayList &list, const QPrinter &printer, FontCache &fonts, Paper placing)
{
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    const int pages = list.paint(writer, fonts, placing);
    const QString target = writeThroughPath(QFileInfo(printer.outputFileName()).absoluteFilePath());
    const WriteOutcome written = writeBytesAtomically(target, pdf.data());
    if (written.fault == WriteFault::Failed)
        throw PrintFailure(PrintFailureKind::PdfNotPlaced,
            QDir::toNativeSeparators(target) + u'\n' + writeFailureReason(written));
    if (!written.ok())
        throw PrintFailure(PrintFailureKind::PdfTargetRefused, writeFailureMessage(written, target));
    return pages;
}

} // namespace sorario
