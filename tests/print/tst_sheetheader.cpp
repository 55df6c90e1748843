#include "PrintTestSupport.h"

#include "print/SheetHeader.h"

#include <QTest>

using namespace sorario;
using namespace sorario::test;

class TestSheetHeader : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void header()
    {
        auto m = moduleWith({});
        m->FileHeaders(1, 3) = QStringLiteral("K7");
        m->SheetLogo = QStringLiteral("《ミナセラ》");
        m->clock.setFixed(QDateTime(QDate(2024, 3, 5), QTime(14, 7)));
        RecordingSurface s;
        PrintHeader(*m, s);

        const auto ops = s.log().operations();
        QCOMPARE(ops.size(), 5 + 8);
        struct L { double x1, y1, x2, y2; bool box; int color; };
        const QList<L> lines{{12, 12, 167, 30, true, 6}, {95, 12, 95, 30, false, 0},
                             {150, 12, 150, 30, false, 0}, {95, 17, 150, 17, false, 0},
                             {100, 17, 100, 30, false, 0}};
        for (int i = 0; i < lines.size(); ++i) {
            QCOMPARE(ops[i].kind, PrintOperation::Kind::Line);
            QCOMPARE(ops[i].x1, lines[i].x1);
            QCOMPARE(ops[i].y1, lines[i].y1);
            QCOMPARE(ops[i].x2, lines[i].x2);
            QCOMPARE(ops[i].y2, lines[i].y2);
            QCOMPARE(ops[i].box, lines[i].box);
            QCOMPARE(ops[i].color, lines[i].color);
        }
        struct T { double x, y, size; QString text; bool lineEnd; };
        const QList<T> texts{
            {12, 9, 8, QStringLiteral("K7(SheetNo.:03051407)"), false},
            {150.5, 9, 8, QStringLiteral("《ミナセラ》"), true}, // 167 - 6 * 2.75
            {97, 14, 8, QStringLiteral("　　　　年　　　　　組　　　　　番"), true},
            {96, 20, 8, QStringLiteral("氏"), true},
            {96, 24, 8, QStringLiteral("名"), true},
            {163, 26, 8, QStringLiteral("点"), true},
            {16, 16, 16, QStringLiteral("文法テスト"), true},
            {20, 24, 12, QStringLiteral("すべてのはんい"), false},
        };
        const auto printed = s.log().texts();
        QCOMPARE(printed.size(), texts.size());
        for (int i = 0; i < texts.size(); ++i) {
            QCOMPARE(printed[i].text, texts[i].text);
            QCOMPARE(printed[i].x, texts[i].x);
            QCOMPARE(printed[i].y, texts[i].y);
            QCOMPARE(printed[i].size, texts[i].size);
            QCOMPARE(printed[i].lineEnd, texts[i].lineEnd);
            QCOMPARE(printed[i].font, QStringLiteral("ＭＳ ゴシック"));
        }
        QCOMPARE(s.fontSize(), 12.0);
    }

    void longLogoReachesLeft()
    {
        auto m = moduleWith({});
        m->SheetLogo = QString(60, QChar(u'ロ'));
        RecordingSurface s;
        PrintHeader(*m, s);
        QCOMPARE(s.log().texts()[1].x, 167 - 60 * 2.75);
    }

    void rangeLine_data()
    {
        QTest::addColumn<QStringList>("titles");
        QTest::addColumn<int>("allParts");
        QTest::addColumn<QStringList>("parts");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("line");
        const QStringList one{QStringLiteral("文法")};
        QTest::newRow("whole range") << one << 1 << QStringList{} << one[0] << QStringLiteral("すべてのはんい");
        QTest::newRow("two parts") << one << 0 << QStringList{QStringLiteral("２"), QStringLiteral("５")}
                                   << one[0] << QStringLiteral("その２・５");
        const QStringList eight{QStringLiteral("１"), QStringLiteral("２"), QStringLiteral("３"), QStringLiteral("４"),
                                QStringLiteral("５"), QStringLiteral("６"), QStringLiteral("７"), QStringLiteral("８")};
        QTest::newRow("17 characters kept") << one << 0 << eight << one[0]
                                            << QStringLiteral("その１・２・３・４・５・６・７・８");
        QTest::newRow("longer: first and last")
            << one << 0 << (eight + QStringList{QStringLiteral("１２")}) << one[0] << QStringLiteral("１～１２");
        QTest::newRow("two files")
            << QStringList{QStringLiteral("基礎"), QStringLiteral("応用")} << 0 << QStringList{}
            << QStringLiteral("まとめのテスト") << QStringLiteral("基礎～応用");
        QTest::newRow("titles cut after 17")
            << QStringList{QStringLiteral("ABCDEFGH"), QStringLiteral("x"), QStringLiteral("IJKLMNOPQ")} << 1
            << QStringList{} << QStringLiteral("まとめのテスト") << QStringLiteral("ABCDEFGH～IJKLMNOP");
        QTest::newRow("empty titles") << QStringList{QString(), QString()} << 1 << QStringList{}
                                      << QStringLiteral("まとめのテスト") << QStringLiteral("～");
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
