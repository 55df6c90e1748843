// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace sorario {

// Copies of unsaved edits, kept so that a crash or a power cut loses at most the
// time since the last copy. One copy per edited file (one for a file not yet
// named), each remembering the path it belongs to.
class RecoveryStore
{
public:
    // `folder` empty: "recovery" in the user's data folder.
    explicit RecoveryStore(QString folder = QString());

    struct Copy
    {
        QString originalPath; // empty for a file not yet saved
        QStringList lines;
    };

    // Whole or not at all; false when it could not be written.
    bool keep(const Copy &copy) const;
    void discard(const QString &originalPath) const;
    QList<Copy> pending() const;

private:
    QString fileFor(const QString &originalPath) const;

    QString m_folder;
};

} // namespace sorario
