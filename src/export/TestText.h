// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/SheetJob.h"

#include <QList>
#include <QString>

namespace sorario {

// One test as text (CR LF line ends): the heading's title and range line, the
// questions, then the answer key under the same heading.
QString testText(const SheetHeading &heading, const QList<QuestionRecord> &questions);

// The tests of the job's sheets one after another, each as its sheet sets the kinds,
// with the bracket exchange for AnswerLayout 2, and SheetSeparator between two tests.
QString sheetTexts(const SheetJob &job);
// Stands between two tests: the 66 hyphens inside a test stay unmistakable.
inline const QString SheetSeparator = QString(66, u'=');

} // namespace sorario
