// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/frmSettei.h"
#include "ui_frmSettei.h"

#include "export/TestDocument.h"
#include "export/TestTextFile.h"
#include "history/ClassNames.h"
#include "history/SheetSwap.h"
#include "platform/Dialogs.h"
#include "print/PrintRun.h"
#include "print/PrintTarget.h"
#include "print/QtPrintTarget.h"
#include "settings/FontRule.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "setup/HistoryWindow.h"
#include "setup/RangeSetup.h"
#include "setup/SetupClassRun.h"
#include "shared/Module1.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace sorario {

frmSettei::frmSettei(Module1 &module, Dialogs &dlgs, PrintTargetFactory factory, QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui::frmSettei>())
    , m(module)
    , dialogs(dlgs)
    , printTarget(std::move(factory))
{
    ui->setupUi(this);
    if (!printTarget)
        printTarget = MakeQtPrintTarget;

    connect(ui->List1, &QListWidget::itemSelectionChanged, this, &frmSettei::List1_Click);
    connect(ui->List2, &QListWidget::itemSelectionChanged, this, &frmSettei::List2_Click);
    connect(ui->Command6, &QPushButton::clicked, this, &frmSettei::Command6_Click);
    connect(ui->Command5, &QPushButton::clicked, this, &frmSettei::Command5_Click);
    connect(ui->Command7, &QPushButton::clicked, this, &frmSettei::Command7_Click);
    connect(ui->Option2_0, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click(0);
    });
    connect(ui->Option2_1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click(1);
    });
    connect(ui->Check1, &QCheckBox::toggled, this, &frmSettei::Check1_Click);
    connect(ui->spnSheetCount, &QSpinBox::valueChanged, this, &frmSettei::spnSheetCount_Change);
    connect(ui->cboPaper, &QComboBox::currentIndexChanged, this, &frmSettei::printOptions_Change);
    for (QCheckBox *box :
        {ui->chkKeepWords, ui->chkFit, ui->chkKeepQuestions, ui->chkAnswersLast, ui->chkDuplexPad})
        connect(box, &QCheckBox::toggled, this, &frmSettei::printOptions_Change);
    connect(ui->cmdFonts_0, &QPushButton::clicked, this, [this] { cmdFonts_Click(0); });
    connect(ui->cmdFonts_1, &QPushButton::clicked, this, [this] { cmdFonts_Click(1); });
    connect(ui->Command1, &QPushButton::clicked, this, &frmSettei::Command1_Click);
    connect(ui->Command4, &QPushButton::clicked, this, &frmSettei::Command4_Click);
    connect(ui->cmdSetOK, &QPushButton::clicked, this, &frmSettei::cmdSetOK_Click);
    connect(ui->cmdPreview, &QPushButton::clicked, this, &frmSettei::cmdPreview_Click);
    connect(ui->Command3, &QPushButton::clicked, this, &frmSettei::Command3_Click);
    connect(ui->cmdDocument, &QPushButton::clicked, this, &frmSettei::cmdDocument_Click);
    connect(ui->Command2, &QPushButton::clicked, this, &frmSettei::Command2_Click);
    connect(ui->cmdHistory, &QPushButton::clicked, this, &frmSettei::cmdHistory_Click);
    m_classes = std::make_unique<SetupClassRun>(m, dialogs);

    Form_Load();
}

frmSettei::~frmSettei() = default;

void frmSettei::Form_Load()
{
    {
        const QSignalBlocker b0(ui->Option2_0), b1(ui->Option2_1), b2(ui->Check1), b3(ui->spnSheetCount),
            b4(ui->cboPaper), b5(ui->chkKeepWords), b6(ui->chkFit), b7(ui->chkKeepQuestions),
            b8(ui->chkAnswersLast), b9(ui->chkDuplexPad);
        ui->Option2_0->setChecked(true);
        ui->cboPaper->setCurrentIndex(static_cast<int>(m.PaperChoice));
        ui->chkKeepWords->setChecked(m.LineBreaks == WordBreaks::KeepWords);
        ui->chkFit->setChecked(m.OverflowRule == Overflow::ShrinkFirst);
        ui->chkKeepQuestions->setChecked(m.PageBreaks == QuestionBreaks::KeepQuestions);
        ui->chkAnswersLast->setChecked(m.AnswerPages == AnswerPlace::AllLast);
        ui->chkDuplexPad->setChecked(m.Duplex == DuplexPadding::BlankAfterOdd);
        ui->Check1->setChecked(true);
        ui->spnSheetCount->setRange(1, MaxSheetCount);
        ui->spnSheetCount->setValue(1);
    }
    ResetSetupState(m);
    m.SheetCount = 1;
    ui->cboClass->clear();
    ui->cboClass->addItems(RememberedClasses());
    const ClassChoice last = LastClassChoice();
    ui->cboClass->setCurrentIndex(-1);
    ui->cboClass->setEditText(last.className);
    ui->spnAvoidRecent->setValue(last.avoidRecent);

    ui->Text4->setText(QStringLiteral("0"));

    ui->List2->setEnabled(false);
    enableRuns(false);

    // One title a line; the box shows line breaks, not the characters that make them.
    QString titles = m.LoadedTitles;
    titles.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (titles.endsWith(u'\n'))
        titles.chop(1);
    ui->Text1->setPlainText(titles);
    ui->Label10->setText(m.VersionText);

    {
        const QSignalBlocker block(ui->List1);
        ui->List1->clear();
        ui->List1->addItems(PartListEntries(m));
    }
    showFont();
    ui->Text5->setText(QString::number(m.BankQuestionCount));
    ui->Text6->setText(m.SheetLogo);
    m.QuestionCount = DefaultQuestionCount;
}

