// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/ItemReader.h"
#include "settings/PrintOptionsFile.h"
#include "settings/SheetSettings.h"
#include "settings/TextItemLine.h"
#include "setup/SettingsFiles.h"

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

const struct FontRow
{
    const char *name;
    QByteArray bytes;
    QString font = u"ＭＳ Ｐ明朝"_s;
    int size = 10;
} fontRows[] = {
    {.name = "the default file", .bytes = DefaultIniBytes},
    {.name = "the size after a comma",
        .bytes = sjis(u"\"ＭＳ 明朝\",12\r\n"_s),
        .font = u"ＭＳ 明朝"_s,
        .size = 12},
    {.name = "a vertical face: defaults", .bytes = sjis(u"@ＭＳ Ｐ明朝\r\n 10 \r\n"_s)},
    {.name = "extra lines ignored", .bytes = sjis(u"X\r\n 8 \r\nY\r\nZ\r\n"_s), .font = u"X"_s, .size = 8},
    // Each failure resets both values, the name included.
    {.name = "too large", .bytes = sjis(u"@X\r\n40000\r\n"_s)},
    {.name = "too small to print", .bytes = sjis(u"X\r\n 7 \r\n"_s)},
    {.name = "no number", .bytes = sjis(u"X\r\nabc\r\n"_s)},
    {.name = "empty", .bytes = QByteArray()},
    {.name = "a bad byte in the name", .bytes = QByteArray("\x81\r\n 10 \r\n"), .font = u"\uFFFD"_s},
    {.name = "no face, which would print in a fallback face", .bytes = sjis(u"\r\n 12 \r\n"_s)},
    {.name = "a vertical mark alone", .bytes = sjis(u"@\r\n 12 \r\n"_s)},
    {.name = "64 KiB, read to its end",
        .bytes = sjis(u"X\r\n"_s) + QByteArray(65531, ' ') + "12",
        .font = u"X"_s,
        .size = 12},
    {.name = "past 64 KiB: broken", .bytes = sjis(u"X\r\n"_s) + QByteArray(65532, ' ') + "12"},
};

const struct NoFileRow
{
    const char *name;
    bool asFolder;
} noFileRows[] = {
    {.name = "missing", .asFolder = false},
    {.name = "folders of that name", .asFolder = true},
};

const struct LogoRow
{
    const char *name;
    QByteArray bytes;
    QString logo;
} logoRows[] = {
    {.name = "a logo", .bytes = sjis(u"《三中》\r\n"_s), .logo = u"《三中》"_s},
    {.name = "up to a comma", .bytes = sjis(u"Sorario, Inc.\r\n"_s), .logo = u"Sorario"_s},
    {.name = "an empty line: no logo", .bytes = "\r\n", .logo = QString()},
    {.name = "empty: the default", .bytes = QByteArray(), .logo = u"《ミナセラ》"_s},
    {.name = "100 characters", .bytes = sjis(QString(100, u'長')), .logo = QString(100, u'長')},
    {.name = "101 characters: the default", .bytes = sjis(QString(101, u'長')), .logo = u"《ミナセラ》"_s},
};

enum class FailedSave { Folders, UnderAFile, NoFolder, DiskFull };

const struct FailedSaveRow
{
    const char *name;
    FailedSave how;
} failedSaveRows[] = {
    {.name = "names that are folders", .how = FailedSave::Folders},
    {.name = "a folder under a file", .how = FailedSave::UnderAFile},
    {.name = "no folder known", .how = FailedSave::NoFolder},
    {.name = "a full disk: old files whole", .how = FailedSave::DiskFull},
};

const struct PrintOptionRow
{
    const char *name;
    QByteArray bytes;
    bool on;
} printOptionRows[] = {
    {.name = "as a save writes them", .bytes = "[print]\nkeepWords=true\nfitFirstPage=true\n", .on = true},
    {.name = "other values", .bytes = "[print]\nkeepWords=maybe\nfitFirstPage=1\n", .on = false},
    {.name = "past 64 KiB: broken",
        .bytes = "[print]\nkeepWords=true\nfitFirstPage=true\n" + QByteArray(65536, '\n'),
        .on = false},
};

