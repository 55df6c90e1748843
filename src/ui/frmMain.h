// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/QuestionFileList.h"
#include "ui/Volumes.h"
#include "ui/frmSettei.h"

#include <QFileSystemWatcher>
#include <QWidget>

#include <functional>
#include <map>
#include <memory>

class QDialog;
class QListWidgetItem;

namespace Ui {
class frmMain;
}

namespace sorario {

struct Module1;
class Dialogs;

// What the main window asks of its surroundings; tests replace them.
struct MainWindowHooks
{
    std::function<QList<Volume>()> volumes = MountedVolumes;
    std::function<bool(const QString &root)> volumeReady = VolumeReady;
    // Shows a child window modally; returns when it has closed.
    std::function<void(QDialog &)> runModal;
    PrintSurfaceFactory printSurface;
};

// The main window: drive, folder and question-file choice, the read-me panel, and
// the doors to the set-up and conversion windows.
class frmMain : public QWidget
{
    Q_OBJECT

public:
    frmMain(Module1 &m, Dialogs &dialogs, MainWindowHooks hooks = {}, QWidget *parent = nullptr);
    ~frmMain() override;
    QString folderShown() const { return m_dirPath; }

private Q_SLOTS:
    // What "選択全クリア" does; leaving the set-up window does it too.
    void deselectAllFiles();
    void Dir1_Click(QListWidgetItem *item);
    void List1_DblClick(QListWidgetItem *item);
    void cmdFileOK_Click();
    void cmdClear_Click();
    void Command2_Click();
    void cmdEdit_Click();
    // Lists the folder of a file the editor saved, with the file selected.
    void showSavedFile(const QString &path);
    void Command4_Click();
    void Image1_Click();
    void Command1_Click();
    // Files added to or removed from the folder shown; the chosen ones stay chosen.
    void folder_Change();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void Drive1_Change();
    void Dir1_Change();
    void setDrive(int index);
    void setDirPath(const QString &path);
    void fillDir1();
    QString driveCurrentFolder(const QString &root);
    void runModal(QDialog &dialog);

    std::unique_ptr<Ui::frmMain> m_ui;
    Module1 &m_module;
    Dialogs &m_dialogs;
    MainWindowHooks m_hooks;

    QList<Volume> m_volumes;
    int m_driveIndex = -1;
    int m_programDrive = -1;
    std::map<QString, QString> m_driveFolders; // each volume's current folder
    QString m_dirPath; // without a trailing separator (except the root)
    QList<QuestionFileEntry> m_entries; // List1's files, row for row
    bool m_inDriveChange = false;
    bool m_swallowRelease = false; // the release that ends a swallowed double-click
    QFileSystemWatcher m_folderWatch; // the folder List1 lists
};

} // namespace sorario
