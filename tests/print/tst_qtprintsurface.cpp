// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/FontSubstitution.h"
#include "print/QtPrintSurface.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <memory>

using namespace Qt::StringLiterals;
using sorario::PrintFailure;
using sorario::QtPrintSurface;

namespace {

// Runs a poppler tool; empty output when it fails or is missing.
QString tool(const QString &name, const QStringList &args)
{
    QProcess process;
    process.start(name, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString pageText(const QString &pdf, int page)
{
    const QString n = QString::number(page);
    return tool(u"pdftotext"_s, {u"-f"_s, n, u"-l"_s, n, u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s}).simplified();
}

// The page rendered at 254 dpi: ten pixels a millimetre.
QImage renderPage(const QString &pdf)
{
    const QString stem = pdf + u"-page"_s;
    tool(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"254"_s, u"-singlefile"_s, pdf, stem});
    return QImage(stem + u".png"_s);
}

QStringList folderEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void startSheet(QtPrintSurface &surface, const QString &font = u"ＭＳ Ｐ明朝"_s, double size = 10)
{
    surface.setScaleMode(sorario::ScaleMode::Millimetres);
    surface.setPaperSize(sorario::PaperSize::JisB5);
    surface.setOrientation(sorario::Orientation::Portrait);
    surface.setFontName(font);
    surface.setFontSize(size);
}

void printAt(QtPrintSurface &surface, double x, double y, const QString &text, bool lineEnd = false)
{
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    surface.print(text, lineEnd);
}

} // namespace

class TestQtPrintSurface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        for (const QString &name : {u"pdfinfo"_s, u"pdftotext"_s, u"pdftoppm"_s}) {
            if (QStandardPaths::findExecutable(name).isEmpty())
                QSKIP("poppler-utils not installed");
        }
        if (!QFontDatabase::families().contains(u"IPAPMincho"_s))
            QSKIP("IPA fonts not installed");
    }

    void drawsRulesAndBold_data()
    {
        QTest::addColumn<int>("color");
        QTest::addColumn<QColor>("expected");

        QTest::newRow("6: red 6, green 0, blue 0") << 6 << QColor(6, 0, 0);
        QTest::newRow("0xFF0000: blue") << 0xFF0000 << QColor(0, 0, 255);
    }

    void drawsRulesAndBold()
    {
        QFETCH(int, color);
        QFETCH(QColor, expected);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"sheet.pdf"_s);
        QtPrintSurface surface(pdf);
        startSheet(surface, u"ＭＳ Ｐ明朝"_s, 12);
        surface.line(12, 12, 167, 30, true, color);
        surface.line(10, 100, 172, 100, false, color);
        printAt(surface, 20, 150, u"太字 bold"_s);
        surface.setFontEmphasis(true);
        printAt(surface, 20, 170, u"太字 bold"_s);
        surface.endDoc();

        const QImage page = renderPage(pdf);
        QVERIFY(!page.isNull());
        const auto at = [&](double x, double y) { return page.pixelColor(int(x * 10), int(y * 10)); };
        const auto inked = [&](double x, double y) {
            const QColor c = at(x, y);
            return std::abs(c.red() - expected.red()) + std::abs(c.green() - expected.green())
                + std::abs(c.blue() - expected.blue())
                < 60;
        };
        QVERIFY(inked(50, 12) && inked(167, 20) && inked(100, 30)); // box outline
        QCOMPARE(at(50, 20), QColor(Qt::white)); // not filled
        QVERIFY(inked(50, 100));
        QCOMPARE(at(50, 100.5), QColor(Qt::white)); // a thin rule
        QCOMPARE(at(5, 100), QColor(Qt::white)); // that starts at x = 10

        const auto ink = [&](int top) {
            int dark = 0;
            for (int y = top * 10; y < (top + 6) * 10; ++y)
                for (int x = 150; x < 800; ++x)
                    dark += qGray(page.pixel(x, y)) < 128;
            return dark;
        };
        QVERIFY2(ink(170) > ink(150) * 1.15, qPrintable(u"%1 / %2"_s.arg(ink(170)).arg(ink(150))));
    }

    void unfinishedDocumentLeavesOldFile_data()
    {
        QTest::addColumn<bool>("existing");
        QTest::addColumn<bool>("killDoc"); // else the surface goes away without an end

        QTest::newRow("killDoc, no file before") << false << true;
        QTest::newRow("killDoc, old file kept") << true << true;
        QTest::newRow("run broken off, old file kept") << true << false;
    }

    void unfinishedDocumentLeavesOldFile()
    {
        QFETCH(bool, existing);
        QFETCH(bool, killDoc);

        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"sheet.pdf"_s);
        const QByteArray earlier = "an earlier sheet";
        const auto permissions
            = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup;
        if (existing) {
            QFile file(pdf);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(earlier);
            file.setPermissions(permissions);
        }
        const auto untouched = [&] {
            QFile file(pdf);
            const bool there = file.open(QIODevice::ReadOnly);
            return there == existing && (!there || file.readAll() == earlier)
                && folderEntries(dir.path()).size() == (existing ? 1 : 0);
        };
        auto surface = std::make_unique<QtPrintSurface>(pdf);
        startSheet(*surface);
        printAt(*surface, 20, 20, u"捨てる"_s);
        surface->newPage();
        surface->line(10, 10, 100, 10, false, 0);
        if (!killDoc) {
            surface.reset();
            QVERIFY(untouched());
            return;
        }
        surface->killDoc();
        QCOMPARE(surface->pagesPrinted(), 0);
        QVERIFY(untouched());

        // The next document of the same surface is whole and replaces the old file.
        printAt(*surface, 20, 20, u"新しい"_s);
        surface->endDoc();
        QCOMPARE(surface->pagesPrinted(), 1);
        QCOMPARE(pageText(pdf, 1), u"新しい"_s);
        QCOMPARE(folderEntries(dir.path()), QStringList {u"sheet.pdf"_s});
        if (existing)
            QCOMPARE(QFile::permissions(pdf), permissions);
    }

    void missingDestinationFails_data()
    {
        QTest::addColumn<QString>("relativePath");
        QTest::addColumn<bool>("goneOnlyAtEnd");

        QTest::newRow("no output file") << QString() << false;
        QTest::newRow("folder missing") << u"gone/sheet.pdf"_s << false;
        QTest::newRow("folder removed before the end") << u"gone/sheet.pdf"_s << true;
    }

    void missingDestinationFails()
    {
        QFETCH(QString, relativePath);
        QFETCH(bool, goneOnlyAtEnd);

        QTemporaryDir dir;
        if (goneOnlyAtEnd)
            QVERIFY(QDir(dir.path()).mkdir(u"gone"_s));
        QtPrintSurface surface;
        surface.printer().setOutputFileName(relativePath.isEmpty() ? QString() : dir.filePath(relativePath));
        surface.printer().setOutputFormat(QPrinter::PdfFormat); // even where a printer is installed
        startSheet(surface);
        QVERIFY(surface.textWidth(u"あ"_s) > 0); // measuring needs no destination
        if (goneOnlyAtEnd) {
            printAt(surface, 20, 20, u"あ"_s);
            QVERIFY(QDir(dir.filePath(u"gone"_s)).removeRecursively());
            QVERIFY_THROWS_EXCEPTION(PrintFailure, surface.endDoc());
        } else {
            QVERIFY_THROWS_EXCEPTION(PrintFailure, printAt(surface, 20, 20, u"あ"_s));
            QVERIFY_THROWS_EXCEPTION(PrintFailure, surface.line(10, 10, 20, 10, false, 0));
        }
        QCOMPARE(surface.pagesPrinted(), 0);
        QVERIFY(folderEntries(dir.path()).isEmpty());
    }

    void measuresLikeThePrinter_data()
    {
        QTest::addColumn<QString>("font");
        QTest::addColumn<double>("size");
        QTest::addColumn<int>("charHeight");

        // The Windows faces are one em high: 10 pt is 3.53 mm, 12 pt 4.23 mm.
        QTest::newRow("ＭＳ Ｐ明朝 10") << u"ＭＳ Ｐ明朝"_s << 10.0 << 4;
        QTest::newRow("ＭＳ ゴシック 16") << u"ＭＳ ゴシック"_s << 16.0 << 6;
        // A face used under its own name keeps its own, taller line (1.1 em).
        QTest::newRow("IPAPMincho 12") << u"IPAPMincho"_s << 12.0 << 5;
    }

    void measuresLikeThePrinter()
    {
        QFETCH(QString, font);
        QFETCH(double, size);
        QFETCH(int, charHeight);

        QtPrintSurface surface;
        startSheet(surface, font, size);
        QCOMPARE(int(std::nearbyint(surface.textHeight(u"あ"_s))), charHeight);

        // Widths follow the size exactly; a rounded font size would be off by up to 1.5 %.
        const QString text = u"Question あいう漢字"_s;
        const double width = surface.textWidth(text);
        surface.setFontSize(size * 2.1);
        const double ratio = surface.textWidth(text) / width;
        QVERIFY2(std::abs(ratio - 2.1) < 0.01, qPrintable(QString::number(ratio)));
        surface.setFontEmphasis(true); // synthesised bold keeps the advances
        QCOMPARE(surface.textWidth(text), ratio * width);
    }
};

QTEST_MAIN(TestQtPrintSurface)
#include "tst_qtprintsurface.moc"
