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
        QString storedAt = {}; // the store's file a pending copy was read from
    };

    // Whole or not at all; false when it could not be written.
    bool keep(const Copy &copy) const;
    void discard(const QString &originalPath) const;
    QList<Copy> pending() const;
    // A pending copy declined: its own file goes, whatever its name.
    void drop(const Copy &copy) const;
    // A pending copy taken up, kept again where keep() and discard() find it, so that
    // a copy whose file is named for another path is not offered again.
    void adopt(const Copy &copy) const;

private:
    QString fileFor(const QString &originalPath) const;

    QString m_folder;
};

} // namespace sorario
