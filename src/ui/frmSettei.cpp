// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmSettei.h"
#include "ui_frmSettei.h"

#include "platform/Dialogs.h"
#include "print/FontSubstitution.h"
#include "print/PrintRun.h"
#include "print/PrintTarget.h"
#include "print/QtPrintTarget.h"
#include "settings/FontRule.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "setup/ExportProcedures.h"
#include "setup/RangeSetup.h"
#include "setup/SettingsFiles.h"
#include "setup/SetupClassRun.h"
#include "setup/SheetPrinting.h"
#include "setup/SheetSwap.h"
#include "setup/TestSaving.h"
#include "shared/Module1.h"
#include "ui/HistoryWindow.h"
#include "ui/SavedFile.h"
#include "ui/SetupClassControls.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>

#include <algorithm>

namespace sorario {

frmSettei::frmSettei(Module1 &module, Dialogs &dlgs, PrintTargetFactory factory, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::frmSettei>())
    , m_module(module)
    , m_dialogs(dlgs)
    , m_printTarget(std::move(factory))
{
    m_ui->setupUi(this);
    if (!m_printTarget)
        m_printTarget = MakeQtPrintTarget;

    connect(m_ui->List1, &QListWidget::itemSelectionChanged, this, &frmSettei::List1_Click);
    connect(m_ui->List2, &QListWidget::itemSelectionChanged, this, &frmSettei::List2_Click);
    connect(m_ui->Command6, &QPushButton::clicked, this, &frmSettei::Command6_Click);
    connect(m_ui->Command5, &QPushButton::clicked, this, &frmSettei::Command5_Click);
    connect(m_ui->Command7, &QPushButton::clicked, this, &frmSettei::Command7_Click);
    connect(m_ui->Option2_0, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click(0);
    });
    connect(m_ui->Option2_1, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            Option2_Click(1);
    });
    connect(m_ui->Check1, &QCheckBox::toggled, this, &frmSettei::Check1_Click);
    connect(m_ui->spnSheetCount, &QSpinBox::valueChanged, this, &frmSettei::spnSheetCount_Change);
    connect(m_ui->cboPaper, &QComboBox::currentIndexChanged, this, &frmSettei::printOptions_Change);
    for (QCheckBox *box : {m_ui->chkKeepWords, m_ui->chkFit, m_ui->chkKeepQuestions, m_ui->chkAnswersLast,
             m_ui->chkDuplexPad, m_ui->chkChoiceDigits})
        connect(box, &QCheckBox::toggled, this, &frmSettei::printOptions_Change);
    connect(m_ui->cmdFonts_0, &QPushButton::clicked, this, [this] { cmdFonts_Click(0); });
    connect(m_ui->cmdFonts_1, &QPushButton::clicked, this, [this] { cmdFonts_Click(1); });
    connect(m_ui->Command1, &QPushButton::clicked, this, &frmSettei::Command1_Click);
    connect(m_ui->Command4, &QPushButton::clicked, this, &frmSettei::Command4_Click);
    connect(m_ui->cmdSetOK, &QPushButton::clicked, this, &frmSettei::cmdSetOK_Click);
    connect(m_ui->cmdPreview, &QPushButton::clicked, this, &frmSettei::cmdPreview_Click);
    connect(m_ui->Command3, &QPushButton::clicked, this, &frmSettei::Command3_Click);
    connect(m_ui->cmdDocument, &QPushButton::clicked, this, &frmSettei::cmdDocument_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &frmSettei::Command2_Click);
    connect(m_ui->cmdHistory, &QPushButton::clicked, this, &frmSettei::cmdHistory_Click);
    m_classes = std::make_unique<SetupClassRun>(m_module, m_dialogs);
    m_classControls = new SetupClassControls(m_ui->cboClass, m_ui->spnAvoidRecent, m_ui->chkReview,
        m_ui->chkPupilReview, m_ui->cmdHistoryPlace, *m_classes, m_dialogs, this);

    Form_Load();
}

frmSettei::~frmSettei() = default;

