// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "shared/Outcome.h"

#include <QString>

#include <stdexcept>

namespace sorario {

// Why a print run could not go on. Cancelled (a No at the prompt, nothing printed
// from the preview) is no failure and tells the teacher nothing.
enum class PrintFailureKind {
    Cancelled,
    NoPrinter,
    PdfFolderMissing,
    PdfNameIsFolder,
    PdfNotPlaced,
    PdfTargetRefused,
    DocumentRefused,
    PageRefused,
    OutputRefused,
    FontSizeInvalid,
    FontWithoutHeight,
    FontTooSmall,
    FontWithoutWidth,
    FontTooLarge,
    TraceNotWritten,
    Unexpected,
};

// The teacher's message for `kind`; `detail` (the file concerned, the system's
// reason) follows on lines of its own.
QString PrintFailureMessage(PrintFailureKind kind, const QString &detail = QString());

// How a print run ended: printed, or the kind that ended it with its detail.
using PrintOutcome = Outcome<PrintFailureKind>;
inline PrintOutcome PrintCancelled()
{
    return PrintOutcome::failed(PrintFailureKind::Cancelled);
}
// A failure is what its teller reports, with PrintFailureMessage(*fault, detail).
inline bool PrintFailed(const PrintOutcome &outcome)
{
    return outcome.fault.value_or(PrintFailureKind::Cancelled) != PrintFailureKind::Cancelled;
}

// A failure of the surface or of the run; ends the print run at once.
class PrintFailure : public std::runtime_error
{
public:
    explicit PrintFailure(PrintFailureKind kind, const QString &detail = QString());

    PrintFailureKind kind() const { return m_kind; }
    const QString &detail() const { return m_detail; }

private:
    PrintFailureKind m_kind;
    QString m_detail;
};

} // namespace sorario
