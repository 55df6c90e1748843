// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

namespace sorario {

// A question or hint line as the HTML a learning system shows: "\/" a line break,
// a pair of "@" bold. A last "@" without its pair stays a plain "@", and blanks at
// either end are written as character references, so that a reader that trims the
// text and inlineHtmlToLine give the line back as it was.
QString lineToInlineHtml(QStringView line);

// HTML back into a line: <br> and a new paragraph become "\/", <b> and <strong> "@",
// other tags go, character references are read and line ends become blanks.
QString inlineHtmlToLine(QStringView html);

// Text without markup: its line ends become "\/".
QString plainTextToLine(QStringView text);

} // namespace sorario