const struct TextItemRow
{
    const char *name;
    QString text;
    QStringList items;
} textItemRows[] = {
    {.name = "commas and every line end",
        .text = u"a,b\r\nc\nd\re"_s,
        .items = {u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s}},
    {.name = "the rest of a quoted field dropped", .text = u"\"x,y\" junk,z"_s, .items = {u"x,y"_s, u"z"_s}},
    {.name = "a quote closed on a later line not joined",
        .text = u"\"a\r\nb\""_s,
        .items = {u"a"_s, u"b\""_s}},
    {.name = "a quote never closed on a line of LF",
        .text = u"\"a\nb,c"_s,
        .items = {u"a"_s, u"b"_s, u"c"_s}},
    {.name = "leading blanks skipped, trailing kept",
        .text = u" \t ＭＳ Ｐ明朝 "_s,
        .items = {u"ＭＳ Ｐ明朝 "_s}},
    {.name = "empty lines", .text = u"\r\n\r\nx"_s, .items = {QString(), QString(), u"x"_s}},
};

const struct NumberRow
{
    const char *name;
    QString text;
    std::optional<std::int16_t> number;
} numberRows[] = {
    {.name = "blanks around", .text = u" 10 "_s, .number = 10},
    {.name = "the smallest", .text = u"-32768"_s, .number = -32768},
    {.name = "the largest", .text = u"32767"_s, .number = 32767},
    {.name = "too large", .text = u"32768"_s, .number = {}},
    {.name = "two numbers", .text = u"1 2"_s, .number = {}},
    {.name = "an empty item", .text = u",5"_s, .number = {}},
    {.name = "the first item", .text = u"8,9"_s, .number = 8},
};

