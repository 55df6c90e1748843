// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProgramFolder.h"
#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include "support/Fixtures.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("x\r\n");
}

} // namespace

// A copy of the program in <root>/prefix/bin; an installed one has <root>/prefix/share/sorario.
class TestFolders : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString bin() const { return m_dir.filePath(u"prefix/bin"_s); }
    QString data() const { return m_dir.filePath(u"prefix/share/sorario"_s); }
    QString user() const { return m_dir.filePath(u"home/.config/sorario"_s); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(bin()));
    }

    void initialiseFolders_data()
    {
        QTest::addColumn<bool>("installed");
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("userFolderKnown");
        QTest::addColumn<bool>("beside");

        QTest::newRow("portable, writable") << false << true << true << true;
        QTest::newRow("portable, read-only") << false << false << true << false;
        // Root can write /usr/bin, which is still no place for a user's settings.
        QTest::newRow("installed, writable") << true << true << true << false;
        QTest::newRow("read-only, no configuration folder") << false << false << false << true;
    }

    void initialiseFolders()
    {
        QFETCH(bool, installed);
        QFETCH(bool, writable);
        QFETCH(bool, userFolderKnown);
        QFETCH(bool, beside);
        if (installed)
            QVERIFY(QDir().mkpath(data()));

        QStringList asked;
        const auto probe = [&](const QString &folder) {
            asked << folder;
            return writable;
        };
        Module1 m;
        InitialiseFolders(m, bin(), probe, userFolderKnown ? user() : QString());

        QCOMPARE(m.ProgramFolder, bin());
        QCOMPARE(m.SettingsFolder, beside ? bin() : user());
        QCOMPARE(SettingsFilePath(m), m.SettingsFolder + u"/Vk.ini"_s);
        if (!installed)
            QCOMPARE(asked, QStringList {bin()});
        // Starting writes nothing; the folder appears with the first save.
        QVERIFY(!QFileInfo::exists(user()));
    }

    void folderIsWritable_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("writable");

        QTest::newRow("folder") << u"prefix/bin"_s << true;
        QTest::newRow("missing") << u"prefix/none"_s << false;
        QTest::newRow("regular file") << u"prefix/bin/sorario"_s << false;
    }

    void folderIsWritable()
    {
        QFETCH(QString, name);
        QFETCH(bool, writable);
        touch(bin() + u"/sorario"_s);
        QCOMPARE(sorario::folderIsWritable(m_dir.filePath(name)), writable);
    }

    void userFolderFollowsTheConfigurationHome()
    {
        const QByteArray old = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.filePath(u"home/.config"_s)));
        const QString folder = userSettingsFolder();
        qputenv("XDG_CONFIG_HOME", old);
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

        m.FontName = u"ＭＳ ゴシック"_s;
        m.FontSize = 12;
        SaveFontSettings(m);
        m.SheetLogo = u"《三中》"_s;
        SaveSheetLogo(m);
        QVERIFY(QFileInfo(settings + u"/Vk.ini"_s).isFile() && QFileInfo(settings + u"/Vk.rog"_s).isFile());
        QVERIFY(QDir(bin()).entryList(QDir::Files).isEmpty());
        Module1 next;
        InitialiseFolders(next, bin(), readOnly, settings);
        LoadFontSettings(next);
        LoadSheetLogo(next);
        QCOMPARE((QStringList {next.FontName, QString::number(next.FontSize), next.SheetLogo}),
            (QStringList {m.FontName, QString::number(m.FontSize), m.SheetLogo}));
    }

    void readmePath_data()
    {
        QTest::addColumn<bool>("besideExists");
        QTest::addColumn<bool>("installedExists");
        QTest::addColumn<bool>("expectInstalled");

        QTest::newRow("beside wins") << true << true << false;
        QTest::newRow("installed only") << false << true << true;
    }

    void readmePath()
    {
        QFETCH(bool, besideExists);
        QFETCH(bool, installedExists);
        QFETCH(bool, expectInstalled);
        const QString beside = bin() + u"/Readme.txt"_s;
        const QString installed = data() + u"/Readme.txt"_s;
        if (besideExists)
            touch(beside);
        if (installedExists)
            touch(installed);

        Module1 m;
        m.ProgramFolder = bin();
        QCOMPARE(ReadmePath(m), expectInstalled ? installed : beside);
        m.ProgramFolder.clear();
        QVERIFY(ReadmePath(m).isEmpty()); // never the root's Readme.txt
    }
};

QTEST_GUILESS_MAIN(TestFolders)
#include "tst_folders.moc"