void frmSettei::Form_Load()
{
    {
        const QSignalBlocker b0(m_ui->Option2_0), b1(m_ui->Option2_1), b2(m_ui->Check1),
            b3(m_ui->spnSheetCount), b4(m_ui->cboPaper), b5(m_ui->chkKeepWords), b6(m_ui->chkFit),
            b7(m_ui->chkKeepQuestions), b8(m_ui->chkAnswersLast), b9(m_ui->chkDuplexPad),
            b10(m_ui->chkChoiceDigits);
        m_ui->Option2_0->setChecked(true);
        m_ui->cboPaper->setCurrentIndex(static_cast<int>(m_module.options.paper));
        m_ui->chkKeepWords->setChecked(m_module.options.lineBreaks == WordBreaks::KeepWords);
        m_ui->chkFit->setChecked(m_module.options.overflow == Overflow::ShrinkFirst);
        m_ui->chkKeepQuestions->setChecked(m_module.options.pageBreaks == QuestionBreaks::KeepQuestions);
        m_ui->chkAnswersLast->setChecked(m_module.options.answerPages == AnswerPlace::AllLast);
        m_ui->chkDuplexPad->setChecked(m_module.options.duplex == DuplexPadding::BlankAfterOdd);
        m_ui->chkChoiceDigits->setChecked(m_module.options.choiceLabels == ChoiceLabels::Digits);
        m_ui->Check1->setChecked(true);
        m_ui->spnSheetCount->setRange(1, MaxSheetCount);
        m_ui->spnSheetCount->setValue(1);
    }
    ResetSetupState(m_module);
    m_module.options.sheetCount = 1;
    m_classControls->load();

    m_ui->Text4->setText(QStringLiteral("0"));

    m_ui->List2->setEnabled(false);
    enableRuns(false);

    // One title a line; the box shows line breaks, not the characters that make them.
    QString titles = m_module.LoadedTitles;
    titles.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (titles.endsWith(u'\n'))
        titles.chop(1);
    m_ui->Text1->setPlainText(titles);
    m_ui->Label10->setText(m_module.VersionText);

    {
        const QSignalBlocker block(m_ui->List1);
        m_ui->List1->clear();
        m_ui->List1->addItems(PartListEntries(m_module));
    }
    showFont();
    m_ui->Text5->setText(QString::number(m_module.BankQuestionCount));
    m_ui->Text6->setText(m_module.options.SheetLogo);
    m_module.QuestionCount = DefaultQuestionCount;
}

void frmSettei::clearList2()
{
    const QSignalBlocker block(m_ui->List2);
    m_ui->List2->clear();
}

void frmSettei::setPartSelection(bool selected)
{
    const QSignalBlocker block(m_ui->List1);
    for (int i = 0; i < m_ui->List1->count(); ++i)
        m_ui->List1->item(i)->setSelected(selected);
}

void frmSettei::List1_Click()
{
    clearList2();
    m_ui->List2->setEnabled(false);
    enableRuns(false);
    m_module.AllPartsChosen = 0;
}

void frmSettei::Command6_Click()
{
    QList<bool> selected;
    selected.reserve(m_ui->List1->count());
    for (int i = 0; i < m_ui->List1->count(); ++i)
        selected.append(m_ui->List1->item(i)->isSelected());
    decideRange(selected);
}

// The whole range is decided before the list shows it chosen, so that a refused
// decision leaves the window exactly as it was.
void frmSettei::Command5_Click()
{
    if (decideRange(QList<bool>(m_ui->List1->count(), true)))
        setPartSelection(true);
}

bool frmSettei::decideRange(const QList<bool> &selected)
{
    const RangeDecision decision = DecideRange(m_module, selected, m_dialogs);
    if (!decision.decided)
        return false;

    clearList2();
    m_ui->Text4->setText(QString::number(m_module.RangeQuestionCount));
    m_ui->List2->setEnabled(true);
    {
        const QSignalBlocker block(m_ui->List2);
        m_ui->List2->addItems(decision.countEntries);
        if (decision.selectedCountIndex >= 0 && decision.selectedCountIndex < m_ui->List2->count()) {
            m_ui->List2->setCurrentRow(decision.selectedCountIndex);
            m_ui->List2->scrollToItem(m_ui->List2->currentItem());
        }
    }
    enableRuns(true);
    return true;
}

