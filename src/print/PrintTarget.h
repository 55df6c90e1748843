// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintFailure.h"

#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>

class QPrinter;

namespace sorario {

class PreviewDocument;
class PrintSurface;

enum class PrintPurpose { Print, Preview };

// Where one print run goes. A target is made for a purpose: one that prints sends
// the ended document to its printer or file, one that previews keeps it for the
// preview to show.
class PrintTarget
{
public:
    PrintTarget() = default;
    Q_DISABLE_COPY(PrintTarget)
    virtual ~PrintTarget() = default;

    virtual PrintSurface &surface() = 0;
    // What the print dialog sets up; null when the destination is fixed beforehand.
    virtual QPrinter *printer() { return nullptr; }
    // The kept document, for a target that previews.
    virtual PreviewDocument *preview() { return nullptr; }
    // Why the last print from the preview failed; null when it did not.
    virtual const PrintOutcome *previewFailure() const { return nullptr; }
    // Offered in the print dialog when the user prints to a file.
    virtual void proposeFile(const QString &path) { (void)path; }
    // Once the print dialog is done: the file the document will replace, empty when
    // it goes to a printer. A proposal the dialog did not take is dropped here.
    virtual QString settleDestination() { return {}; }
};

// A surface whose destination is its own (a named PDF, a recording).
class SurfaceTarget : public PrintTarget
{
public:
    explicit SurfaceTarget(PrintSurface &surface)
        : m_surface(surface)
    {
    }
    PrintSurface &surface() override { return m_surface; }

private:
    PrintSurface &m_surface;
};

using PrintTargetFactory = std::function<std::unique_ptr<PrintTarget>(PrintPurpose)>;

} // namespace sorario
