// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "export/TestTextFile.h"
#include "print/PrintTarget.h"
#include "shared/SheetDraw.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

namespace Ui {
class frmSettei;
}

namespace sorario {

struct Module1;
class Dialogs;
class SetupClassRun;
class SetupClassControls;

// Makes the target a print or preview run goes to; by default the real printer.
using PrintSurfaceFactory = PrintTargetFactory;

// The test set-up window: range and question count, output options, font and logo,
// sheet count, and the runs (print, print preview, text file).
class frmSettei : public QDialog
{
    Q_OBJECT

public:
    frmSettei(Module1 &m, Dialogs &dialogs, PrintSurfaceFactory printSurface = {}, QWidget *parent = nullptr);
    ~frmSettei() override;

    // Escape and the title bar's close button leave as "戻る" does.
    void reject() override { Command2_Click(); }

Q_SIGNALS:
    // The window is being left through "戻る" (or its equivalents), before it closes.
    void returning();

private Q_SLOTS:
    void List1_Click();
    void Command6_Click();
    void Command5_Click();
    void Command7_Click();
    void List2_Click();
    void Option2_Click(int index);
    void Check1_Click();
    void spnSheetCount_Change(int count);
    void printOptions_Change();
    void cmdFonts_Click(int index);
    void Command1_Click();
    void Command4_Click();
    void cmdSetOK_Click();
    void cmdPreview_Click();
    void Command3_Click();
    void cmdDocument_Click();
    void Command2_Click();
    void cmdHistory_Click();

private:
    void Form_Load();
    bool decideRange(const QList<bool> &selected);
    void setPartSelection(bool selected);
    void clearList2();
    void showFont();
    void resetAfterRun();
    void enablePrint(bool on);
    void enableRuns(bool on);
    // A text or document file of the drawn sheets: saved by `save`, never over the inputs given.
    using ExportTest = std::function<TextExportOutcome(const DrawSheet &, const QStringList &)>;
    void exportTest(const ExportTest &save);

    std::unique_ptr<Ui::frmSettei> m_ui;
    Module1 &m_module;
    Dialogs &m_dialogs;
    PrintTargetFactory m_printTarget;
    std::unique_ptr<SetupClassRun> m_classes;
    SetupClassControls *m_classControls = nullptr;
};

} // namespace sorario
