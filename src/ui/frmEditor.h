// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "editor/EditorSave.h"
#include "editor/QuestionPreview.h"
#include "editor/RecoveryStore.h"
#include "ui/TableRows.h"

#include <QMainWindow>
#include <QTimer>
#include <QUndoStack>

#include <memory>
#include <optional>

class QLineEdit;

namespace Ui {
class frmEditor;
}

namespace sorario {

struct Module1;
class Dialogs;
class QuestionTableModel;

// 問題ファイル編集: a question file's header lines as fields and its questions as a
// table, with undo, the loader's own check live, a preview of the selected question
// through the print engine, and saving in the plain or the encoded form.
class frmEditor : public QMainWindow
{
    Q_OBJECT

public:
    // `m` gives the question font the preview uses.
    frmEditor(const Module1 &m, Dialogs &dialogs, RecoveryStore recovery = RecoveryStore(),
        QWidget *parent = nullptr);
    ~frmEditor() override;

    // Opens a question file; false (with the reasons shown) when the loader would refuse it.
    bool openFile(const QString &path);
    // Offers the copies of edits a crash left behind; true when one was taken up.
    bool offerRecovery();

    QString filePath() const { return m_path; }
    bool isModified() const { return !m_undo.isClean(); }
    QuestionTableModel &model() { return *m_model; }

    // How often a copy of unsaved edits is kept.
    static constexpr int RecoveryIntervalMs = 60 * 1000;

Q_SIGNALS:
    // A file was written; the main window lists it.
    void saved(const QString &path);

public Q_SLOTS:
    void keepRecoveryCopy();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private Q_SLOTS:
    void actNew_triggered();
    void actOpen_triggered();
    bool actSave_triggered();
    bool actSaveAs_triggered();
    void actSaveEncoded_triggered();
    void actExportCsv_triggered();
    void actImportCsv_triggered();
    void actPaste_triggered();
    void cmdFindNext_Click();
    void cmdReplaceAll_Click();
    void lstProblems_Click();

private:
    using Form = QuestionFileForm;

    void connectActions();
    void startFile(const QStringList &lines, const QString &path, Form form);
    bool keepOrDropChanges();
    bool saveTo(const QString &path, Form form);
    std::optional<QString> askSavePath(Form form);
    // Where every save proposes: the file's folder, or the main window's for a new one.
    QString questionFolder() const;
    // The status line says where a file went.
    void showSaved(const std::optional<QString> &path);
    void recheck();
    void showPreview();
    void updateTitle();

    std::unique_ptr<Ui::frmEditor> m_ui;
    const Module1 &m_module;
    Dialogs &m_dialogs;
    RecoveryStore m_recovery;
    QUndoStack m_undo;
    QuestionTableModel *m_model = nullptr;
    std::unique_ptr<TableRows> m_rows;
    QList<QLineEdit *> m_headerFields;
    QuestionPreview m_preview;
    QTimer m_recoveryTimer;
    QString m_path;
    QString m_recoveryKey; // the path the last recovery copy was kept under
    Form m_form = Form::Plain;
};

} // namespace sorario
