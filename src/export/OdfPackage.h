// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSizeF>

namespace sorario {

// Page size and margins of a document, in millimetres.
struct PageFrame
{
    QSizeF paper;
    double top = 0;
    double bottom = 0;
    double left = 0;
    double right = 0;
};

// An OpenDocument text package as Qt's writer makes it (content only, so a word
// processor would take its default paper) with a page style added: the entries are
// kept byte for byte, styles.xml with the page joins them, and the manifest is
// written anew to list it. Empty when `package` is no zip archive.
QByteArray withPageFrame(const QByteArray &package, const PageFrame &frame);

} // namespace sorario