void frmSettei::clearList2()
{
    const QSignalBlocker block(ui->List2);
    ui->List2->clear();
}

void frmSettei::setPartSelection(bool selected)
{
    const QSignalBlocker block(ui->List1);
    for (int i = 0; i < ui->List1->count(); ++i)
        ui->List1->item(i)->setSelected(selected);
}

void frmSettei::List1_Click()
{
    clearList2();
    ui->List2->setEnabled(false);
    enableRuns(false);
    m.AllPartsChosen = 0;
}

void frmSettei::Command6_Click()
{
    QList<bool> selected;
    selected.reserve(ui->List1->count());
    for (int i = 0; i < ui->List1->count(); ++i)
        selected.append(ui->List1->item(i)->isSelected());
    decideRange(selected);
}

// The whole range is decided before the list shows it chosen, so that a refused
// decision leaves the window exactly as it was.
void frmSettei::Command5_Click()
{
    if (decideRange(QList<bool>(ui->List1->count(), true)))
        setPartSelection(true);
}

bool frmSettei::decideRange(const QList<bool> &selected)
{
    const RangeDecision decision = DecideRange(m, selected, dialogs);
    if (!decision.decided)
        return false;

    clearList2();
    ui->Text4->setText(QString::number(m.RangeQuestionCount));
    ui->List2->setEnabled(true);
    {
        const QSignalBlocker block(ui->List2);
        ui->List2->addItems(decision.countEntries);
        if (decision.selectedCountIndex >= 0 && decision.selectedCountIndex < ui->List2->count()) {
            ui->List2->setCurrentRow(decision.selectedCountIndex);
            ui->List2->scrollToItem(ui->List2->currentItem());
        }
    }
    enableRuns(true);
    return true;
}

// Starting over leaves the window as a run does, with no range chosen.
void frmSettei::Command7_Click()
{
    m.AllPartsChosen = 0;
    resetAfterRun();
}

void frmSettei::List2_Click()
{
    const QList<QListWidgetItem *> chosen = ui->List2->selectedItems();
    // Emptying the list is no choice of a count.
    if (chosen.isEmpty())
        return;
    m.QuestionCount = static_cast<std::int16_t>(ui->List2->row(chosen.first()) + 1);
}

void frmSettei::Option2_Click(int index)
{
    clearList2();
    ui->List2->setEnabled(false);
    enablePrint(false);
    ui->Command7->setEnabled(false);
    m.AllPartsChosen = 0;
    m.AnswerLayout = static_cast<std::int16_t>(index + 1);
}

void frmSettei::Check1_Click()
{
    m.AttachAnswers = ui->Check1->isChecked() ? 1 : 2;
}

void frmSettei::spnSheetCount_Change(int count)
{
    m.SheetCount = static_cast<std::int16_t>(std::clamp(count, 1, MaxSheetCount));
}

// Remembered as soon as chosen: they are how this teacher prints, not a choice of one run.
void frmSettei::printOptions_Change()
{
    m.PaperChoice
        = static_cast<Paper>(std::clamp(ui->cboPaper->currentIndex(), 0, static_cast<int>(Paper::A3TwoUp)));
    m.LineBreaks = ui->chkKeepWords->isChecked() ? WordBreaks::KeepWords : WordBreaks::Anywhere;
    m.OverflowRule = ui->chkFit->isChecked() ? Overflow::ShrinkFirst : Overflow::Ask;
    m.PageBreaks
        = ui->chkKeepQuestions->isChecked() ? QuestionBreaks::KeepQuestions : QuestionBreaks::Anywhere;
    m.AnswerPages = ui->chkAnswersLast->isChecked() ? AnswerPlace::AllLast : AnswerPlace::AfterEachSheet;
    m.Duplex = ui->chkDuplexPad->isChecked() ? DuplexPadding::BlankAfterOdd : DuplexPadding::None;
    SavePrintOptions(m);
}

void frmSettei::showFont()
{
    ui->Text2->setText(m.FontName);
    ui->Text3->setText(QString::number(m.FontSize));
}

