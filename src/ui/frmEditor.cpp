// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmEditor.h"
#include "ui_frmEditor.h"

#include "bank/QuestionFiles.h"
#include "editor/EditorCheck.h"
#include "editor/EditorDialogs.h"
#include "editor/EditorExport.h"
#include "editor/EditorSave.h"
#include "editor/QuestionTableModel.h"
#include "exchange/QuestionCsv.h"
#include "platform/Dialogs.h"
#include "shared/Module1.h"
#include "shared/SheetTitle.h"
#include "ui/EditorColumns.h"
#include "ui/EditorKindActions.h"
#include "ui/SavedFile.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>

namespace sorario {
namespace {

constexpr double PreviewWidthMm = 175;
enum ProblemRole { PlaceRole = Qt::UserRole, IndexRole };

} // namespace

frmEditor::frmEditor(const Module1 &module, Dialogs &dlgs, RecoveryStore recovery, QWidget *parent)
    : QMainWindow(parent)
    , m_ui(std::make_unique<Ui::frmEditor>())
    , m_module(module)
    , m_dialogs(dlgs)
    , m_recovery(std::move(recovery))
{
    m_ui->setupUi(this);
    m_model = new QuestionTableModel(m_undo, this);
    m_ui->tblQuestions->setModel(m_model);
    m_rows = std::make_unique<TableRows>(*m_model, *m_ui->tblQuestions);
    layOutEditorColumns(*m_ui->tblQuestions);
    m_ui->splMain->setStretchFactor(0, 3);
    m_ui->splMain->setStretchFactor(1, 2);
    m_headerFields = {
        m_ui->txtTitle, m_ui->txtParts, m_ui->txtSheetCode, m_ui->txtLine4, m_ui->txtLine5, m_ui->txtLine6};
    for (int i = 0; i < m_headerFields.size(); ++i) {
        QLineEdit *field = m_headerFields[i];
        connect(field, &QLineEdit::editingFinished, this,
            [this, i, field] { m_model->editHeaderLine(i, field->text()); });
    }
    connect(m_model, &QuestionTableModel::headerLineChanged, this, [this](int i) {
        if (m_headerFields[i]->text() != m_model->headerLine(i))
            m_headerFields[i]->setText(m_model->headerLine(i));
    });
    connect(m_model, &QuestionTableModel::linesChanged, this, &frmEditor::recheck);
    connect(&m_undo, &QUndoStack::cleanChanged, this, &frmEditor::updateTitle);
    connect(m_ui->tblQuestions->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        &frmEditor::showPreview);
    connect(m_ui->lstProblems, &QListWidget::itemClicked, this, &frmEditor::lstProblems_Click);
    connect(m_ui->cmdFindNext, &QPushButton::clicked, this, &frmEditor::cmdFindNext_Click);
    connect(m_ui->cmdReplaceAll, &QPushButton::clicked, this, &frmEditor::cmdReplaceAll_Click);
    connectActions();
    m_ui->scrPreview->viewport()->installEventFilter(this);

    m_recoveryTimer.setInterval(RecoveryIntervalMs);
    connect(&m_recoveryTimer, &QTimer::timeout, this, &frmEditor::keepRecoveryCopy);
    m_recoveryTimer.start();
    startFile({}, QString(), Form::Plain);
}

frmEditor::~frmEditor()
{
    // The undo stack and the children outlive this part of the window: none may call back into it.
    m_undo.disconnect(this);
    m_model->disconnect(this);
    m_ui->tblQuestions->selectionModel()->disconnect(this);
    for (QLineEdit *field : std::as_const(m_headerFields))
        field->disconnect(this); // a field losing focus as the window closes
}

void frmEditor::connectActions()
{
    connect(m_ui->actNew, &QAction::triggered, this, &frmEditor::actNew_triggered);
    connect(m_ui->actOpen, &QAction::triggered, this, &frmEditor::actOpen_triggered);
    connect(m_ui->actSave, &QAction::triggered, this, &frmEditor::actSave_triggered);
    connect(m_ui->actSaveAs, &QAction::triggered, this, &frmEditor::actSaveAs_triggered);
    connect(m_ui->actSaveEncoded, &QAction::triggered, this, &frmEditor::actSaveEncoded_triggered);
    connect(m_ui->actExportCsv, &QAction::triggered, this, &frmEditor::actExportCsv_triggered);
    connect(m_ui->actImportCsv, &QAction::triggered, this, &frmEditor::actImportCsv_triggered);
    connect(m_ui->actExportBank, &QAction::triggered, this,
        [this] { showSaved(exportOnlineBank(m_dialogs, m_model->lines(), m_path, questionFolder())); });
    connect(m_ui->actClose, &QAction::triggered, this, &QWidget::close);
    connect(m_ui->actUndo, &QAction::triggered, &m_undo, &QUndoStack::undo);
    connect(m_ui->actRedo, &QAction::triggered, &m_undo, &QUndoStack::redo);
    connect(&m_undo, &QUndoStack::canUndoChanged, m_ui->actUndo, &QAction::setEnabled);
    connect(&m_undo, &QUndoStack::canRedoChanged, m_ui->actRedo, &QAction::setEnabled);
    m_rows->connectActions(*m_ui->actInsertRow, *m_ui->actInsertRowBelow, *m_ui->actAppendRow,
        *m_ui->actDeleteRows, *m_ui->actMoveUp, *m_ui->actMoveDown);
    connect(m_ui->actCopy, &QAction::triggered, this,
        [this] { QGuiApplication::clipboard()->setText(m_rows->copyRows()); });
    connect(m_ui->actPaste, &QAction::triggered, this, &frmEditor::actPaste_triggered);
    new EditorKindActions(
        *m_ui->actWordOrder, *m_ui->actChoices, *m_ui->tblQuestions, *m_model, *statusBar());
}

void frmEditor::startFile(const QStringList &lines, const QString &path, Form form)
{
    m_model->setLines(lines);
    m_path = path;
    m_form = form;
    m_ui->actUndo->setEnabled(false);
    m_ui->actRedo->setEnabled(false);
    updateTitle();
    if (m_model->questionCount() > 0)
        m_ui->tblQuestions->setCurrentIndex(m_model->index(0, QuestionTableModel::QuestionColumn));
}

bool frmEditor::openFile(const QString &path)
{
    const QuestionFileRead read = ReadQuestionFile(path);
    if (read.fault != LoadFault::None) {
        m_dialogs.message(LoadFailureMessage(read, path), EditorTitle);
        return false;
    }
    startFile(read.countedLines(), path, read.encoded ? Form::Encoded : Form::Plain);
    return true;
}

bool frmEditor::offerRecovery()
{
    for (const RecoveryStore::Copy &copy : m_recovery.pending()) {
        const QString name = copy.originalPath.isEmpty() ? QStringLiteral("（新しいファイル）")
                                                         : QDir::toNativeSeparators(copy.originalPath);
        const MessageAnswer answer = m_dialogs.messageBox(
            QStringLiteral("保存されずに終わった編集が残っています。\n%1\n復元しますか？").arg(name),
            MessageButtons::YesNoCancel, MessageIcon::Question, EditorTitle);
        if (answer == MessageAnswer::Cancel)
            continue;
        if (answer == MessageAnswer::No) {
            m_recovery.drop(copy);
            continue;
        }
        m_recovery.adopt(copy);
        startFile(copy.lines, copy.originalPath, Form::Plain);
        // Restored edits are not on disk yet.
        m_undo.resetClean();
        m_recoveryKey = copy.originalPath;
        updateTitle();
        return true;
    }
    return false;
}

void frmEditor::keepRecoveryCopy()
{
    if (!isModified())
        return;
    if (m_recoveryKey != m_path)
        m_recovery.discard(m_recoveryKey);
    m_recoveryKey = m_path;
    m_recovery.keep({m_path, m_model->lines()});
}

// The preview is drawn to the width of its panel.
bool frmEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_ui->scrPreview->viewport() && event->type() == QEvent::Resize)
        showPreview();
    return QMainWindow::eventFilter(watched, event);
}

