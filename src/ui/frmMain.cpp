// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/frmMain.h"
#include "ui_frmMain.h"

#include "bank/QuestionFiles.h"
#include "platform/Dialogs.h"
#include "platform/ProgramFolder.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "setup/LoadQuestionFiles.h"
#include "setup/SettingsFiles.h"
#include "shared/Module1.h"
#include "ui/Readme.h"
#include "ui/frmEditor.h"
#include "ui/frmHenkan.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QShortcut>
#include <QStyle>

namespace sorario {

namespace {

enum DirItemRole { PathRole = Qt::UserRole };

QString cleanPath(const QString &path)
{
    return QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

frmMain::frmMain(Module1 &module, Dialogs &dlgs, MainWindowHooks h, QWidget *parent)
    : QWidget(parent)
    , m_ui(std::make_unique<Ui::frmMain>())
    , m_module(module)
    , m_dialogs(dlgs)
    , m_hooks(std::move(h))
{
    m_ui->setupUi(this);
    if (m_module.ProgramFolder.isEmpty())
        m_module.ProgramFolder = programFolder();

    connect(m_ui->Drive1, &QComboBox::activated, this, [this](int index) { setDrive(index); });
    connect(m_ui->Dir1, &QListWidget::itemClicked, this, &frmMain::Dir1_Click);
    connect(m_ui->Dir1, &QListWidget::itemActivated, this, &frmMain::Dir1_Click);
    // A folder opens at its first click, so the second click of a double-click would
    // land on whatever entry of the opened folder stands there.
    m_ui->Dir1->viewport()->installEventFilter(this);
    connect(m_ui->List1, &QListWidget::itemDoubleClicked, this, &frmMain::List1_DblClick);
    connect(m_ui->cmdFileOK, &QPushButton::clicked, this, &frmMain::cmdFileOK_Click);
    connect(m_ui->cmdClear, &QPushButton::clicked, this, &frmMain::cmdClear_Click);
    connect(m_ui->Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
    connect(m_ui->cmdEdit, &QPushButton::clicked, this, &frmMain::cmdEdit_Click);
    connect(m_ui->Command4, &QPushButton::clicked, this, &frmMain::Command4_Click);
    connect(m_ui->Image1, &QToolButton::clicked, this, &frmMain::Image1_Click);
    connect(m_ui->Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
    connect(&m_folderWatch, &QFileSystemWatcher::directoryChanged, this, &frmMain::folder_Change);
    // Escape closes the read-me panel as "戻る" does; the shortcut lives only while the panel shows.
    connect(new QShortcut(QKeySequence::Cancel, m_ui->Frame1), &QShortcut::activated, this,
        &frmMain::Command1_Click);

    // The drive list and folder list start where the process is, as the system's
    // own drive and folder lists do.
    m_volumes = m_hooks.volumes ? m_hooks.volumes() : QList<Volume>();
    const QString here = cleanPath(QDir::currentPath());
    const QString programDir = cleanPath(m_module.ProgramFolder);
    for (const QString &path : {here, programDir}) {
        if (VolumeOf(m_volumes, path) < 0)
            m_volumes.append({QDir::rootPath(), QString()});
    }
    for (const Volume &v : std::as_const(m_volumes))
        m_ui->Drive1->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), VolumeText(v));
    m_programDrive = VolumeOf(m_volumes, programDir);
    m_driveIndex = VolumeOf(m_volumes, here);
    m_ui->Drive1->setCurrentIndex(m_driveIndex);
    m_dirPath = here;
    fillDir1();

    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::Form_Load()
{
    m_module.VersionText = ProgramVersion;
    m_ui->labVer->setText(m_module.VersionText);
    m_ui->Frame1->hide();
    LoadFontSettings(m_module);
    loadPrintOptions(m_module);
    LoadSheetLogo(m_module);
    setWindowTitle(ProgramTitle);
    setDrive(m_programDrive);
    Dir1_Change();
}

void frmMain::setDrive(int index)
{
    if (index < 0 || index >= m_volumes.size())
        return;
    m_ui->Drive1->setCurrentIndex(index);
    if (index == m_driveIndex)
        return;
    m_driveIndex = index;
    Drive1_Change();
}

QString frmMain::driveCurrentFolder(const QString &root)
{
    const QString here = cleanPath(QDir::currentPath());
    const int hereDrive = VolumeOf(m_volumes, here);
    if (hereDrive >= 0)
        m_driveFolders[m_volumes[hereDrive].root] = here;
    const auto found = m_driveFolders.find(root);
    QString folder = found != m_driveFolders.end() ? found->second : root;
    // A folder removed since is no place to return to; its nearest remaining parent is.
    while (!QFileInfo(folder).isDir() && folder != root && folder.size() > root.size())
        folder = QFileInfo(folder).absolutePath();
    return folder;
}

void frmMain::Drive1_Change()
{
    m_ui->List1->clear();
    m_entries.clear();
    if (m_driveIndex < 0 || m_driveIndex >= m_volumes.size())
        return;
    const QString root = m_volumes[m_driveIndex].root;
    const bool ready = m_hooks.volumeReady ? m_hooks.volumeReady(root) : VolumeReady(root);
    if (!ready) {
        m_dialogs.message(QStringLiteral("ディスクをセットしてください！"), ProgramTitle);
        // The program's own drive not being there is no reason to ask again.
        if (m_inDriveChange || m_driveIndex == m_programDrive)
            return;
        m_inDriveChange = true;
        setDrive(m_programDrive);
        m_inDriveChange = false;
        return;
    }
    setDirPath(driveCurrentFolder(root));
}

void frmMain::setDirPath(const QString &path)
{
    m_dirPath = cleanPath(path);
    fillDir1();
    Dir1_Change();
}

void frmMain::fillDir1()
{
    m_ui->Dir1->clear();
    auto *here = new QListWidgetItem(
        style()->standardIcon(QStyle::SP_DirOpenIcon), QDir::toNativeSeparators(m_dirPath), m_ui->Dir1);
    here->setData(PathRole, m_dirPath);
    QFont bold = here->font();
    bold.setBold(true);
    here->setFont(bold);
    here->setToolTip(m_dirPath);

    if (!QDir(m_dirPath).isRoot()) {
        auto *up = new QListWidgetItem(
            style()->standardIcon(QStyle::SP_FileDialogToParent), QStringLiteral(".."), m_ui->Dir1);
        up->setData(PathRole, QFileInfo(m_dirPath).absolutePath());
        up->setToolTip(QStringLiteral("ひとつ上のフォルダへ"));
    }
    const QStringList subfolders = SubfoldersOf(m_dirPath);
    for (const QString &sub : subfolders) {
        auto *item = new QListWidgetItem(style()->standardIcon(QStyle::SP_DirIcon),
            QStringLiteral("    ") + QFileInfo(sub).fileName(), m_ui->Dir1);
        item->setData(PathRole, sub);
    }
    m_ui->Dir1->setCurrentRow(0);
}

void frmMain::Dir1_Click(QListWidgetItem *item)
{
    if (!item)
        return;
    // Rebuilding Dir1 inside its own click would pull the item from under the view.
    const QString path = cleanPath(item->data(PathRole).toString());
    QMetaObject::invokeMethod(
        this,
        [this, path] {
            // As with the system's folder list: setting the folder it already shows changes nothing.
            if (path != m_dirPath)
                setDirPath(path);
        },
        Qt::QueuedConnection);
}

bool frmMain::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_ui->Dir1->viewport())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonDblClick) {
        m_swallowRelease = true;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_swallowRelease) {
        m_swallowRelease = false;
        return true;
    }
    return false;
}

void frmMain::List1_DblClick(QListWidgetItem *item)
{
    deselectAllFiles();
    item->setSelected(true);
    cmdFileOK_Click();
}

void frmMain::Dir1_Change()
{
    m_ui->List1->clear();
    m_module.CurrentFolder = FolderWithSeparator(m_dirPath);
    m_entries = QuestionFilesIn(m_module.CurrentFolder);
    for (const QuestionFileEntry &entry : std::as_const(m_entries))
        m_ui->List1->addItem(entry.shownName);
    if (m_folderWatch.directories() != QStringList {m_dirPath}) {
        if (!m_folderWatch.directories().isEmpty())
            m_folderWatch.removePaths(m_folderWatch.directories());
        m_folderWatch.addPath(m_dirPath);
    }
}

void frmMain::folder_Change()
{
    QStringList chosen;
    for (const QListWidgetItem *item : m_ui->List1->selectedItems())
        chosen.append(m_entries.value(m_ui->List1->row(item)).fileName);
    Dir1_Change();
    for (int i = 0; i < m_entries.size(); ++i)
        m_ui->List1->item(i)->setSelected(chosen.contains(m_entries[i].fileName));
}

void frmMain::cmdFileOK_Click()
{
    QList<bool> selected;
    for (int i = 0; i < m_ui->List1->count(); ++i)
        selected.append(m_ui->List1->item(i)->isSelected());

    switch (ChooseFiles(m_module, m_module.CurrentFolder, m_entries, selected)) {
    case FileChoice::TooMany:
        m_dialogs.beep();
        m_dialogs.message(TooManyFilesMessage(), ProgramTitle);
        return;
    case FileChoice::NoneSelected:
        m_dialogs.beep();
        m_dialogs.message(QStringLiteral("テスト問題を作成するファイルを選択して下さい。"), ProgramTitle);
        return;
    case FileChoice::Chosen:
        break;
    }

    m_module.LoadFailed = 0;
    LoadQuestionFiles(m_module, m_dialogs);
    if (m_module.LoadFailed == 1)
        return;

    frmSettei settei(m_module, m_dialogs, m_hooks.printSurface, this);
    connect(&settei, &frmSettei::returning, this, &frmMain::deselectAllFiles);
    runModal(settei);
}

void frmMain::deselectAllFiles()
{
    for (int i = 0; i < m_ui->List1->count(); ++i)
        m_ui->List1->item(i)->setSelected(false);
}

void frmMain::cmdClear_Click()
{
    deselectAllFiles();
}

void frmMain::Command2_Click()
{
    // The folder a sheet was last saved into is not where the teacher works: the conversion
    // starts in the listed folder, and a cancelled one comes back to it.
    QDir::setCurrent(m_dirPath);
    {
        frmHenkan henkan(m_module, m_dialogs, this);
        runModal(henkan);
    }
    Drive1_Change();
    Dir1_Change();
}

void frmMain::cmdEdit_Click()
{
    auto *editor = new frmEditor(m_module, m_dialogs, RecoveryStore(), this);
    editor->setWindowFlag(Qt::Window);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    editor->setWindowModality(Qt::ApplicationModal);
    connect(editor, &frmEditor::saved, this, &frmMain::showSavedFile);
    const QList<QListWidgetItem *> chosen = m_ui->List1->selectedItems();
    if (!editor->offerRecovery() && !chosen.isEmpty()) {
        const QString name = m_entries.value(m_ui->List1->row(chosen.first())).fileName;
        editor->openFile(QDir(m_dirPath).filePath(name));
    }
    editor->show();
}

void frmMain::showSavedFile(const QString &path)
{
    const QFileInfo file(path);
    if (cleanPath(file.absolutePath()) != m_dirPath)
        setDirPath(file.absolutePath());
    else
        Dir1_Change();
    for (int i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].fileName == file.fileName())
            m_ui->List1->setCurrentRow(i, QItemSelectionModel::ClearAndSelect);
    }
}

void frmMain::Command4_Click()
{
    // The last window closing ends the program.
    close();
}

void frmMain::Image1_Click()
{
    m_ui->Frame1->show();
    m_ui->Frame1->raise();
    m_ui->cmdFileOK->setEnabled(false);
    m_ui->cmdClear->setEnabled(false);
    m_ui->Command4->setEnabled(false);
    m_ui->Text1->clear();
    m_module.ReadmeText.clear();
    LoadReadme(m_module);
    QString shown = m_module.ReadmeText;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_ui->Text1->setPlainText(shown);
    m_ui->Command1->setFocus();
}

void frmMain::Command1_Click()
{
    m_ui->cmdFileOK->setEnabled(true);
    m_ui->cmdClear->setEnabled(true);
    m_ui->Command4->setEnabled(true);
    m_ui->Frame1->hide();
}

void frmMain::runModal(QDialog &dialog)
{
    if (m_hooks.runModal)
        m_hooks.runModal(dialog);
    else
        dialog.exec();
}

} // namespace sorario
