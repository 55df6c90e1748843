#include "settings/ItemReader.h"
#include "settings/TextItemLine.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;

// Reads a whole text as a sequence of text items.
static QStringList allTextItems(const QString &text)
{
    ItemReader reader(text);
    QStringList items;
    while (const std::optional<QString> item = reader.readText())
        items.append(*item);
    return items;
}

class TestItemReader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textItems_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("items");

        QTest::newRow("comma and line ends")
            << u"a,b\r\nc\nd\re"_s << QStringList{u"a"_s, u"b"_s, u"c"_s, u"d"_s, u"e"_s};
        QTest::newRow("quoted comma, rest of field dropped")
            << u"\"x,y\" junk,z"_s << QStringList{u"x,y"_s, u"z"_s};
        QTest::newRow("unclosed quote stops at line end")
            << u"\"open\r\nnext"_s << QStringList{u"open"_s, u"next"_s};
        QTest::newRow("quote closed on a later line is not joined")
            << u"\"a\r\nb\""_s << QStringList{u"a"_s, u"b\""_s};
        QTest::newRow("leading blanks and tabs skipped, inner and trailing kept")
            << u" \t ＭＳ Ｐ明朝 "_s << QStringList{u"ＭＳ Ｐ明朝 "_s};
        QTest::newRow("empty lines are empty items")
            << u"\r\n\r\nx"_s << QStringList{QString(), QString(), u"x"_s};
        QTest::newRow("full-width and ideographic commas are text")
            << u"甲，乙、丙"_s << QStringList{u"甲，乙、丙"_s};
        QTest::newRow("empty text has no item") << QString() << QStringList{};
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
        QTest::newRow("tabs") << u"\t-7\t"_s << -7;
        QTest::newRow("plus") << u"+3"_s << 3;
        QTest::newRow("leading zeros") << u"000012"_s << 12;
        QTest::newRow("lowest") << u"-32768"_s << -32768;
        QTest::newRow("highest") << u"32767"_s << 32767;
        QTest::newRow("one above") << u"32768"_s << 99999;
        QTest::newRow("one below") << u"-32769"_s << 99999;
        QTest::newRow("huge") << u"99999999999999999999"_s << 99999;
        QTest::newRow("letters") << u"abc"_s << 99999;
        QTest::newRow("digits then letters") << u"12pt"_s << 99999;
        QTest::newRow("decimal") << u"10.5"_s << 99999;
        QTest::newRow("inner blank") << u"1 2"_s << 99999;
        QTest::newRow("full-width digits") << u"１２"_s << 99999;
        QTest::newRow("sign only") << u"-"_s << 99999;
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
        QTest::newRow("comma") << u"Sorario, Inc."_s << u"\"Sorario, Inc.\""_s;
        QTest::newRow("leading blank") << u"  《校内》"_s << u"\"  《校内》\""_s;
        QTest::newRow("leading tab") << u"\tx"_s << u"\"\tx\""_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("trailing blank") << u"x "_s << u"x "_s;
    }

    void writtenLineReadsBack()
    {
        QFETCH(QString, value);
        QFETCH(QString, line);
        QCOMPARE(TextItemLine(value), line);
        QCOMPARE(ItemReader(line + u"\r\n"_s).readText(), std::optional<QString>(value));
    }
};

QTEST_GUILESS_MAIN(TestItemReader)
#include "tst_ItemReader.moc"