void frmEditor::closeEvent(QCloseEvent *event)
{
    if (!keepOrDropChanges()) {
        event->ignore();
        return;
    }
    m_recovery.discard(m_recoveryKey);
    m_recoveryTimer.stop();
    event->accept();
}

// True when the window may go on to another file or close.
bool frmEditor::keepOrDropChanges()
{
    if (!isModified())
        return true;
    const QString name = m_path.isEmpty() ? QStringLiteral("新しいファイル") : QFileInfo(m_path).fileName();
    switch (m_dialogs.messageBox(QStringLiteral("「%1」の変更を保存しますか？").arg(name),
        MessageButtons::YesNoCancel, MessageIcon::Question, EditorTitle)) {
    case MessageAnswer::Yes:
        return actSave_triggered();
    case MessageAnswer::No:
        return true;
    default:
        return false;
    }
}

void frmEditor::actNew_triggered()
{
    if (!keepOrDropChanges())
        return;
    m_recovery.discard(m_recoveryKey);
    startFile({}, QString(), Form::Plain);
}

void frmEditor::actOpen_triggered()
{
    if (!keepOrDropChanges())
        return;
    const std::optional<QString> path
        = m_dialogs.openDialog(questionFileDialog(QStringLiteral("問題ファイルを開く"), FileUse::Open));
    if (path && !path->isEmpty()) {
        m_recovery.discard(m_recoveryKey);
        openFile(*path);
    }
}

