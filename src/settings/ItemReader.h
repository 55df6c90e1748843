// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

namespace sorario {

// Reads the comma- or line-separated items of Vk.ini and Vk.rog from their
// decoded text. A line ends at CR LF, a bare CR or a bare LF. Each read consumes
// its item and the comma or line end after it; nothing means the item could not
// be read (no text left, or a number that is no 16-bit decimal integer).
class ItemReader
{
public:
    explicit ItemReader(QString text);

    // Blanks and tabs before the item are skipped. "quoted" items run to the next
    // quote on the same line, commas included; others run to a comma or the line end.
    std::optional<QString> readText();

    // A decimal integer in -32768..32767 with blanks or tabs around it.
    std::optional<std::int16_t> readNumber();

    bool atEnd() const { return m_pos >= m_text.size(); }

private:
    qsizetype fieldEnd(qsizetype from) const;
    qsizetype lineEnd(qsizetype from) const;
    void skipDelimiterAt(qsizetype at);

    QString m_text;
    qsizetype m_pos = 0;
};

} // namespace sorario
