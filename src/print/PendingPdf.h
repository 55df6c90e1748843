// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

// A PDF written beside its target under a temporary name and put in place only
// when complete, so that a discarded or failed document leaves the target as it was.
// A symlink is written through: the file it names gets the PDF.
class PendingPdf
{
public:
    // Throws PrintFailure when the folder takes no new file, or the target is no file.
    explicit PendingPdf(const QString &targetPath);
    ~PendingPdf();

    PendingPdf(const PendingPdf &) = delete;
    PendingPdf &operator=(const PendingPdf &) = delete;

    QString tempPath() const;
    // Checks that the written file is a whole PDF and moves it over the target;
    // throws PrintFailure otherwise (the temporary file goes with this object).
    void commit();

private:
    QString m_target;
    QString m_tempPath; // created, closed, removed unless put in place
    bool m_placed = false;
};

} // namespace sorario
