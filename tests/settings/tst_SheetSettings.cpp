// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ItemReader.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "settings/TextItemLine.h"

#include "support/Fixtures.h"

#include <optional>

using namespace sorario::test;

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

    void loadFont()
    {
        const QString dflt = u"ＭＳ Ｐ明朝"_s;
        const struct
        {
            QByteArray bytes;
            QString name;
            int size = 10;
        } rows[] = {
            {DefaultIniBytes, dflt},
            {sjis(u"\"ＭＳ 明朝\",12\r\n"_s), u"ＭＳ 明朝"_s, 12}, // size after the comma
            {sjis(u"@ＭＳ Ｐ明朝\r\n 10 \r\n"_s), dflt},
            {sjis(u"X\r\n 8 \r\nY\r\nZ\r\n"_s), u"X"_s, 8}, // extra lines ignored
            // Each failure resets both values, the name included; "@" stays on defaults.
            {sjis(u"@X\r\n40000\r\n"_s), dflt},
            {sjis(u"X\r\n 7 \r\n"_s), dflt}, // too small to print
            {sjis(u"X\r\nabc\r\n"_s), dflt},
            {QByteArray(), dflt},
            {QByteArray("\x81\r\n 10 \r\n"), u"\uFFFD"_s},
            {sjis(u"\r\n 12 \r\n"_s), dflt}, // no face, which would print in a fallback face
            {sjis(u"@\r\n 12 \r\n"_s), dflt},
            // Past 64 KiB a file is broken, whatever it begins with; one of 64 KiB is read to its end.
            {sjis(u"X\r\n"_s) + QByteArray(65531, ' ') + "12", u"X"_s, 12},
            {sjis(u"X\r\n"_s) + QByteArray(65532, ' ') + "12", dflt},
        };
        for (const auto &row : rows) {
            writeBytes(ini(), row.bytes);
            LoadFontSettings(m);
            QCOMPARE(m.FontName, row.name);
            QCOMPARE(int(m.FontSize), row.size);
        }
    }

    // Missing or folders of that name: defaults, and nothing is created.
    void loadWithoutFileGivesDefaults()
    {
        for (const bool asFolder : {false, true}) {
            if (asFolder) {
                QVERIFY(QDir().mkpath(ini()));
                QVERIFY(QDir().mkpath(rog()));
            }
            LoadFontSettings(m);
            LoadSheetLogo(m);
            QCOMPARE(m.FontName, u"ＭＳ Ｐ明朝"_s);
            QCOMPARE(int(m.FontSize), 10);
            QCOMPARE(m.SheetLogo, u"《ミナセラ》"_s);
            QVERIFY(!QFileInfo(ini()).isFile());
            QVERIFY(!QFileInfo(rog()).isFile());
        }
    }

    void loadLogo()
    {
        const std::pair<QByteArray, QString> rows[] = {{sjis(u"《三中》\r\n"_s), u"《三中》"_s},
            {sjis(u"Sorario, Inc.\r\n"_s), u"Sorario"_s}, {"\r\n", QString()},
            {QByteArray(), u"《ミナセラ》"_s}, {sjis(QString(100, u'長')), QString(100, u'長')},
            {sjis(QString(101, u'長')), u"《ミナセラ》"_s}};
        for (const auto &[bytes, logo] : rows) {
            writeBytes(rog(), bytes);
            LoadSheetLogo(m);
            QCOMPARE(m.SheetLogo, logo);
        }
    }

    // What is written over a longer old file, byte for byte, reads back as the same values.
    void savedBytes()
    {
        writeBytes(ini(), QByteArray(200, 'x'));
        writeBytes(rog(), QByteArray(200, 'x'));
        m.FontName = u"ＭＳ Ｐ明朝"_s;
        m.FontSize = 10;
        m.SheetLogo = u"二年, 英語"_s;
        SaveFontSettings(m);
        SaveSheetLogo(m);
        QCOMPARE(readBytes(ini()), DefaultIniBytes);
        QCOMPARE(readBytes(rog()), sjis(u"\"二年, 英語\"\r\n"_s));
        Module1 again;
        again.SettingsFolder = m.SettingsFolder;
        LoadFontSettings(again);
        LoadSheetLogo(again);
        QCOMPARE(again.FontName, u"ＭＳ Ｐ明朝"_s);
        QCOMPARE(int(again.FontSize), 10);
        QCOMPARE(again.SheetLogo, u"二年, 英語"_s);
    }

    // Nothing is shown, the values in memory stay, the disk is left as it was: names that
    // are folders, a folder under a file, no folder known, a full disk (old files whole).
    void failedSaveIsSilentAndHarmless()
    {
        for (int how = 0; how < 4; ++how) {
            init();
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
                if (how == 3 && !CanLimitFileSize)
                    SORARIO_POSIX_ONLY("a full disk through a file-size limit");
                if (how == 3)
                    QVERIFY(limit.emplace(16).ok());
                SaveFontSettings(m);
                SaveSheetLogo(m);
            }
            QCOMPARE(m.FontName, QString(100, u'長'));
            QCOMPARE(snapshot(m_dir.path()), before);
        }
    }

    // Sorario.ini: only the values a save writes switch an option on; a broken file is
    // replaced whole by the next save.
    void printOptions()
    {
        const std::pair<QByteArray, bool> rows[] = {{"[print]\nkeepWords=true\nfitFirstPage=true\n", true},
            {"[print]\nkeepWords=maybe\nfitFirstPage=1\n", false},
            {"[print]\nkeepWords=true\nfitFirstPage=true\n" + QByteArray(65536, '\n'), false}};
        for (const auto &[bytes, on] : rows) {
            writeBytes(PrintOptionsFilePath(m), bytes);
            loadPrintOptions(m);
            QCOMPARE(m.LineBreaks == WordBreaks::KeepWords, on);
            QCOMPARE(m.OverflowRule == Overflow::ShrinkFirst, on);
        }
        m.LineBreaks = WordBreaks::KeepWords;
        SavePrintOptions(m);
        QCOMPARE(
            readBytes(PrintOptionsFilePath(m)), "[print]\nfitFirstPage=false\nkeepWords=true\npaper=b5\n");
    }

    // The item reader under both files.
    void textItems()
    {
        const std::pair<QString, QStringList> rows[] = {
            {u"a,b\r\nc\nd\re"_s, {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}},
            {u"\"x,y\" junk,z"_s, {u"x,y"_s, u"z"_s}}, // the rest of a quoted field is dropped
            {u"\"a\r\nb\""_s, {u"a"_s, u"b\""_s}}, // a quote closed on a later line is not joined
            {u" \t ＭＳ Ｐ明朝 "_s, {u"ＭＳ Ｐ明朝 "_s}}, // leading blanks skipped, trailing kept
            {u"\r\n\r\nx"_s, {QString(), QString(), u"x"_s}},
        };
        for (const auto &[text, items] : rows)
            QCOMPARE(allTextItems(text), items);
    }

    void numberItem()
    {
        const std::pair<QString, std::optional<std::int16_t>> rows[]
            = {{u" 10 "_s, 10}, {u"-32768"_s, -32768}, {u"32767"_s, 32767}, {u"32768"_s, {}}, {u"1 2"_s, {}},
                {u",5"_s, {}}, {u"8,9"_s, 8}};
        for (const auto &[text, expected] : rows)
            QCOMPARE(ItemReader(text).readNumber(), expected);
    }

    // Whatever the writer puts on a line must read back as the same value.
    void writtenLineReadsBack()
    {
        const std::pair<QString, QString> rows[]
            = {{u"ＭＳ Ｐ明朝"_s, u"ＭＳ Ｐ明朝"_s}, {u"  《校内》"_s, u"\"  《校内》\""_s}};
        for (const auto &[value, line] : rows) {
            QCOMPARE(TextItemLine(value), line);
            QCOMPARE(ItemReader(line + u"\r\n"_s).readText(), std::optional<QString>(value));
        }
    }
};

QTEST_GUILESS_MAIN(TestSheetSettings)
#include "tst_SheetSettings.moc"
