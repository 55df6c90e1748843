// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/PreviewDocument.h"
#include "print/PrintRun.h"
#include "print/PrintTarget.h"
#include "print/QtPrintSurface.h"

namespace sorario {

// The real printer (or a PDF the print dialog names) as a print run's target. One
// made for a preview keeps the ended document and shows it through the preview,
// whose print button prints it.
class QtPrintTarget : public PrintTarget, public PreviewDocument
{
public:
    explicit QtPrintTarget(PrintPurpose purpose);

    PrintSurface &surface() override { return m_surface; }
    QPrinter *printer() override { return &m_surface.printer(); }
    PreviewDocument *preview() override;
    const PrintOutcome *previewFailure() const override
    {
        return m_previewFailure ? &*m_previewFailure : nullptr;
    }
    void proposeFile(const QString &path) override;
    QString settleDestination() override;

    QPrinter &previewPrinter() override { return m_surface.printer(); }
    bool paintRequested() override;

    // The underlying surface, for those that set its destination themselves.
    QtPrintSurface &paper() { return m_surface; }

private:
    const PrintPurpose m_purpose;
    QtPrintSurface m_surface;
    std::optional<PrintOutcome> m_previewFailure;
};

// What the windows print on: the real printer.
std::unique_ptr<PrintTarget> MakeQtPrintTarget(PrintPurpose purpose);

} // namespace sorario
