#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#endif

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray DefaultIniBytes = sjis(u"ＭＳ Ｐ明朝"_s) + "\r\n 10 \r\n";

} // namespace

class TestSheetSettings : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    Module1 m;

    QString ini() const { return m_dir.filePath(u"Vk.ini"_s); }
    QString rog() const { return m_dir.filePath(u"Vk.rog"_s); }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).removeRecursively();
        QDir().mkpath(m_dir.path());
        // The program's own folder stays apart, so a file that lands there shows.
        m.ProgramFolder = m_dir.filePath(u"program"_s);
        m.SettingsFolder = m_dir.path();
        m.FontName = u"前の値"_s;
        m.FontSize = 77;
        m.SheetLogo = u"前の値"_s;
    }

    void paths()
    {
        QCOMPARE(SettingsFilePath(m), m_dir.path() + u"/Vk.ini"_s);
        m.SettingsFolder += u'/';
        QCOMPARE(LogoFilePath(m), m_dir.path() + u"/Vk.rog"_s);
        m.SettingsFolder.clear(); // a state that knows only the program's folder
        QCOMPARE(SettingsFilePath(m), m_dir.path() + u"/program/Vk.ini"_s);
        m.ProgramFolder.clear();
        QVERIFY(SettingsFilePath(m).isEmpty());
    }

    void loadFont_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");

        const QString dflt = DefaultFontName;
        QTest::newRow("as written") << DefaultIniBytes << dflt << 10;
        QTest::newRow("bare LF") << sjis(u"ＭＳ 明朝\n12\n"_s) << u"ＭＳ 明朝"_s << 12;
        QTest::newRow("no final line end") << sjis(u"ＭＳ 明朝\r\n12"_s) << u"ＭＳ 明朝"_s << 12;
        QTest::newRow("quoted, size after comma") << sjis(u"\"ＭＳ 明朝\",12\r\n"_s) << u"ＭＳ 明朝"_s << 12;
        QTest::newRow("unquoted, size after comma") << sjis(u"ＭＳ 明朝, 9\r\n"_s) << u"ＭＳ 明朝"_s << 9;
        QTest::newRow("quoted comma") << sjis(u"\"A,B\"\r\n 8 \r\n"_s) << u"A,B"_s << 8;
        QTest::newRow("leading blanks and tabs") << sjis(u" \tＭＳ ゴシック\r\n11\r\n"_s) << u"ＭＳ ゴシック"_s << 11;
        QTest::newRow("@ removed") << sjis(u"@ＭＳ Ｐ明朝\r\n 10 \r\n"_s) << dflt << 10;
        QTest::newRow("@@ keeps one") << sjis(u"@@X\r\n 10 \r\n"_s) << u"@X"_s << 10;
        QTest::newRow("zero used") << sjis(u"X\r\n 0 \r\n"_s) << u"X"_s << 0;
        QTest::newRow("negative used") << sjis(u"X\r\n-5 \r\n"_s) << u"X"_s << -5;
        QTest::newRow("extra lines ignored") << sjis(u"X\r\n 9 \r\nY\r\nZ\r\n"_s) << u"X"_s << 9;
        QTest::newRow("empty name kept") << QByteArray("\r\n 10 \r\n") << QString() << 10;
        // Each failure resets both values, the name included; "@" stays on defaults.
        QTest::newRow("40000") << sjis(u"@X\r\n40000\r\n"_s) << dflt << 10;
        QTest::newRow("letters") << sjis(u"X\r\nabc\r\n"_s) << dflt << 10;
        QTest::newRow("no size line") << sjis(u"X\r\n"_s) << dflt << 10;
        QTest::newRow("empty size line") << sjis(u"X\r\n\r\n12\r\n"_s) << dflt << 10;
        QTest::newRow("empty file") << QByteArray() << dflt << 10;
        QTest::newRow("bad bytes do not crash") << QByteArray("\x81\r\n 10 \r\n") << u"\uFFFD"_s << 10;
    }

    void loadFont()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, name);
        QFETCH(int, size);
        writeBytes(ini(), bytes);
        LoadFontSettings(m);
        QCOMPARE(m.FontName, name);
        QCOMPARE(int(m.FontSize), size);
    }

    void loadWithoutFileGivesDefaultsAndCreatesNothing_data()
    {
        QTest::addColumn<bool>("asDirectory");
        QTest::newRow("missing") << false;
        QTest::newRow("name is a directory") << true;
    }

    void loadWithoutFileGivesDefaultsAndCreatesNothing()
    {
        QFETCH(bool, asDirectory);
        if (asDirectory) {
            QVERIFY(QDir().mkpath(ini()));
            QVERIFY(QDir().mkpath(rog()));
        }
        LoadFontSettings(m);
        LoadSheetLogo(m);
        QCOMPARE(m.FontName, DefaultFontName);
        QCOMPARE(int(m.FontSize), 10);
        QCOMPARE(m.SheetLogo, DefaultSheetLogo);
        QCOMPARE(QFileInfo(ini()).isFile(), false);
        QCOMPARE(QFileInfo(rog()).isFile(), false);
    }

    void loadLogo_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("logo");

        QTest::newRow("as written") << sjis(u"《三中》\r\n"_s) << u"《三中》"_s;
        QTest::newRow("comma cuts") << sjis(u"Sorario, Inc.\r\n"_s) << u"Sorario"_s;
        QTest::newRow("quoted by hand") << sjis(u"\"第2学年, 英語\"\r\n"_s) << u"第2学年, 英語"_s;
        QTest::newRow("no @ processing") << sjis(u"@logo\r\n"_s) << u"@logo"_s;
        QTest::newRow("full-width comma kept") << sjis(u"英語，文法\r\n"_s) << u"英語，文法"_s;
        QTest::newRow("empty line is an empty logo") << QByteArray("\r\n") << QString();
        QTest::newRow("empty file") << QByteArray() << DefaultSheetLogo;
    }

    void loadLogo()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, logo);
        writeBytes(rog(), bytes);
        LoadSheetLogo(m);
        QCOMPARE(m.SheetLogo, logo);
    }

    void saveFontBytes_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("default") << DefaultFontName << 10 << DefaultIniBytes;
        QTest::newRow("negative") << u"ＭＳ 明朝"_s << -5 << sjis(u"ＭＳ 明朝\r\n-5 \r\n"_s);
        QTest::newRow("zero") << u"X"_s << 0 << QByteArray("X\r\n 0 \r\n");
        QTest::newRow("comma quoted") << u"A,B"_s << 9 << QByteArray("\"A,B\"\r\n 9 \r\n");
    }

    void saveFontBytes()
    {
        QFETCH(QString, name);
        QFETCH(int, size);
        QFETCH(QByteArray, bytes);
        writeBytes(ini(), QByteArray(200, 'x')); // a longer old file must not leave a tail
        m.FontName = name;
        m.FontSize = std::int16_t(size);
        SaveFontSettings(m);
        QCOMPARE(readBytes(ini()), bytes);

        Module1 again;
        again.SettingsFolder = m.SettingsFolder;
        LoadFontSettings(again);
        QCOMPARE(again.FontName, name);
        QCOMPARE(again.FontSize, m.FontSize);
    }

    void saveLogoBytes_data()
    {
        QTest::addColumn<QString>("logo");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("default") << DefaultSheetLogo << sjis(u"《ミナセラ》\r\n"_s);
        QTest::newRow("backslash is 5C") << u"A\\B"_s << QByteArray("A\\B\r\n");
        QTest::newRow("comma quoted") << u"二年, 英語"_s << sjis(u"\"二年, 英語\"\r\n"_s);
        QTest::newRow("leading blank quoted") << u" 三中"_s << sjis(u"\" 三中\"\r\n"_s);
    }

    void saveLogoBytes()
    {
        QFETCH(QString, logo);
        QFETCH(QByteArray, bytes);
        m.SheetLogo = logo;
        SaveSheetLogo(m);
        QCOMPARE(readBytes(rog()), bytes);

        Module1 again;
        again.SettingsFolder = m.SettingsFolder;
        LoadSheetLogo(again);
        QCOMPARE(again.SheetLogo, logo);
    }

    void failedSaveIsSilentAndHarmless_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("file names are directories") << 0;
        QTest::newRow("folder under a regular file") << 1;
        QTest::newRow("no folder known") << 2;
    }

    void failedSaveIsSilentAndHarmless()
    {
        QFETCH(int, how);
        if (how == 0) {
            QVERIFY(QDir().mkpath(ini()));
            QVERIFY(QDir().mkpath(rog()));
        } else if (how == 1) {
            writeBytes(m_dir.filePath(u"plain"_s), "x");
            m.SettingsFolder = m_dir.filePath(u"plain/sorario"_s);
        } else {
            m.SettingsFolder.clear();
            m.ProgramFolder.clear();
        }
        SaveFontSettings(m);
        SaveSheetLogo(m);
        QCOMPARE(m.FontName, u"前の値"_s); // in-memory values stay in force
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::NoDotAndDotDot),
                 how == 1 ? QStringList{u"plain"_s} : QStringList{});
        if (how == 0)
            QVERIFY(QFileInfo(ini()).isDir());
    }

#ifdef Q_OS_UNIX
    // Root ignores permission bits, not the file-size limit: a write that runs
    // out of room half-way must leave the old file whole.
    void failedWriteKeepsOldFile()
    {
        writeBytes(ini(), DefaultIniBytes);
        writeBytes(rog(), sjis(u"《旧》\r\n"_s));
        m.FontName = QString(100, u'長');
        m.SheetLogo = QString(100, u'長');

        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
        rlimit tight = old;
        tight.rlim_cur = 16;
        const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        QCOMPARE(setrlimit(RLIMIT_FSIZE, &tight), 0);
        SaveFontSettings(m);
        SaveSheetLogo(m);
        setrlimit(RLIMIT_FSIZE, &old);
        std::signal(SIGXFSZ, oldHandler);

        QCOMPARE(readBytes(ini()), DefaultIniBytes);
        QCOMPARE(readBytes(rog()), sjis(u"《旧》\r\n"_s));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files).size(), 2); // no temporary left
    }
#endif
};

QTEST_GUILESS_MAIN(TestSheetSettings)
#include "tst_SheetSettings.moc"
