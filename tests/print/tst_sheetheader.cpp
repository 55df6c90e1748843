#include "PrintTestSupport.h"

#include "print/SheetHeader.h"

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

class TestSheetHeader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void header()
    {
        auto m = moduleWith({});
        m->FileHeaders(1, 3) = u"K7"_s;
        m->SheetLogo = u"《ミナセラ》"_s;
        m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
        RecordingSurface s;
        PrintHeader(*m, s);

        const auto ops = s.log().operations();
        QCOMPARE(ops.size(), 5 + 8);
        struct L
        {
            double x1, y1, x2, y2;
            bool box;
            int color;
        };
        const QList<L> lines {{12, 12, 167, 30, true, 6}, {95, 12, 95, 30, false, 0},
            {150, 12, 150, 30, false, 0}, {95, 17, 150, 17, false, 0}, {100, 17, 100, 30, false, 0}};
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(ops[i].kind, PrintOperation::Kind::Line);
            QCOMPARE(ops[i].x1, lines[i].x1);
            QCOMPARE(ops[i].y1, lines[i].y1);
            QCOMPARE(ops[i].x2, lines[i].x2);
            QCOMPARE(ops[i].y2, lines[i].y2);
            QCOMPARE(ops[i].box, lines[i].box);
            QCOMPARE(ops[i].color, lines[i].color);
        }
        struct T
        {
            double x, y, size;
            QString text;
            bool lineEnd;
        };
        const QList<T> texts {
            {12, 9, 8, u"K7(SheetNo.:03051407)"_s, false},
            {150.5, 9, 8, u"《ミナセラ》"_s, true}, // 167 - 6 * 2.75
            {97, 14, 8, u"　　　　年　　　　　組　　　　　番"_s, true},
            {96, 20, 8, u"氏"_s, true},
            {96, 24, 8, u"名"_s, true},
            {163, 26, 8, u"点"_s, true},
            {16, 16, 16, u"文法テスト"_s, true},
            {20, 24, 12, u"すべてのはんい"_s, false},
        };
        const auto printed = s.log().texts();
        QCOMPARE(printed.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(printed[i].text, texts[i].text);
            QCOMPARE(printed[i].x, texts[i].x);
            QCOMPARE(printed[i].y, texts[i].y);
            QCOMPARE(printed[i].size, texts[i].size);
            QCOMPARE(printed[i].lineEnd, texts[i].lineEnd);
            QCOMPARE(printed[i].font, u"ＭＳ ゴシック"_s);
        }
        QCOMPARE(s.fontSize(), 12.0);
    }

    void rangeLine_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("allParts");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("line");
        const QStringList one {u"文法"_s};
        QTest::newRow("whole range") << one << 1 << QStringList {} << one[0] << u"すべてのはんい"_s;
        QTest::newRow("two parts") << one << 0 << QStringList {u"２"_s, u"５"_s} << one[0] << u"その２・５"_s;
        const QStringList eight {u"１"_s, u"２"_s, u"３"_s, u"４"_s, u"５"_s, u"６"_s, u"７"_s, u"８"_s};
        QTest::newRow("17 characters kept")
            << one << 0 << eight << one[0] << u"その１・２・３・４・５・６・７・８"_s;
        QTest::newRow("longer: first and last")
            << one << 0 << (eight + QStringList {u"１２"_s}) << one[0] << u"１～１２"_s;
        QTest::newRow("two files") << QStringList {u"基礎"_s, u"応用"_s} << 0 << QStringList {}
                                   << u"まとめのテスト"_s << u"基礎～応用"_s;
        QTest::newRow("titles cut after 17")
            << QStringList {u"ABCDEFGH"_s, u"x"_s, u"IJKLMNOPQ"_s} << 1 << QStringList {}
            << u"まとめのテスト"_s << u"ABCDEFGH～IJKLMNOP"_s;
        QTest::newRow("empty titles")
            << QStringList {QString(), QString()} << 1 << QStringList {} << u"まとめのテスト"_s << u"～"_s;
    }
    void rangeLine()
    {
        QFETCH(QStringList, titles);
        QFETCH(int, allParts);
        QFETCH(QStringList, parts);
        QFETCH(QString, title);
        QFETCH(QString, line);
        Module1 m;
        m.ChosenFileCount = static_cast<std::int16_t>(titles.size());
        for (int f = 0; f < titles.size(); ++f)
            m.FileHeaders(f + 1, 1) = titles[f];
        m.AllPartsChosen = static_cast<std::int16_t>(allParts);
        m.ChosenPartCount = static_cast<std::int16_t>(parts.size());
        for (int i = 0; i < parts.size(); ++i)
            m.ChosenPartNumbers(i + 1) = parts[i];
        QCOMPARE(SheetTitleText(m), title);
        QCOMPARE(RangeLineText(m), line);
    }
};

QTEST_GUILESS_MAIN(TestSheetHeader)
#include "tst_sheetheader.moc"