// Starting over leaves the window as a run does, with no range chosen.
void frmSettei::Command7_Click()
{
    m_module.AllPartsChosen = 0;
    resetAfterRun();
}

void frmSettei::List2_Click()
{
    const QList<QListWidgetItem *> chosen = m_ui->List2->selectedItems();
    // Emptying the list is no choice of a count.
    if (chosen.isEmpty())
        return;
    m_module.QuestionCount = static_cast<std::int16_t>(m_ui->List2->row(chosen.first()) + 1);
}

void frmSettei::Option2_Click(int index)
{
    clearList2();
    m_ui->List2->setEnabled(false);
    enablePrint(false);
    m_ui->Command7->setEnabled(false);
    m_module.AllPartsChosen = 0;
    m_module.options.AnswerLayout = static_cast<std::int16_t>(index + 1);
}

void frmSettei::Check1_Click()
{
    m_module.options.AttachAnswers = m_ui->Check1->isChecked() ? 1 : 2;
}

void frmSettei::spnSheetCount_Change(int count)
{
    m_module.options.sheetCount = static_cast<std::int16_t>(std::clamp(count, 1, MaxSheetCount));
}

// Remembered as soon as chosen: they are how this teacher prints, not a choice of one run.
void frmSettei::printOptions_Change()
{
    m_module.options.paper
        = static_cast<Paper>(std::clamp(m_ui->cboPaper->currentIndex(), 0, static_cast<int>(Paper::A3TwoUp)));
    m_module.options.lineBreaks
        = m_ui->chkKeepWords->isChecked() ? WordBreaks::KeepWords : WordBreaks::Anywhere;
    m_module.options.overflow = m_ui->chkFit->isChecked() ? Overflow::ShrinkFirst : Overflow::Ask;
    m_module.options.pageBreaks
        = m_ui->chkKeepQuestions->isChecked() ? QuestionBreaks::KeepQuestions : QuestionBreaks::Anywhere;
    m_module.options.answerPages
        = m_ui->chkAnswersLast->isChecked() ? AnswerPlace::AllLast : AnswerPlace::AfterEachSheet;
    m_module.options.duplex
        = m_ui->chkDuplexPad->isChecked() ? DuplexPadding::BlankAfterOdd : DuplexPadding::None;
    m_module.options.choiceLabels
        = m_ui->chkChoiceDigits->isChecked() ? ChoiceLabels::Digits : ChoiceLabels::Kana;
    SavePrintOptions(m_module);
}

void frmSettei::showFont()
{
    m_ui->Text2->setText(m_module.options.FontName);
    // A stored face missing here prints in a stand-in; the teacher sees which.
    m_ui->Text2->setToolTip(QStringLiteral("印刷される書体: %1").arg(printedFace(m_module.options.FontName)));
    m_ui->Text3->setText(QString::number(m_module.options.FontSize));
}

void frmSettei::cmdFonts_Click(int index)
{
    if (index == 0) {
        m_module.options.FontName = DefaultFontName;
        m_module.options.FontSize = DefaultFontSize;
        showFont();
        return;
    }
    const std::optional<FontChoice> choice = m_dialogs.fontDialog(
        m_module.options.FontName, m_module.options.FontSize, FontDialogFlag::ScalableOnly);
    if (!choice || choice->face.isEmpty())
        return;
    const SettingsOutcome<std::int16_t> size = NormalizedFontSize(choice->size);
    if (!size.ok()) {
        m_dialogs.message(SettingsFailureMessage(size), ProgramTitle);
        return;
    }
    m_module.options.FontName = NormalizedFontName(choice->face);
    m_module.options.FontSize = size.value;
    showFont();
}

void frmSettei::Command1_Click()
{
    SaveFontSettings(m_module);
}

void frmSettei::Command4_Click()
{
    const QString answer
        = m_dialogs.inputBox(QStringLiteral("シートロゴを入力して下さい。"), ProgramTitle, DefaultSheetLogo);
    if (const SettingsOutcome<> checked = CheckSheetLogo(answer); !checked.ok())
        return m_dialogs.message(SettingsFailureMessage(checked), ProgramTitle);
    m_module.options.SheetLogo = answer.isEmpty() ? DefaultSheetLogo : answer;
    SaveSheetLogo(m_module);
    m_ui->Text6->clear();
    m_ui->Text6->setText(m_module.options.SheetLogo);
}

