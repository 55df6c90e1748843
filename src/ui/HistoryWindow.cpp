// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HistoryWindow.h"
#include "ui_HistoryWindow.h"

#include "ui/AnalysisWindow.h"
#include "ui/DisplayRunsDelegate.h"
#include "ui/MarkingWindow.h"
#include "ui/SavedFile.h"

#include "history/HistoryStore.h"
#include "history/RunNumber.h"
#include "platform/Dialogs.h"
#include "print/PrintRun.h"
#include "print/QuestionDisplay.h"
#include "print/SheetHeader.h"
#include "setup/Reprint.h"
#include "setup/SheetPrinting.h"
#include "shared/ProgramConstants.h"

#include <QFileInfo>
#include <QSignalBlocker>

namespace sorario {

HistoryWindow::HistoryWindow(const HistoryStore &store, Dialogs &dialogs, PrintTargetFactory targets,
    const QString &className, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::HistoryWindow>())
    , m_store(store)
    , m_dialogs(dialogs)
    , m_targets(std::move(targets))
{
    m_ui->setupUi(this);
    m_ui->lstQuestions->setItemDelegate(new DisplayRunsDelegate(m_ui->lstQuestions));
    connect(m_ui->cboClass, &QComboBox::currentTextChanged, this, &HistoryWindow::cboClass_Change);
    connect(m_ui->lstSheets, &QTreeWidget::itemSelectionChanged, this, &HistoryWindow::lstSheets_Click);
    connect(m_ui->cmdReprint, &QPushButton::clicked, this, &HistoryWindow::cmdReprint_Click);
    connect(m_ui->cmdPreview, &QPushButton::clicked, this, &HistoryWindow::cmdPreview_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_ui->cmdFind, &QPushButton::clicked, this, &HistoryWindow::cmdFind_Click);
    connect(m_ui->cmdMarks, &QPushButton::clicked, this, &HistoryWindow::cmdMarks_Click);
    connect(m_ui->cmdAnalysis, &QPushButton::clicked, this, &HistoryWindow::cmdAnalysis_Click);
    connect(m_ui->txtFind, &QLineEdit::returnPressed, this, &HistoryWindow::cmdFind_Click);

    const HistoryStore::KeptOpen open = m_store.keepOpen(); // the classes, then the first class's runs
    const HistoryOutcome<QStringList> classes = m_store.classes();
    if (!classes.ok())
        m_dialogs.message(HistoryFailureMessage(m_store.path(), classes), ProgramTitle);
    {
        const QSignalBlocker block(m_ui->cboClass);
        m_ui->cboClass->addItems(classes.value);
        m_ui->cboClass->setCurrentIndex(std::max<int>(classes.value.indexOf(className), 0));
    }
    cboClass_Change();
}

HistoryWindow::~HistoryWindow() = default;

void HistoryWindow::cboClass_Change()
{
    m_ui->lstSheets->clear();
    m_ui->lstQuestions->clear();
    m_rows.clear();
    m_runs.clear();
    const QString className = m_ui->cboClass->currentText();
    if (!className.isEmpty()) {
        const HistoryOutcome<QList<RecordedRun>> runs = m_store.runs(className);
        if (!runs.ok())
            m_dialogs.message(HistoryFailureMessage(m_store.path(), runs), ProgramTitle);
        m_runs = runs.value;
    }
    for (int r = 0; r < m_runs.size(); ++r) {
        const RecordedRun &run = m_runs[r];
        QStringList files;
        for (const RecordedFile &f : run.files)
            files.append(QFileInfo(f.path).fileName());
        for (int k = 0; k < run.sheets.size(); ++k) {
            const RecordedSheet &sheet = run.sheets[k];
            m_ui->lstSheets->addTopLevelItem(
                new QTreeWidgetItem({RunTimeText(sheet.printedAt), sheet.sheetNumber,
                    files.join(QStringLiteral("、")), QString::number(sheet.questions.size())}));
            m_rows.append({r, k});
        }
    }
    m_ui->lstSheets->resizeColumnToContents(0);
    m_ui->lstSheets->resizeColumnToContents(1);
    const bool any = !m_rows.isEmpty();
    m_ui->cmdReprint->setEnabled(any);
    m_ui->cmdPreview->setEnabled(any);
    m_ui->cmdMarks->setEnabled(any);
    m_ui->cmdAnalysis->setEnabled(any);
    if (any)
        m_ui->lstSheets->setCurrentItem(m_ui->lstSheets->topLevelItem(0));
}

void HistoryWindow::lstSheets_Click()
{
    m_ui->lstQuestions->clear();
    m_ui->lblNote->clear();
    const int row = m_ui->lstSheets->indexOfTopLevelItem(m_ui->lstSheets->currentItem());
    if (row < 0 || row >= m_rows.size())
        return;
    const auto [r, k] = m_rows[row];
    // As the answer page prints them: the question, its hint line, the answer.
    const RecordedSheet &sheet = m_runs[r].sheets[k];
    const SheetKey key = KindsKeyOf(sheet.sheetNumber, m_runs[r].options.sheet.choiceLabels);
    for (const DisplayLine &line : AnswerDisplayLines(sheet.questions, key))
        setDisplayLine(*new QListWidgetItem(m_ui->lstQuestions), line);
}

void HistoryWindow::cmdFind_Click()
{
    const QString typed = m_ui->txtFind->text().trimmed();
    const HistoryOutcome<QList<FoundSheets>> found = m_store.findSheets(typed);
    if (!found.ok() || found.value.size() != 1)
        m_dialogs.message(
            found.ok() ? FoundSheetsText(typed, found.value) : HistoryFailureMessage(m_store.path(), found),
            ProgramTitle);
    if (found.value.isEmpty())
        return;
    // Of runs that share an older number, the newest of the class shown, else the newest.
    const FoundSheets *hit = &found.value.first();
    for (const FoundSheets &f : found.value)
        if (f.run.className == m_ui->cboClass->currentText()) {
            hit = &f;
            break;
        }
    m_ui->cboClass->setCurrentText(hit->run.className);
    const QString number = hit->run.sheets.value(hit->sheets.value(0)).sheetNumber;
    for (int row = 0; row < m_rows.size(); ++row) {
        const auto [r, k] = m_rows[row];
        if (m_runs[r].when == hit->run.when && m_runs[r].sheets[k].sheetNumber == number) {
            m_ui->lstSheets->setCurrentItem(m_ui->lstSheets->topLevelItem(row));
            return;
        }
    }
}

void HistoryWindow::cmdMarks_Click()
{
    const int row = m_ui->lstSheets->indexOfTopLevelItem(m_ui->lstSheets->currentItem());
    if (row < 0 || row >= m_rows.size())
        return;
    const auto [r, k] = m_rows[row];
    MarkingWindow marking(m_store, m_dialogs, m_runs[r], k, this);
    marking.exec();
}

void HistoryWindow::cmdAnalysis_Click()
{
    const int row = m_ui->lstSheets->indexOfTopLevelItem(m_ui->lstSheets->currentItem());
    std::optional<RecordedRun> run;
    if (row >= 0 && row < m_rows.size())
        run = m_runs[m_rows[row].first];
    AnalysisWindow analysis(m_store, m_dialogs, m_ui->cboClass->currentText(), run, m_targets, this);
    analysis.exec();
}

void HistoryWindow::cmdReprint_Click()
{
    reprint(PrintPurpose::Print);
}

void HistoryWindow::cmdPreview_Click()
{
    reprint(PrintPurpose::Preview);
}

void HistoryWindow::reprint(PrintPurpose purpose)
{
    const int row = m_ui->lstSheets->indexOfTopLevelItem(m_ui->lstSheets->currentItem());
    if (row < 0 || row >= m_rows.size() || !m_targets)
        return;
    const auto [r, k] = m_rows[row];
    const RecordedRun &run = m_runs[r];
    const ReprintOutcome reprint = reprintOf(run, {k});
    m_ui->lblNote->setText(reprint.value.notes.join(QStringLiteral("　")));
    if (!reprint.ok()) {
        m_dialogs.message(ReprintFailureMessage(reprint), ProgramTitle);
        return;
    }
    const std::unique_ptr<PrintTarget> target = m_targets(purpose);
    if (!target)
        return;
    const Reprint &sheets = reprint.value;
    if (purpose != PrintPurpose::Preview) {
        if (const PrintRunResult printed = PrintSheets(sheets.job, sheets.files, *target, m_dialogs);
            printed.printed() && !printed.file.isEmpty())
            m_ui->lblNote->setText(savedFileText(printed.file));
    } else if (LayOutPreview(sheets.job, sheets.files, *target, m_dialogs).printed())
        static_cast<void>(ShowPreview(*target, m_dialogs)); // a reprint records nothing new
}

} // namespace sorario
