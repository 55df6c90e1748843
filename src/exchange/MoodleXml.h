// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/OnlineBank.h"

namespace sorario {

// A Moodle XML question bank: each category a question of type "category" whose
// path ends in the title and whose description holds the header note; each fill-
// the-blank and word-order question a short answer, its text and hint (general
// feedback) as HTML; each multiple choice a multichoice of one right answer.
QByteArray moodleXmlBytes(const QList<BankCategory> &categories);

// Categories, short answers and multichoice; any other kind of question is refused
// with its line.
BankFileRead readMoodleXml(QByteArrayView bytes);

// A category path's last name ("//" being a "/" within a name), and a title as one.
QString categoryTitle(QStringView path);
QString categoryPath(const QString &title);

// A question's name in the bank: its number and the start of its text.
QString questionName(int number, const QString &text);

} // namespace sorario
