// SPDX-License-Identifier: GPL-3.0-or-later
// Where the program finds its folders: its own, its settings', its read-me.
#include "platform/ProgramFolder.h"
#include "settings/SheetSettings.h"
#include "setup/SettingsFiles.h"

#include "support/Fixtures.h"

#include <QCoreApplication>

using namespace sorario::test;

class TestProgramFolder : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    // A copy of the program in <root>/prefix/bin; an installed one has <root>/prefix/share/sorario.
    QString bin() const { return m_dir.filePath(u"prefix/bin"_s); }
    QString data() const { return m_dir.filePath(u"prefix/share/sorario"_s); }
    QString user() const { return m_dir.filePath(u"home/.config/sorario"_s); }

private Q_SLOTS:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(bin()));
    }

    // Root can write /usr/bin, which is still no place for a user's settings; without a
    // configuration folder the settings stay beside the program.
    void initialiseFolders()
    {
        const struct
        {
            bool installed, writable, userFolderKnown, beside;
            bool uninstaller = false; // as the Windows installer leaves it, in a folder the user owns
        } rows[] = {{false, true, true, true}, {false, false, true, false}, {true, true, true, false},
            {false, false, false, true},
            {.installed = false,
                .writable = true,
                .userFolderKnown = true,
                .beside = false,
                .uninstaller = true}};
        for (const auto &r : rows) {
            QDir(data()).removeRecursively();
            QFile::remove(bin() + u"/uninstall.exe"_s);
            if (r.installed)
                QVERIFY(QDir().mkpath(data()));
            if (r.uninstaller)
                writeBytes(bin() + u"/uninstall.exe"_s, "MZ");
            QStringList asked;
            const auto probe = [&](const QString &folder) {
                asked << folder;
                return r.writable;
            };
            Module1 m;
            InitialiseFolders(m, bin(), probe, r.userFolderKnown ? user() : QString());
            const QString settings = r.beside ? bin() : user();
            QCOMPARE(m.ProgramFolder, bin());
            QCOMPARE(m.SettingsFolder, settings);
            QCOMPARE(SettingsFilePath(settingsFoldersOf(m)), settings + u"/Vk.ini"_s);
            if (!r.installed && !r.uninstaller)
                QCOMPARE(asked, QStringList {bin()});
            // Starting writes nothing; the folder appears with the first save.
            QVERIFY(!QFileInfo::exists(user()));
        }
    }

    void folderIsWritable()
    {
        writeBytes(bin() + u"/sorario"_s, "x");
        QVERIFY(sorario::folderIsWritable(bin()));
        QVERIFY(!sorario::folderIsWritable(m_dir.filePath(u"prefix/none"_s)));
        QVERIFY(!sorario::folderIsWritable(bin() + u"/sorario"_s));
    }

    void userFolderFollowsTheConfigurationHome()
    {
#ifdef Q_OS_WIN
        const char *const home = "APPDATA";
#else
        const char *const home = "XDG_CONFIG_HOME";
#endif
        const QByteArray old = qgetenv(home);
        qputenv(home, QFile::encodeName(m_dir.filePath(u"home/.config"_s)));
        const QString folder = userSettingsFolder();
        qputenv(home, old);
        QCOMPARE(folder, user());
        Module1 m;
        InitialiseFolders(m);
        QCOMPARE(m.ProgramFolder, QCoreApplication::applicationDirPath());
    }

    // The configuration home may be missing too: saving makes the whole path.
    void savingCreatesTheSettingsFolder()
    {
        const QString settings = m_dir.filePath(u"home/.config/deeper/sorario"_s);
        const auto readOnly = [](const QString &) { return false; };
        Module1 m;
        InitialiseFolders(m, bin(), readOnly, settings);
        LoadFontSettings(m);
        QVERIFY(!QFileInfo::exists(settings)); // loading creates nothing
        m.options.SheetLogo = u"《三中》"_s;
        SaveSheetLogo(m);
        QVERIFY(QFileInfo(settings + u"/Vk.rog"_s).isFile());
        QVERIFY(QDir(bin()).entryList(QDir::Files).isEmpty());
    }

    void readmePath()
    {
        const QString beside = bin() + u"/Readme.txt"_s;
        const QString installed = data() + u"/Readme.txt"_s;
        writeBytes(installed, "x");
        Module1 m;
        m.ProgramFolder = bin();
        QCOMPARE(ReadmePath(m), installed);
        writeBytes(beside, "x");
        QCOMPARE(ReadmePath(m), beside);
        m.ProgramFolder.clear();
        QVERIFY(ReadmePath(m).isEmpty()); // never the root's Readme.txt
    }
};

QTEST_GUILESS_MAIN(TestProgramFolder)
#include "tst_programfolder.moc"