bool frmEditor::actSave_triggered()
{
    if (m_path.isEmpty())
        return actSaveAs_triggered();
    return saveTo(m_path, m_form);
}

bool frmEditor::actSaveAs_triggered()
{
    const std::optional<QString> path = askSavePath(Form::Plain);
    return path && saveTo(*path, Form::Plain);
}

void frmEditor::actSaveEncoded_triggered()
{
    if (const std::optional<QString> path = askSavePath(Form::Encoded))
        saveTo(*path, Form::Encoded);
}

std::optional<QString> frmEditor::askSavePath(Form form)
{
    FileDialogOptions options = questionFileDialog(
        form == Form::Encoded ? QStringLiteral("暗号化して保存") : QStringLiteral("問題ファイルの保存"),
        FileUse::Save);
    options.fileName = m_path.isEmpty() ? m_model->headerLine(0) : QFileInfo(m_path).fileName();
    options.initialDir = questionFolder();
    const std::optional<QString> path = m_dialogs.saveDialog(options);
    if (!path || path->isEmpty())
        return std::nullopt;
    return path;
}

bool frmEditor::saveTo(const QString &path, Form form)
{
    const EditorSaveOutcome outcome = saveEditedLines(path, m_model->lines(), form);
    if (!outcome.ok()) {
        m_dialogs.message(editorSaveMessage(*outcome.fault, outcome.detail), EditorTitle);
        return false;
    }
    m_recovery.discard(m_recoveryKey);
    m_recoveryKey = path;
    m_path = path;
    m_form = form;
    m_undo.setClean();
    updateTitle();
    showSaved(path);
    Q_EMIT saved(path);
    return true;
}

void frmEditor::actExportCsv_triggered()
{
    showSaved(exportQuestionCsv(m_dialogs, m_model->lines(), m_path, questionFolder()));
}

QString frmEditor::questionFolder() const
{
    return sheetFolder({m_path.isEmpty() ? m_module.CurrentFolder : m_path});
}

void frmEditor::showSaved(const std::optional<QString> &path)
{
    if (path)
        statusBar()->showMessage(savedFileText(*path));
}