void frmSettei::cmdSetOK_Click()
{
    const std::optional<DrawSheet> draw = m_classControls->begin(RunOutput::Printed);
    if (!draw)
        return;
    if (const std::unique_ptr<PrintTarget> target = m_printTarget(PrintPurpose::Print)) {
        if (const PrintRunResult printed = PrintSheets(m_module, *target, m_dialogs, *draw);
            printed.printed()) {
            m_classes->record(RunOutput::Printed, printed.sheets);
            showSavedFile(*m_ui->lblStatus, printed.file);
        }
    }
    resetAfterRun();
}

// The same run as "印刷" without the print dialog: the preview has its own print
// button, which prints the very document shown.
void frmSettei::cmdPreview_Click()
{
    const std::optional<DrawSheet> draw = m_classControls->begin(RunOutput::Printed);
    if (!draw)
        return;
    try {
        if (const std::unique_ptr<PrintTarget> target = m_printTarget(PrintPurpose::Preview)) {
            if (PrintRunResult laid = LayOutPreview(m_module, *target, m_dialogs, *draw, OverflowPolicy::Ask);
                laid.printed()) {
                SheetSwap swap(m_module, m_classes->run(), target->surface(), laid, m_classes->seed());
                // Printed from the preview: the sheets as shown, swaps and all.
                if (ShowPreview(*target, m_dialogs, &swap).ok())
                    m_classes->record(RunOutput::Printed, swap.outcomes());
            }
        }
    } catch (const std::exception &e) {
        // What the run did not contain still says why, and the window stays usable.
        m_dialogs.message(
            PrintFailureMessage(PrintFailureKind::Unexpected, QString::fromUtf8(e.what())), ProgramTitle);
    }
    resetAfterRun();
}

void frmSettei::Command3_Click()
{
    exportTest([this](const DrawSheet &draw, const QStringList &inputs) {
        return SaveTestText(BuildSheetTexts(m_module, draw), m_dialogs, inputs, &m_module);
    });
}

void frmSettei::cmdDocument_Click()
{
    exportTest([this](const DrawSheet &draw, const QStringList &inputs) {
        return saveTestDocument(*buildTestDocument(m_module, draw), m_dialogs, inputs, &m_module);
    });
}

void frmSettei::exportTest(const ExportTest &save)
{
    const std::optional<DrawSheet> draw = m_classControls->begin(RunOutput::Exported);
    if (!draw)
        return;
    const TextExportOutcome saved = save(*draw, m_module.ChosenFileList.first(m_module.ChosenFileCount));
    if (saved.ok()) {
        m_classes->record(RunOutput::Exported, ExportedSheets(m_module));
        showSavedFile(*m_ui->lblStatus, saved.value.path);
    }
    resetAfterRun();
}

void frmSettei::cmdHistory_Click()
{
    HistoryWindow window(m_classes->history(), m_dialogs, m_printTarget, m_classControls->className(), this);
    window.exec();
}

// "プレビュー" is a way of printing: it goes with "印刷".
void frmSettei::enablePrint(bool on)
{
    m_ui->cmdSetOK->setEnabled(on);
    m_ui->cmdPreview->setEnabled(on);
}

// What a decided range allows: every run, and "最初から" to undo the decision.
void frmSettei::enableRuns(bool on)
{
    enablePrint(on);
    m_ui->Command3->setEnabled(on);
    m_ui->cmdDocument->setEnabled(on);
    m_ui->Command7->setEnabled(on);
}

void frmSettei::resetAfterRun()
{
    m_classes->end();
    clearList2();
    enableRuns(false);
    setPartSelection(false);
    m_ui->List2->setEnabled(false);
    m_ui->Text4->setText(QStringLiteral("0"));
    // Not on "戻る", where the disabled run buttons hand it: Enter there drops the loaded files.
    m_ui->List1->setFocus();
}

void frmSettei::Command2_Click()
{
    Q_EMIT returning();
    QDialog::reject();
}

} // namespace sorario
