// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/QtPrintTarget.h"

#include "print/PrintRun.h"

#include <QPaintEngine>
#include <QPrinter>

namespace sorario {

QtPrintTarget::QtPrintTarget(PrintPurpose purpose)
    : m_purpose(purpose)
{
    m_surface.setKeepDocument(purpose == PrintPurpose::Preview);
}

PreviewDocument *QtPrintTarget::preview()
{
    if (m_purpose != PrintPurpose::Preview || !m_surface.hasKeptDocument())
        return nullptr;
    return this;
}

void QtPrintTarget::proposeFile(const QString &path)
{
    QPrinter &printer = m_surface.printer();
    if (!printer.outputFileName().isEmpty())
        return;
    // Naming a ".pdf" switches the printer to PDF; the dialog should still start on
    // the printer, with the name ready for when the user prints to a file instead.
    const QPrinter::OutputFormat format = printer.outputFormat();
    printer.setOutputFileName(path);
    printer.setOutputFormat(format);
}

QString QtPrintTarget::settleDestination()
{
    QPrinter &printer = m_surface.printer();
    if (printer.outputFormat() == QPrinter::PdfFormat)
        return printer.outputFileName();
    // A printer with a file name would print into the file.
    const QString name = printer.printerName();
    printer.setOutputFileName(QString());
    printer.setPrinterName(name);
    return {};
}

bool QtPrintTarget::paintRequested()
{
    // A preview records its pages as pictures; printing goes to the printer's own engine.
    const QPaintEngine *engine = m_surface.printer().paintEngine();
    const bool recording = engine && engine->type() == QPaintEngine::Picture;
    // As in a print run: a printer error prints nothing, and the run reports it.
    const PrintOutcome outcome = ContainPrintFailure(m_surface, [this, recording] {
        if (recording) {
            m_surface.paintKeptDocument();
            return PrintCancelled();
        }
        settleDestination();
        return m_surface.printKeptDocument() > 0 ? PrintOutcome {} : PrintCancelled();
    });
    m_previewFailure.reset();
    if (PrintFailed(outcome))
        m_previewFailure = outcome;
    return outcome.ok();
}

std::unique_ptr<PrintTarget> MakeQtPrintTarget(PrintPurpose purpose)
{
    return std::make_unique<QtPrintTarget>(purpose);
}

} // namespace sorario
