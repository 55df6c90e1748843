// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Cp932.h"
#include "print/QtPrintTarget.h"
#include "print/RecordingSurface.h"
#include "print/TracingSurface.h"
#include "setup/frmSettei.h"
#include "shared/Module1.h"

#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace sorario::test {

// A control of a window by its name; fails the test when it is missing.
template <typename T> T *control(QWidget *window, const char *name)
{
    T *c = window->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

inline QString text(QWidget *window, const char *name)
{
    if (auto *line = window->findChild<QLineEdit *>(QString::fromLatin1(name)))
        return line->text();
    return control<QPlainTextEdit>(window, name)->toPlainText();
}

inline bool enabled(QWidget *window, const char *name)
{
    return control<QWidget>(window, name)->isEnabled();
}

inline void click(QWidget *window, const char *name)
{
    control<QAbstractButton>(window, name)->click();
}

inline QStringList entries(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
    return out;
}

inline QStringList entries(QComboBox *box)
{
    QStringList out;
    for (int i = 0; i < box->count(); ++i)
        out.append(box->itemText(i));
    return out;
}

inline QList<int> selectedRows(QListWidget *list)
{
    QList<int> rows;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            rows.append(i);
    return rows;
}

inline void selectRows(QListWidget *list, const QList<int> &rows)
{
    for (int row : rows)
        list->item(row)->setSelected(true);
}

// Question k of a made-up bank: a blank in brackets to fill, the answer "aK".
inline QuestionRecord question(int k)
{
    return {QStringLiteral("Question %1 （　　） here.").arg(k), QString(), QStringLiteral("a%1").arg(k)};
}

// The bank as the loader leaves it, without going through files.
inline void fillBank(Module1 &m, int count, int parts, const QString &titles = QStringLiteral("Drill\r\n"))
{
    for (int k = 1; k <= count; ++k)
        m.QuestionBank(k) = question(k);
    m.BankQuestionCount = static_cast<std::int16_t>(count);
    m.PartCount = static_cast<std::int16_t>(parts);
    m.PartSize = static_cast<std::int16_t>(count / parts);
    m.LoadedTitles = titles;
    m.ChosenFileCount = 1;
    m.FileHeaders(1, 1) = QStringLiteral("Drill");
    m.FileHeaders(1, 2) = QString::number(parts);
    m.FileHeaders(1, 3) = QStringLiteral("T1");
}

// Print runs that write a PDF instead of paper.
inline PrintTargetFactory pdfSurfaces(const QString &pdfPath)
{
    return [pdfPath](PrintPurpose purpose) {
        auto target = std::make_unique<QtPrintTarget>(purpose);
        target->paper().setPdfOutput(pdfPath);
        return target;
    };
}

// Print runs traced onto `paper`, whatever they are for.
inline PrintTargetFactory tracedTargets(RecordingSurface &paper)
{
    struct Traced : PrintTarget
    {
        explicit Traced(RecordingSurface &paper)
            : tracer(paper)
        {
        }
        PrintSurface &surface() override { return tracer; }
        TracingSurface tracer;
    };
    return [&paper](PrintPurpose) { return std::make_unique<Traced>(paper); };
}

} // namespace sorario::test