void frmSettei::cmdFonts_Click(int index)
{
    if (index == 0) {
        m.FontName = DefaultFontName;
        m.FontSize = DefaultFontSize;
        showFont();
        return;
    }
    const std::optional<FontChoice> choice
        = dialogs.fontDialog(m.FontName, m.FontSize, FontDialogFlag::ScalableOnly);
    if (!choice || choice->face.isEmpty())
        return;
    const std::optional<std::int16_t> size = NormalizedFontSize(choice->size);
    if (!size) {
        dialogs.message(FontSizeRefusal(), ProgramTitle);
        return;
    }
    m.FontName = NormalizedFontName(choice->face);
    m.FontSize = *size;
    showFont();
}

void frmSettei::Command1_Click()
{
    SaveFontSettings(m);
}

void frmSettei::Command4_Click()
{
    const QString answer
        = dialogs.inputBox(QStringLiteral("シートロゴを入力して下さい。"), ProgramTitle, DefaultSheetLogo);
    if (!SheetLogoFits(answer))
        return dialogs.message(SheetLogoRefusal(), ProgramTitle);
    m.SheetLogo = answer.isEmpty() ? DefaultSheetLogo : answer;
    SaveSheetLogo(m);
    ui->Text6->clear();
    ui->Text6->setText(m.SheetLogo);
}

void frmSettei::cmdSetOK_Click()
{
    QList<SheetOutcome> outcomes;
    const std::optional<DrawSheet> draw = startRun();
    if (!draw)
        return;
    if (const std::unique_ptr<PrintTarget> target = printTarget(PrintPurpose::Print);
        target && PrintSheets(m, *target, dialogs, *draw, &outcomes).printed())
        m_classes->record(RunOutput::Printed, PrintedSheets(outcomes));
    resetAfterRun();
}

// The same run as "印刷" without the print dialog: the preview has its own print
// button, which prints the very document shown.
void frmSettei::cmdPreview_Click()
{
    const std::optional<DrawSheet> draw = startRun();
    if (!draw)
        return;
    try {
        if (const std::unique_ptr<PrintTarget> target = printTarget(PrintPurpose::Preview)) {
            QList<SheetOutcome> outcomes;
            SheetSwap swap(m, m_classes->run(), target->surface(), dialogs, outcomes, m_classes->seed());
            // Printed from the preview: the sheets as shown, swaps and all.
            if (PreviewSheets(m, *target, dialogs, *draw, &outcomes, &swap).printed())
                m_classes->record(RunOutput::Printed, PrintedSheets(outcomes));
        }
    } catch (const std::exception &e) {
        // What the run did not contain still says why, and the window stays usable.
        dialogs.message(
            PrintOutcome::failed(PrintFailureKind::Unexpected, QString::fromUtf8(e.what())).message(),
            ProgramTitle);
    }
    resetAfterRun();
}

void frmSettei::Command3_Click()
{
    const std::optional<DrawSheet> draw = startRun();
    if (!draw)
        return;
    if (SaveTestText(BuildSheetTexts(m, *draw), dialogs, m.ChosenFileList.first(m.ChosenFileCount), &m).kind
        == TextExportKind::Saved)
        m_classes->record(RunOutput::Exported, ExportedSheets(m));
    resetAfterRun();
}

void frmSettei::cmdDocument_Click()
{
    const std::optional<DrawSheet> draw = startRun();
    if (!draw)
        return;
    if (saveTestDocument(
            *buildTestDocument(m, *draw), dialogs, m.ChosenFileList.first(m.ChosenFileCount), &m))
        m_classes->record(RunOutput::Exported, ExportedSheets(m));
    resetAfterRun();
}

std::optional<DrawSheet> frmSettei::startRun()
{
    const QString name = ui->cboClass->currentText().trimmed();
    std::optional<DrawSheet> draw = m_classes->begin(name, ui->spnAvoidRecent->value());
    if (draw && !name.isEmpty() && ui->cboClass->findText(name) < 0)
        ui->cboClass->insertItem(0, name);
    return draw;
}

void frmSettei::cmdHistory_Click()
{
    HistoryWindow window(
        m_classes->history(), dialogs, printTarget, ui->cboClass->currentText().trimmed(), this);
    window.exec();
}

// "プレビュー" is a way of printing: it goes with "印刷".
void frmSettei::enablePrint(bool on)
{
    ui->cmdSetOK->setEnabled(on);
    ui->cmdPreview->setEnabled(on);
}

// What a decided range allows: every run, and "最初から" to undo the decision.
void frmSettei::enableRuns(bool on)
{
    enablePrint(on);
    ui->Command3->setEnabled(on);
    ui->cmdDocument->setEnabled(on);
    ui->Command7->setEnabled(on);
}

void frmSettei::resetAfterRun()
{
    m_classes->end();
    clearList2();
    enableRuns(false);
    setPartSelection(false);
    ui->List2->setEnabled(false);
    ui->Text4->setText(QStringLiteral("0"));
    // Not on "戻る", where the disabled run buttons hand it: Enter there drops the loaded files.
    ui->List1->setFocus();
}

void frmSettei::Command2_Click()
{
    Q_EMIT returning();
    QDialog::reject();
}

} // namespace sorario
