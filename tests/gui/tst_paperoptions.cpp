// SPDX-License-Identifier: GPL-3.0-or-later
// The set-up window's paper, word and fit options: kept in the module, remembered
// for the next window, and followed by the preview.
#include "setup/frmSettei.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;

namespace {

// Paper index, keep words, fit: as the module holds them and as a window shows them.
QString held(const Module1 &m)
{
    return QStringLiteral("%1 %2 %3")
        .arg(int(m.PaperChoice))
        .arg(m.LineBreaks == WordBreaks::KeepWords)
        .arg(m.OverflowRule == Overflow::ShrinkFirst);
}

QString shown(QWidget *w)
{
    return QStringLiteral("%1 %2 %3")
        .arg(control<QComboBox>(w, "cboPaper")->currentIndex())
        .arg(control<QCheckBox>(w, "chkKeepWords")->isChecked())
        .arg(control<QCheckBox>(w, "chkFit")->isChecked());
}

// Keeps the paper the preview was shown on.
struct PreviewDialogs : ScriptedDialogs
{
    QPageLayout layout;
    bool printPreview(PreviewDocument &document) override
    {
        layout = document.previewPrinter().pageLayout();
        return ScriptedDialogs::printPreview(document);
    }
};

} // namespace

class TestPaperOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void remembered_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<bool>("keepWords");
        QTest::addColumn<bool>("fit");
        QTest::addColumn<QString>("state");
        QTest::newRow("B4 two-up") << 2 << false << false << QStringLiteral("2 0 0");
        QTest::newRow("A3 two-up, words kept") << 3 << true << false << QStringLiteral("3 1 0");
        QTest::newRow("shrink to fit") << 0 << false << true << QStringLiteral("0 0 1");
    }
    void remembered()
    {
        QFETCH(int, paper);
        QFETCH(bool, keepWords);
        QFETCH(bool, fit);
        QFETCH(QString, state);
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        Module1 m;
        m.ProgramFolder = dir.path();
        fillBank(m, 10, 1);
        {
            frmSettei w(m, dialogs);
            QCOMPARE(shown(&w), QStringLiteral("0 0 0"));
            control<QComboBox>(&w, "cboPaper")->setCurrentIndex(paper);
            control<QCheckBox>(&w, "chkKeepWords")->setChecked(keepWords);
            control<QCheckBox>(&w, "chkFit")->setChecked(fit);
            QCOMPARE(held(m), state);
        }
        // Their own file: the font settings file is not written by them.
        QVERIFY(QFileInfo::exists(PrintOptionsFilePath(m)));
        QVERIFY(!QFileInfo::exists(SettingsFilePath(m)));

        Module1 next;
        next.ProgramFolder = dir.path();
        fillBank(next, 10, 1);
        LoadPrintOptions(next);
        QCOMPARE(held(next), state);
        frmSettei w(next, dialogs);
        QCOMPARE(shown(&w), state);
    }

    void previewShowsTwoUpSheets()
    {
        QTemporaryDir dir;
        PreviewDialogs dialogs;
        Module1 m;
        m.ProgramFolder = dir.path();
        fillBank(m, 10, 1);
        frmSettei w(m, dialogs, pdfSurfaces(dir.filePath(QStringLiteral("sheet.pdf"))));
        control<QComboBox>(&w, "cboPaper")->setCurrentIndex(2);
        click(&w, "Command5");
        click(&w, "cmdPreview");
        QCOMPARE(dialogs.kinds(), QStringList {QStringLiteral("preview")});
        QCOMPARE(dialogs.layout.orientation(), QPageLayout::Landscape);
        QCOMPARE(dialogs.layout.pageSize().id(), QPageSize::JisB4);
    }
};

QTEST_MAIN(TestPaperOptions)
#include "tst_paperoptions.moc"
