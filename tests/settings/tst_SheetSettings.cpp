// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ItemReader.h"
#include "settings/SheetSettings.h"
#include "settings/TextItemLine.h"
#include "shared/Module1.h"

#include "support/Fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

QStringList allTextItems(const QString &text)
{
    ItemReader reader(text);
    QStringList items;
    while (const std::optional<QString> item = reader.readText())
        items.append(*item);
    return items;
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

    void loadFont_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("size");

        const QString dflt = DefaultFontName;
        QTest::newRow("as written") << DefaultIniBytes << dflt << 10;
        QTest::newRow("quoted, size after comma") << sjis(u"\"ＭＳ 明朝\",12\r\n"_s) << u"ＭＳ 明朝"_s << 12;
        QTest::newRow("@ removed") << sjis(u"@ＭＳ Ｐ明朝\r\n 10 \r\n"_s) << dflt << 10;
        QTest::newRow("extra lines ignored, 8 the smallest")
            << sjis(u"X\r\n 8 \r\nY\r\nZ\r\n"_s) << u"X"_s << 8;
        // Each failure resets both values, the name included; "@" stays on defaults.
        QTest::newRow("40000") << sjis(u"@X\r\n40000\r\n"_s) << dflt << 10;
        QTest::newRow("7, too small to print") << sjis(u"X\r\n 7 \r\n"_s) << dflt << 10;
        QTest::newRow("letters") << sjis(u"X\r\nabc\r\n"_s) << dflt << 10;
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

    // What is written, byte for byte, and that it reads back as the same value.
    void savedBytes_data()
    {
        QTest::addColumn<bool>("logo"); // Vk.rog, else Vk.ini
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("default font") << false << DefaultFontName << 10 << DefaultIniBytes;
        QTest::newRow("logo with a comma") << true << u"二年, 英語"_s << 0 << sjis(u"\"二年, 英語\"\r\n"_s);
    }

    void savedBytes()
    {
        QFETCH(bool, logo);
        QFETCH(QString, text);
        QFETCH(int, size);
        const QString path = logo ? rog() : ini();
        writeBytes(path, QByteArray(200, 'x')); // a longer old file must not leave a tail
        Module1 again;
        again.SettingsFolder = m.SettingsFolder;
        if (logo) {
            m.SheetLogo = text;
            SaveSheetLogo(m);
            LoadSheetLogo(again);
            QCOMPARE(again.SheetLogo, text);
        } else {
            m.FontName = text;
            m.FontSize = std::int16_t(size);
            SaveFontSettings(m);
            LoadFontSettings(again);
            QCOMPARE(again.FontName, text);
            QCOMPARE(int(again.FontSize), size);
        }
        QTEST(readBytes(path), "bytes");
    }

    // Nothing is shown, the values in memory stay, the disk is left as it was.
    void failedSaveIsSilentAndHarmless_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("file names are directories") << 0;
        QTest::newRow("folder under a regular file") << 1;
        QTest::newRow("no folder known") << 2;
        QTest::newRow("disk full: the old files stay whole") << 3;
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
        } else if (how == 2) {
            m.SettingsFolder.clear();
            m.ProgramFolder.clear();
        } else {
            writeBytes(ini(), DefaultIniBytes);
            writeBytes(rog(), sjis(u"《旧》\r\n"_s));
        }
        m.FontName = m.SheetLogo = QString(100, u'長');
        const auto before = snapshot(m_dir.path());
        {
            std::optional<FileSizeLimit> limit;
            if (how == 3)
                QVERIFY(limit.emplace(16).ok());
            SaveFontSettings(m);
            SaveSheetLogo(m);
        }
        QCOMPARE(m.FontName, QString(100, u'長'));
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    // The item reader under both files.
    void textItems_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");

        QTest::newRow("comma and line ends")
            << u"a,b\r\nc\nd\re"_s << QStringList {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
        QTest::newRow("quoted comma, rest of field dropped")
            << u"\"x,y\" junk,z"_s << QStringList {u"x,y"_s, u"z"_s};
        QTest::newRow("quote closed on a later line is not joined")
            << u"\"a\r\nb\""_s << QStringList {u"a"_s, u"b\""_s};
        QTest::newRow("leading blanks and tabs skipped, inner and trailing kept")
            << u" \t ＭＳ Ｐ明朝 "_s << QStringList {u"ＭＳ Ｐ明朝 "_s};
        QTest::newRow("empty lines are empty items")
            << u"\r\n\r\nx"_s << QStringList {QString(), QString(), u"x"_s};
    }

    void textItems()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, items);
        QCOMPARE(allTextItems(text), items);
    }

    void numberItem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // 99999: no number

        QTest::newRow("sign blank") << u" 10 "_s << 10;
        QTest::newRow("lowest") << u"-32768"_s << -32768;
        QTest::newRow("highest") << u"32767"_s << 32767;
        QTest::newRow("one above") << u"32768"_s << 99999;
        QTest::newRow("inner blank") << u"1 2"_s << 99999;
        QTest::newRow("empty field") << u",5"_s << 99999;
        QTest::newRow("ends at comma") << u"8,9"_s << 8;
    }

    void numberItem()
    {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const std::optional<std::int16_t> n = ItemReader(text).readNumber();
        QCOMPARE(n ? int(*n) : 99999, expected);
    }

    // Whatever the writer puts on a line must read back as the same value.
    void writtenLineReadsBack_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("line");

        QTest::newRow("plain") << u"ＭＳ Ｐ明朝"_s << u"ＭＳ Ｐ明朝"_s;
        QTest::newRow("leading blank") << u"  《校内》"_s << u"\"  《校内》\""_s;
    }

    void writtenLineReadsBack()
    {
        QFETCH(QString, value);
        QFETCH(QString, line);
        QCOMPARE(TextItemLine(value), line);
        QCOMPARE(ItemReader(line + u"\r\n"_s).readText(), std::optional<QString>(value));
    }
};

QTEST_GUILESS_MAIN(TestSheetSettings)
#include "tst_SheetSettings.moc"
