// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AnalysisWindow.h"
#include "ui_AnalysisWindow.h"

#include "ui/DisplayRunsDelegate.h"
#include "ui/SavedFile.h"
#include "ui/ScoreChart.h"

#include "editor/EditorDialogs.h"
#include "history/AnalysisCsv.h"
#include "history/AnalysisPage.h"
#include "history/HistoryStore.h"
#include "history/Marks.h"
#include "history/ScoreBins.h"
#include "history/ScoresCsv.h"
#include "platform/Dialogs.h"
#include "platform/SafeWrite.h"
#include "print/PrintRun.h"
#include "print/PrintSurface.h"
#include "print/QtPrintTarget.h"
#include "setup/SheetPrinting.h"
#include "shared/Module1.h"
#include "shared/SheetTitle.h"

#include <QDir>
#include <QHash>
#include <QHeaderView>
#include <QSignalBlocker>

namespace sorario {
namespace {

constexpr int QuestionColumn = 0;
constexpr int RateColumn = 4;

QString rateText(const QuestionResult &q)
{
    return PointsText(q.correctPermille()) + u'%';
}

} // namespace

AnalysisWindow::AnalysisWindow(const HistoryStore &store, Dialogs &dialogs, const QString &className,
    std::optional<RecordedRun> run, PrintTargetFactory targets, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::AnalysisWindow>())
    , m_store(store)
    , m_dialogs(dialogs)
    , m_targets(targets ? std::move(targets) : MakeQtPrintTarget)
    , m_run(std::move(run))
{
    m_ui->setupUi(this);
    m_ui->lstQuestions->setItemDelegate(new DisplayRunsDelegate(m_ui->lstQuestions));
    m_ui->lstQuestions->header()->setStretchLastSection(false);
    m_ui->lstQuestions->header()->setSectionResizeMode(QuestionColumn, QHeaderView::Stretch);
    m_ui->splitter->setSizes({260, 340});
    for (QDateEdit *date : {m_ui->dtFrom, m_ui->dtTo})
        date->setDate(QDate::currentDate());
    if (m_run && !m_run->sheets.isEmpty())
        m_ui->optRun->setText(QStringLiteral("選んだ印刷（%1）").arg(m_run->sheets.first().sheetNumber));
    m_ui->optRun->setEnabled(m_run.has_value());

    const HistoryStore::KeptOpen open = m_store.keepOpen(); // the classes, then the first analysis
    const HistoryOutcome<QStringList> classes = m_store.classes();
    if (!classes.ok())
        m_dialogs.message(HistoryFailureMessage(m_store.path(), classes), ProgramTitle);
    {
        const QSignalBlocker blockClass(m_ui->cboClass);
        const QSignalBlocker blockCompare(m_ui->cboCompare);
        m_ui->cboClass->addItems(classes.value);
        m_ui->cboClass->setCurrentIndex(std::max<int>(classes.value.indexOf(className), 0));
        m_ui->cboCompare->addItem(QStringLiteral("（なし）"));
        m_ui->cboCompare->addItems(classes.value);
    }
    connect(m_ui->chkFrom, &QCheckBox::toggled, m_ui->dtFrom, &QWidget::setEnabled);
    connect(m_ui->chkTo, &QCheckBox::toggled, m_ui->dtTo, &QWidget::setEnabled);
    for (QCheckBox *box : {m_ui->chkFrom, m_ui->chkTo})
        connect(box, &QCheckBox::toggled, this, &AnalysisWindow::scope_Change);
    for (QDateEdit *date : {m_ui->dtFrom, m_ui->dtTo})
        connect(date, &QDateEdit::dateChanged, this, &AnalysisWindow::scope_Change);
    for (QComboBox *box : {m_ui->cboClass, m_ui->cboCompare})
        connect(box, &QComboBox::currentIndexChanged, this, &AnalysisWindow::scope_Change);
    connect(m_ui->optRun, &QRadioButton::toggled, this, &AnalysisWindow::scope_Change);
    connect(m_ui->cmdCsv, &QPushButton::clicked, this, &AnalysisWindow::cmdCsv_Click);
    connect(m_ui->cmdPrint, &QPushButton::clicked, this, &AnalysisWindow::cmdPrint_Click);
    connect(m_ui->cmdScores, &QPushButton::clicked, this, &AnalysisWindow::cmdScores_Click);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    scope_Change();
}

AnalysisWindow::~AnalysisWindow() = default;

std::optional<Analysis> AnalysisWindow::read(const AnalysisScope &scope)
{
    const HistoryOutcome<Analysis> read = m_store.analysis(scope);
    if (!read.ok())
        m_dialogs.message(HistoryFailureMessage(m_store.path(), read), ProgramTitle);
    if (!read.ok() || read.value.scores.count == 0)
        return std::nullopt;
    return read.value;
}

void AnalysisWindow::scope_Change()
{
    const bool byRun = m_ui->optRun->isChecked() && m_run;
    for (QWidget *w : {static_cast<QWidget *>(m_ui->cboClass), static_cast<QWidget *>(m_ui->chkFrom),
             static_cast<QWidget *>(m_ui->chkTo), static_cast<QWidget *>(m_ui->cboCompare)})
        w->setEnabled(!byRun);
    m_ui->dtFrom->setEnabled(!byRun && m_ui->chkFrom->isChecked());
    m_ui->dtTo->setEnabled(!byRun && m_ui->chkTo->isChecked());

    m_scope = byRun ? AnalysisScope {.runId = m_run->id, .className = m_run->className}
                    : AnalysisScope {.className = m_ui->cboClass->currentText()};
    if (!byRun && m_ui->chkFrom->isChecked())
        m_scope.from = m_ui->dtFrom->date();
    if (!byRun && m_ui->chkTo->isChecked())
        m_scope.to = m_ui->dtTo->date();
    m_analysis.reset();
    std::optional<Analysis> beside;
    QList<ChartedScores> charted;
    QStringList summary;
    if (const PeriodOutcome<> period = CheckPeriod(m_scope); !period.ok()) {
        summary.append(PeriodFailureMessage(period));
    } else if (!m_scope.className.isEmpty()) {
        const HistoryStore::KeptOpen open = m_store.keepOpen();
        m_analysis = read(m_scope);
        summary.append(
            m_analysis ? AnalysisSummaryText(m_scope.className, *m_analysis) : NoMarksMessage(m_scope));
        if (m_analysis)
            charted.append({m_scope.className, m_analysis->scores});
        AnalysisScope other = m_scope;
        other.className = m_ui->cboCompare->currentText();
        if (!byRun && m_ui->cboCompare->currentIndex() > 0) {
            beside = read(other);
            summary.append(beside ? AnalysisSummaryText(other.className, *beside) : NoMarksMessage(other));
            if (beside)
                charted.append({other.className, beside->scores});
        }
    }
    m_ui->lblSummary->setText(summary.join(u'\n'));
    m_ui->chtScores->showChart(ScoresChart(charted));
    showQuestions(beside);
    m_ui->cmdCsv->setEnabled(m_analysis.has_value());
    m_ui->cmdPrint->setEnabled(m_analysis.has_value());
    m_ui->cmdScores->setEnabled(m_analysis.has_value());
}

void AnalysisWindow::showQuestions(const std::optional<Analysis> &beside)
{
    QTreeWidget &list = *m_ui->lstQuestions;
    list.clear();
    list.setColumnCount(beside ? RateColumn + 2 : RateColumn + 1);
    // Beside another class, each rate is named by its class.
    const QString rate = QStringLiteral("正答率");
    list.headerItem()->setText(RateColumn, beside ? m_scope.className + u' ' + rate : rate);
    if (beside)
        list.headerItem()->setText(RateColumn + 1, m_ui->cboCompare->currentText() + u' ' + rate);
    if (!m_analysis)
        return;
    QHash<QString, const QuestionResult *> other;
    if (beside)
        for (const QuestionResult &q : beside->questions)
            other.insert(q.key, &q);
    const QList<DisplayLine> lines = AnalysisQuestionLines(m_analysis->questions);
    for (qsizetype i = 0; i < m_analysis->questions.size(); ++i) {
        const QuestionResult &q = m_analysis->questions[i];
        auto *item = new QTreeWidgetItem(&list);
        setDisplayLine(*item, lines.value(i));
        item->setText(1, QString::number(q.right));
        item->setText(2, QString::number(q.wrong));
        item->setText(3, QString::number(q.partial));
        item->setText(RateColumn, rateText(q));
        if (const QuestionResult *o = other.value(q.key))
            item->setText(RateColumn + 1, rateText(*o));
        for (int c = 1; c < list.columnCount(); ++c)
            item->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c = 1; c < list.columnCount(); ++c)
        list.resizeColumnToContents(c);
}

void AnalysisWindow::cmdCsv_Click()
{
    if (!m_analysis)
        return;
    FileDialogOptions options = csvFileDialog(QStringLiteral("分析を CSV に保存"), FileUse::Save);
    options.fileName = QStringLiteral("分析_%1.csv").arg(m_scope.className);
    options.initialDir = ScopeFolder(m_store, m_scope);
    const std::optional<QString> path = m_dialogs.saveDialog(options);
    if (!path || path->isEmpty())
        return;
    // A table written over the history would lose every record.
    WriteOutcome written = checkWriteTarget(*path, {m_store.path()});
    if (written.ok())
        written = WriteAnalysisCsv(*path, *m_analysis);
    showWritten(written, *path);
}

void AnalysisWindow::cmdPrint_Click()
{
    const std::unique_ptr<PrintTarget> target = m_analysis ? m_targets(PrintPurpose::Print) : nullptr;
    if (!target)
        return;
    const AnalysisPrint print {m_scope.className,
        AnalysisScopeText(m_scope, m_run ? m_run->sheets.value(0).sheetNumber : QString()), *m_analysis,
        m_ui->cboPaper->currentIndex() == 1 ? Paper::A4 : Paper::B5};
    target->proposeFile(
        QDir(ScopeFolder(m_store, m_scope)).filePath(QStringLiteral("分析_%1.pdf").arg(print.className)));
    target->surface().setPaperPlacing(print.paper); // shown in the print dialog
    if (!m_dialogs.printDialog(target->printer(), SheetPrintDialogFlags))
        return;
    // A PDF printed over the history would lose every record.
    const QString file = target->settleDestination();
    if (!MayPrintTo(file, {m_store.path()}, m_dialogs).ok())
        return;
    PrintSurface &surface = target->surface();
    const PrintOutcome printed = ContainPrintFailure(surface, [&] {
        PrintAnalysis(surface, print);
        return PrintOutcome {};
    });
    if (PrintFailed(printed))
        m_dialogs.message(PrintFailureMessage(*printed.fault, printed.detail), ProgramTitle);
    else if (printed.ok())
        showSavedFile(*m_ui->lblStatus, file);
}

void AnalysisWindow::cmdScores_Click()
{
    const HistoryOutcome<ScoreTable> table = ReadScores(m_store, m_scope);
    if (!table.ok() || table.value.pupils.isEmpty()) {
        m_dialogs.message(
            table.ok() ? NoPupilScoresMessage(m_scope) : HistoryFailureMessage(m_store.path(), table),
            ProgramTitle);
        return;
    }
    FileDialogOptions options = csvFileDialog(QStringLiteral("成績を CSV に書き出す"), FileUse::Save);
    options.fileName
        = sheetFileName(QStringLiteral("成績_%1").arg(m_scope.className)) + QStringLiteral(".csv");
    options.initialDir = table.value.folder;
    const std::optional<QString> path = m_dialogs.saveDialog(options);
    if (!path || path->isEmpty())
        return;
    // A table written over the history would lose every record.
    WriteOutcome written = checkWriteTarget(*path, {m_store.path()});
    if (written.ok())
        written = WriteScoresCsv(*path, table.value);
    showWritten(written, *path);
}

void AnalysisWindow::showWritten(const WriteOutcome &written, const QString &path)
{
    if (written.ok())
        showSavedFile(*m_ui->lblStatus, path);
    else
        m_dialogs.message(writeFailureMessage(written, path), ProgramTitle);
}

} // namespace sorario
