// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryStore.h"
#include "print/QtPrintTarget.h"
#include "print/RecordingSurface.h"
#include "shared/Module1.h"
#include "ui/frmSettei.h"

#include "support/Fixtures.h"
#include "support/ScriptedDialogs.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QListWidget>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace sorario::test {

// Window tests never touch the user's own files: the standard locations point into
// the test area and the user's settings into a folder of the run's own.
inline const bool userFilesIsolated = [] {
    QStandardPaths::setTestModeEnabled(true);
    static const QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    return true;
}();

// A control of a window by its name; fails the test when it is missing.
template <typename T> T *control(QWidget *window, const char *name)
{
    T *c = window->findChild<T *>(QString::fromLatin1(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// What a line or text box shows.
inline QString text(QWidget *window, const char *name)
{
    const QWidget *box = control<QWidget>(window, name);
    return box->property(box->inherits("QLineEdit") ? "text" : "plainText").toString();
}

inline void click(QWidget *window, const char *name)
{
    control<QAbstractButton>(window, name)->click();
}

// '1' for each enabled control, '0' for each disabled one.
inline QString enabledMask(QWidget *window, std::initializer_list<const char *> names)
{
    QString s;
    for (const char *name : names)
        s += control<QWidget>(window, name)->isEnabled() ? u'1' : u'0';
    return s;
}

inline QStringList entries(QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out.append(list->item(i)->text());
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

// The bank as the loader leaves it, without going through files: question k has a
// blank in brackets to fill and the answer "aK".
inline void fillBank(Module1 &m, int count, int parts)
{
    for (int k = 1; k <= count; ++k)
        m.QuestionBank(k)
            = {QStringLiteral("Question %1 （　　） here.").arg(k), QString(), QStringLiteral("a%1").arg(k)};
    m.BankQuestionCount = static_cast<std::int16_t>(count);
    m.PartCount = static_cast<std::int16_t>(parts);
    m.PartSize = static_cast<std::int16_t>(count / parts);
    m.LoadedTitles = QStringLiteral("Drill\r\n");
    m.ChosenFileCount = 1;
    m.FileHeaders(1, 1) = QStringLiteral("Drill");
    m.FileHeaders(1, 2) = QString::number(parts);
    m.FileHeaders(1, 3) = QStringLiteral("T1");
}

// Class 2B's run of 2026-12-07 10:30: `sheets` sheets ("12071030", or "12071030-1" on) of
// the questions Q1… with the answers A1…, as the history gives it back (id 0 when it could
// not be recorded).
inline RecordedRun recordedSheet(const HistoryStore &store, int questions, int sheets = 1)
{
    RecordedRun run;
    run.className = QStringLiteral("2B");
    run.when = QDateTime(QDate(2026, 12, 7), QTime(10, 30));
    for (int k = 1; k <= sheets; ++k) {
        const QString number
            = QStringLiteral("12071030") + (sheets > 1 ? u'-' + QString::number(k) : QString());
        run.sheets.append({number, run.when, {}});
        for (int q = 1; q <= questions; ++q)
            run.sheets.last().questions.append(
                {QStringLiteral("Q%1").arg(q), {}, QStringLiteral("A%1").arg(q)});
    }
    if (!store.record(run).ok())
        return {};
    return store.runs().value.value(0);
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

// A set-up window over a made-up bank, printing to a PDF in its own folder.
struct SetupFixture
{
    QTemporaryDir dir;
    Module1 m;
    ScriptedDialogs dialogs;
    int returnings = 0;
    std::unique_ptr<frmSettei> w;

    explicit SetupFixture(int count = 25, int parts = 2)
    {
        m.ProgramFolder = dir.path();
        fillBank(m, count, parts);
        open();
    }
    QString pdf() const { return dir.filePath(QStringLiteral("sheet.pdf")); }
    void open(PrintTargetFactory targets = {})
    {
        w = std::make_unique<frmSettei>(m, dialogs, targets ? targets : pdfSurfaces(pdf()));
        QObject::connect(w.get(), &frmSettei::returning, [this] { ++returnings; });
    }
    QListWidget *parts() { return control<QListWidget>(w.get(), "List1"); }
    QListWidget *counts() { return control<QListWidget>(w.get(), "List2"); }
    void press(const char *name) { click(w.get(), name); }
    // List2, cmdSetOK, Command3, Command7; "プレビュー" goes with "印刷", the document with the text.
    QString runState()
    {
        const QString twins = enabledMask(w.get(), {"cmdPreview", "cmdSetOK", "cmdDocument", "Command3"});
        if (twins[0] != twins[1] || twins[2] != twins[3])
            return QStringLiteral("twins differ");
        return enabledMask(w.get(), {"List2", "cmdSetOK", "Command3", "Command7"});
    }
    // After every run: back to the undecided state.
    void verifyReset()
    {
        QCOMPARE(runState(), QStringLiteral("0000"));
        QCOMPARE(text(w.get(), "Text4"), QStringLiteral("0"));
        QVERIFY(selectedRows(parts()).isEmpty());
    }
};

} // namespace sorario::test
