// SPDX-License-Identifier: GPL-3.0-or-later
// Paper choices, English words kept whole, and a test shrunk to fit its page.
#include "PrintTestSupport.h"

#include "support/ScriptedDialogs.h"

#include "print/QtPrintSurface.h"
#include "print/QuestionLayouts.h"

#include <QProcess>
#include <QRegularExpression>
#include <QSizeF>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

Q_DECLARE_METATYPE(sorario::Paper)

namespace {

QString tool(const QString &name, const QStringList &args)
{
    QProcess p;
    p.start(name, args);
    p.waitForFinished();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The words of one half of a sheet, as pdftotext finds them in that crop.
QString halfText(const QString &pdf, int sheet, bool right, double width, double height)
{
    const QString half = QString::number(int(width / 2));
    const QString page = QString::number(sheet);
    return tool(u"pdftotext"_s,
        {u"-f"_s, page, u"-l"_s, page, u"-x"_s, right ? half : u"0"_s, u"-y"_s, u"0"_s, u"-W"_s, half,
            u"-H"_s, QString::number(int(height)), pdf, u"-"_s})
        .simplified();
}

} // namespace

class TestPaper : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Each B5 page carries its own number at its top left corner.
    void paper_data()
    {
        QTest::addColumn<Paper>("paper");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QSizeF>("mm");
        QTest::addColumn<QStringList>("halves"); // left|right of every sheet
        QTest::newRow("B5 as always")
            << Paper::B5 << 2 << QSizeF(182, 257) << QStringList {u"p1|"_s, u"p2|"_s};
        QTest::newRow("A4 enlarged") << Paper::A4 << 1 << QSizeF(210, 297) << QStringList {u"p1|"_s};
        QTest::newRow("B4 two-up, odd last page on the left")
            << Paper::B4TwoUp << 5 << QSizeF(364, 257) << QStringList {u"p1|p2"_s, u"p3|p4"_s, u"p5|"_s};
        QTest::newRow("A3 two-up") << Paper::A3TwoUp << 2 << QSizeF(420, 297) << QStringList {u"p1|p2"_s};
    }
    void paper()
    {
        if (QStandardPaths::findExecutable(u"pdfinfo"_s).isEmpty())
            QSKIP("poppler-utils not installed");
        QFETCH(Paper, paper);
        QFETCH(int, pages);
        QFETCH(QSizeF, mm);
        QFETCH(QStringList, halves);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"sheet.pdf"_s);
        QtPrintSurface surface(pdf);
        surface.setPaperPlacing(paper);
        surface.setPaperSize(PaperSize::JisB5);
        surface.setFontSize(10);
        for (int page = 1; page <= pages; ++page) {
            if (page > 1)
                surface.newPage();
            surface.setCurrentX(10);
            surface.setCurrentY(10);
            surface.print(u"p%1"_s.arg(page), true);
        }
        surface.endDoc();
        QCOMPARE(surface.pagesPrinted(), pages);

        const QString info = tool(u"pdfinfo"_s, {pdf});
        QVERIFY2(info.contains(u"Pages:           %1\n"_s.arg(halves.size())), qPrintable(info));
        const auto found = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(info);
        const double w = found.captured(1).toDouble(), h = found.captured(2).toDouble();
        // Qt writes the page size in whole points.
        QVERIFY2(std::abs(w - mm.width() * 72 / 25.4) < 1 && std::abs(h - mm.height() * 72 / 25.4) < 1,
            qPrintable(info));
        for (qsizetype sheet = 0; sheet < halves.size(); ++sheet) {
            const QString seen = halfText(pdf, int(sheet) + 1, false, w, h) + u'|'
                + halfText(pdf, int(sheet) + 1, true, w, h);
            QCOMPARE(seen, halves.at(sheet));
        }
    }

    // Fixed metrics at 10 points: a line holds 90 ASCII characters after x = 10.
    void keepWords_data()
    {
        const QString filler(80, u'x');
        QTest::addColumn<bool>("keep");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("off: cut where the width runs out")
            << false << filler + u" garden"_s << QStringList {u"( 1) "_s + filler + u" gard"_s, u"　 en"_s};
        QTest::newRow("the word goes whole to the next line")
            << true << filler + u" garden"_s << QStringList {u"( 1) "_s + filler + u" "_s, u"　 garden"_s};
        QTest::newRow("apostrophes and digits belong to the word")
            << true << filler + u" don't 1st"_s
            << QStringList {u"( 1) "_s + filler + u" "_s, u"　 don't 1st"_s};
        QTest::newRow("a word longer than a line is still broken")
            << true << QString(100, u'y')
            << QStringList {u"( 1) "_s, u"　 "_s + QString(87, u'y'), u"　 yyyyyyyyyyyyy"_s};
        QTest::newRow("a closing mark hangs as before")
            << true << QString(42, u'あ') + u"。後"_s
            << QStringList {u"( 1) "_s + QString(42, u'あ') + u"。"_s, u"　 後"_s};
    }
    void keepWords()
    {
        QFETCH(bool, keep);
        QFETCH(QString, question);
        auto m = moduleWith({{question, QString(), u"a"_s}});
        m->LineBreaks = keep ? WordBreaks::KeepWords : WordBreaks::Anywhere;
        const PrintLog log = printed(*m, PrintQuestionsFitted);
        QStringList lines;
        for (double top : lineTops(log, 1)) {
            QString line;
            for (const PrintOperation &op : log.texts(1))
                if (op.y == top)
                    line += op.text;
            lines.append(line);
        }
        QTEST(lines, "lines");
    }

    // One-line questions at 10 points: 41 fit the first page, 52 at 9 or 8 points.
    void fit_data()
    {
        QTest::addColumn<bool>("fit");
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("fittedSize");
        QTest::addColumn<bool>("asked");
        QTest::newRow("fits as chosen") << true << 41 << 0 << false;
        QTest::newRow("lowered to the largest size that fits") << true << 45 << 9 << false;
        QTest::newRow("not even at 8: asked at the chosen size") << true << 60 << 0 << true;
        QTest::newRow("off: asked") << false << 45 << 0 << true;
    }
    void fit()
    {
        QFETCH(bool, fit);
        QFETCH(int, questions);
        QFETCH(int, fittedSize);
        QFETCH(bool, asked);
        auto m = moduleWith(plainQuestions(questions));
        m->OverflowRule = fit ? Overflow::ShrinkFirst : Overflow::Ask;
        RecordingSurface s;
        ScriptedDialogs d;
        d.messageAnswers.enqueue(MessageAnswer::No);
        QVERIFY(PrintSheet(*m, s, d).printed());
        QCOMPARE(d.kinds().contains(u"message"_s), asked);
        QCOMPARE(int(m->FittedSize), fittedSize);
        QCOMPARE(int(m->FontSize), 10);
        const double printedAt = fittedSize > 0 ? fittedSize : 10;
        QCOMPARE(s.log().texts(1).last().size, printedAt);
        QCOMPARE(s.log().pagesDelivered(), asked ? 2 : 1);
    }
};

QTEST_MAIN(TestPaper)
#include "tst_paper.moc"
