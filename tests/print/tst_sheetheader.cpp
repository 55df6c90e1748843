// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintTestSupport.h"

#include "print/SheetHeader.h"
#include "shared/SheetTitle.h"

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

        // Lines as "x1,y1 x2,y2 box color", texts as "x,y size font text end".
        QStringList got;
        for (const PrintOperation &op : s.log().operations())
            got.append(op.kind == PrintOperation::Kind::Line
                    ? u"%1,%2 %3,%4 %5 %6"_s.arg(op.x1).arg(op.y1).arg(op.x2).arg(op.y2).arg(op.box).arg(
                        op.color)
                    : u"%1,%2 %3 %4 %5 %6"_s.arg(op.x)
                          .arg(op.y)
                          .arg(op.size)
                          .arg(op.font, op.text)
                          .arg(op.lineEnd));
        const QString g = u"ＭＳ ゴシック"_s;
        const QStringList expected {
            u"12,12 167,30 1 6"_s,
            u"95,12 95,30 0 0"_s,
            u"150,12 150,30 0 0"_s,
            u"95,17 150,17 0 0"_s,
            u"100,17 100,30 0 0"_s,
            u"12,9 8 "_s + g + u" K7(SheetNo.:03051407) 0"_s,
            u"150.5,9 8 "_s + g + u" 《ミナセラ》 1"_s, // 167 - 6 * 2.75
            u"97,14 8 "_s + g + u" 　　　　年　　　　　組　　　　　番 1"_s,
            u"96,20 8 "_s + g + u" 氏 1"_s,
            u"96,24 8 "_s + g + u" 名 1"_s,
            u"163,26 8 "_s + g + u" 点 1"_s,
            u"16,16 16 "_s + g + u" 文法テスト 1"_s,
            u"20,24 12 "_s + g + u" すべてのはんい 0"_s,
        };
        QCOMPARE(got, expected);
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
    }
    void rangeLine()
    {
        QFETCH(QStringList, titles);
        QFETCH(QStringList, parts);
        Module1 m;
        m.ChosenFileCount = static_cast<std::int16_t>(titles.size());
        for (int f = 0; f < titles.size(); ++f)
            m.FileHeaders(f + 1, 1) = titles[f];
        QFETCH(int, allParts);
        m.AllPartsChosen = static_cast<std::int16_t>(allParts);
        m.ChosenPartCount = static_cast<std::int16_t>(parts.size());
        for (int i = 0; i < parts.size(); ++i)
            m.ChosenPartNumbers(i + 1) = parts[i];
        QTEST(SheetTitleText(m), "title");
        QTEST(RangeLineText(m, HeaderRangeLimit), "line");
    }
};

QTEST_GUILESS_MAIN(TestSheetHeader)
#include "tst_sheetheader.moc"