void frmEditor::actImportCsv_triggered()
{
    if (!keepOrDropChanges())
        return;
    const std::optional<QString> path
        = m_dialogs.openDialog(csvFileDialog(QStringLiteral("CSV を読み込む"), FileUse::Open));
    if (!path || path->isEmpty())
        return;
    // Empty answers are warned of by the editor's own check, as in any file.
    const QuestionCsvRead read = readQuestionCsvFile(*path);
    if (!read.ok()) {
        m_dialogs.message(csvRefusalText(read, QDir::toNativeSeparators(*path)), EditorTitle);
        return;
    }
    m_recovery.discard(m_recoveryKey);
    startFile(read.value.lines, QString(), Form::Plain);
    // The table becomes a question file only when saved.
    m_undo.resetClean();
    updateTitle();
}

void frmEditor::updateTitle()
{
    const QString name = m_path.isEmpty() ? QStringLiteral("新しいファイル") : QFileInfo(m_path).fileName();
    setWindowTitle(EditorTitle + QStringLiteral(" - ") + name + QStringLiteral("[*]"));
    setWindowModified(isModified());
}

void frmEditor::actPaste_triggered()
{
    if (const int row = m_rows->pasteRows(QGuiApplication::clipboard()->text()))
        m_dialogs.message(
            QStringLiteral(
                "貼り付ける %1 行目のセルに改行があります。問題ファイルの1行には改行を入れられません。")
                .arg(row),
            EditorTitle);
}

void frmEditor::cmdFindNext_Click()
{
    if (!m_rows->findNext(m_ui->txtFind->text()))
        statusBar()->showMessage(QStringLiteral("見つかりません。"), 5000);
}

void frmEditor::cmdReplaceAll_Click()
{
    const ReplaceOutcome outcome = m_model->replaceAll(m_ui->txtFind->text(), m_ui->txtReplace->text());
    if (!outcome.ok()) {
        m_dialogs.messageBox(
            QStringLiteral("置換すると %1 文字を超えるセルができるため、置換しませんでした。")
                .arg(MaxLineLength),
            MessageButtons::Ok, MessageIcon::Exclamation, EditorTitle);
        return;
    }
    statusBar()->showMessage(QStringLiteral("%1 個のセルを置換しました。").arg(outcome.value), 5000);
}

void frmEditor::lstProblems_Click()
{
    const QListWidgetItem *item = m_ui->lstProblems->currentItem();
    if (!item)
        return;
    const int index = item->data(IndexRole).toInt();
    if (item->data(PlaceRole).toInt() == int(EditorProblem::Place::Header)) {
        m_headerFields[index]->setFocus();
        return;
    }
    m_ui->tblQuestions->setCurrentIndex(m_model->index(index, QuestionTableModel::QuestionColumn));
    m_ui->tblQuestions->setFocus();
}

// The loader's rules on the lines as they now stand: rows marked, problems listed.
void frmEditor::recheck()
{
    const QStringList lines = m_model->lines();
    const QList<EditorProblem> problems = checkEditedLines(lines);
    QHash<int, QStringList> byRow;
    m_ui->lstProblems->clear();
    for (const EditorProblem &p : problems) {
        QString where = p.place == EditorProblem::Place::Header ? QStringLiteral("見出し")
                                                                : QStringLiteral("%1 問目").arg(p.index + 1);
        auto *item = new QListWidgetItem(where + QStringLiteral("　") + p.message, m_ui->lstProblems);
        item->setData(PlaceRole, int(p.place));
        item->setData(IndexRole, p.index);
        if (p.place == EditorProblem::Place::Row)
            byRow[p.index].append(p.message);
    }
    m_model->setRowProblems(byRow);
    m_model->setParts(partOfQuestions(lines));
    showPreview();
}

void frmEditor::showPreview()
{
    const QModelIndex current = m_ui->tblQuestions->currentIndex();
    if (!current.isValid()) {
        m_ui->lblPreview->clear();
        return;
    }
    // The sheet's width fills the panel.
    const double pixelsPerMm = std::max(m_ui->scrPreview->viewport()->width() - 4, 200) / PreviewWidthMm;
    const QImage image = m_preview.render(m_model->record(current.row()), 1, m_module.options.FontName,
        m_module.options.FontSize, pixelsPerMm, m_module.options.choiceLabels);
    m_ui->lblPreview->setPixmap(QPixmap::fromImage(image));
}

} // namespace sorario