const struct WrittenRow
{
    const char *name;
    QString value, line;
} writtenRows[] = {
    {.name = "plain", .value = u"ＭＳ Ｐ明朝"_s, .line = u"ＭＳ Ｐ明朝"_s},
    {.name = "leading blanks quoted", .value = u"  《校内》"_s, .line = u"\"  《校内》\""_s},
};

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
        m.options.FontName = u"前の値"_s;
        m.options.FontSize = 77;
        m.options.SheetLogo = u"前の値"_s;
    }

    void loadFont_data() { addRows(fontRows); }
    void loadFont()
    {
        QFETCH(int, row);
        writeBytes(ini(), fontRows[row].bytes);
        LoadFontSettings(m);
        QCOMPARE(m.options.FontName, fontRows[row].font);
        QCOMPARE(int(m.options.FontSize), fontRows[row].size);
    }

    // Missing or folders of that name: defaults, and nothing is created.
    void loadWithoutFileGivesDefaults_data() { addRows(noFileRows); }
    void loadWithoutFileGivesDefaults()
    {
        QFETCH(int, row);
        if (noFileRows[row].asFolder) {
            QVERIFY(QDir().mkpath(ini()));
            QVERIFY(QDir().mkpath(rog()));
        }
        LoadFontSettings(m);
        LoadSheetLogo(m);
        QCOMPARE(m.options.FontName, u"ＭＳ Ｐ明朝"_s);
        QCOMPARE(int(m.options.FontSize), 10);
        QCOMPARE(m.options.SheetLogo, u"《ミナセラ》"_s);
        QVERIFY(!QFileInfo(ini()).isFile());
        QVERIFY(!QFileInfo(rog()).isFile());
    }

    void loadLogo_data() { addRows(logoRows); }
    void loadLogo()
    {
        QFETCH(int, row);
        writeBytes(rog(), logoRows[row].bytes);
        LoadSheetLogo(m);
        QCOMPARE(m.options.SheetLogo, logoRows[row].logo);
    }

    // What is written over a longer old file, byte for byte, reads back as the same values.
    void savedBytes()
    {
        writeBytes(ini(), QByteArray(200, 'x'));
        writeBytes(rog(), QByteArray(200, 'x'));
        m.options.FontName = u"ＭＳ Ｐ明朝"_s;
        m.options.FontSize = 10;
        m.options.SheetLogo = u"二年, 英語"_s;
        SaveFontSettings(m);
        SaveSheetLogo(m);
        QCOMPARE(readBytes(ini()), DefaultIniBytes);
        QCOMPARE(readBytes(rog()), sjis(u"\"二年, 英語\"\r\n"_s));
        Module1 again;
        again.SettingsFolder = m.SettingsFolder;
        LoadFontSettings(again);
        LoadSheetLogo(again);
        QCOMPARE(again.options.FontName, u"ＭＳ Ｐ明朝"_s);
        QCOMPARE(int(again.options.FontSize), 10);
        QCOMPARE(again.options.SheetLogo, u"二年, 英語"_s);
    }

    // Nothing is shown, the values in memory stay, the disk is left as it was.
    void failedSaveIsSilentAndHarmless_data() { addRows(failedSaveRows); }
    void failedSaveIsSilentAndHarmless()
    {
        QFETCH(int, row);
        const FailedSave how = failedSaveRows[row].how;
        if (how == FailedSave::Folders) {
            QVERIFY(QDir().mkpath(ini()));
            QVERIFY(QDir().mkpath(rog()));
        } else if (how == FailedSave::UnderAFile) {
            writeBytes(m_dir.filePath(u"plain"_s), "x");
            m.SettingsFolder = m_dir.filePath(u"plain/sorario"_s);
        } else if (how == FailedSave::NoFolder) {
            m.SettingsFolder.clear();
            m.ProgramFolder.clear();
        } else {
            writeBytes(ini(), DefaultIniBytes);
            writeBytes(rog(), sjis(u"《旧》\r\n"_s));
        }
        m.options.FontName = m.options.SheetLogo = QString(100, u'長');
        const auto before = snapshot(m_dir.path());
        {
            std::optional<FileSizeLimit> limit;
            if (how == FailedSave::DiskFull && !CanLimitFileSize)
                SORARIO_POSIX_ONLY("a full disk through a file-size limit");
            if (how == FailedSave::DiskFull)
                QVERIFY(limit.emplace(16).ok());
            SaveFontSettings(m);
            SaveSheetLogo(m);
        }
        QCOMPARE(m.options.FontName, QString(100, u'長'));
        QCOMPARE(snapshot(m_dir.path()), before);
    }

    // Sorario.ini: only the values a save writes switch an option on; a broken file is
    // replaced whole by the next save.
    void printOptions_data() { addRows(printOptionRows); }
    void printOptions()
    {
        QFETCH(int, row);
        writeBytes(PrintOptionsFilePath(settingsFoldersOf(m)), printOptionRows[row].bytes);
        loadPrintOptions(m);
        QCOMPARE(m.options.lineBreaks == WordBreaks::KeepWords, printOptionRows[row].on);
        QCOMPARE(m.options.overflow == Overflow::ShrinkFirst, printOptionRows[row].on);
    }

    void firstStartKeepsWordsAndQuestions()
    {
        Module1 first;
        first.SettingsFolder = m.SettingsFolder;
        loadPrintOptions(first);
        QCOMPARE(first.options.lineBreaks, WordBreaks::KeepWords);
        QCOMPARE(first.options.pageBreaks, QuestionBreaks::KeepQuestions);
    }

    void printOptionsSaved()
    {
        m.options.lineBreaks = WordBreaks::KeepWords;
        SavePrintOptions(m);
        QCOMPARE(readBytes(PrintOptionsFilePath(settingsFoldersOf(m))),
            "[print]\nfitFirstPage=false\nkeepWords=true\npaper=b5\n");
    }

    // The item reader under both files.
    void textItems_data() { addRows(textItemRows); }
    void textItems()
    {
        QFETCH(int, row);
        QCOMPARE(allTextItems(textItemRows[row].text), textItemRows[row].items);
    }

    void numberItem_data() { addRows(numberRows); }
    void numberItem()
    {
        QFETCH(int, row);
        QCOMPARE(ItemReader(numberRows[row].text).readNumber(), numberRows[row].number);
    }

    // Whatever the writer puts on a line must read back as the same value.
    void writtenLineReadsBack_data() { addRows(writtenRows); }
    void writtenLineReadsBack()
    {
        QFETCH(int, row);
        QCOMPARE(TextItemLine(writtenRows[row].value), writtenRows[row].line);
        QCOMPARE(ItemReader(writtenRows[row].line + u"\r\n"_s).readText(),
            std::optional<QString>(writtenRows[row].value));
    }
};

QTEST_GUILESS_MAIN(TestSheetSettings)
#include "tst_SheetSettings.moc"
