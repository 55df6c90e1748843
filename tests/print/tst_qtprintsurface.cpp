#include "print/QtPrintSurface.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>

using namespace Qt::StringLiterals;
using sorario::PrintFailure;
using sorario::QtPrintSurface;

namespace {

constexpr double PointsPerMm = 72.0 / 25.4;

bool haveTool(const QString &tool)
{
    return !QStandardPaths::findExecutable(tool).isEmpty();
}

QByteArray runTool(const QString &tool, const QStringList &args)
{
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

QString pageText(const QString &pdf, int page)
{
    const QString n = QString::number(page);
    return QString::fromUtf8(runTool(u"pdftotext"_s, {u"-f"_s, n, u"-l"_s, n, u"-enc"_s,
                                                      u"UTF-8"_s, pdf, u"-"_s}))
        .simplified();
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList folderEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

void startSheet(QtPrintSurface &surface, const QString &font = u"ＭＳ Ｐ明朝"_s, double size = 10)
{
    surface.setScaleMode(6);
    surface.setPaperSize(13);
    surface.setOrientation(1);
    surface.setFontName(font);
    surface.setFontSize(size);
}

void printAt(QtPrintSurface &surface, double x, double y, const QString &text)
{
    surface.setCurrentX(x);
    surface.setCurrentY(y);
    surface.print(text, false);
}

} // namespace

class TestQtPrintSurface : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesPagesOfB5_data();
    void writesPagesOfB5();
    void placesTextByItsTopLeftCorner();
    void drawsRulesInTheirColour_data();
    void drawsRulesInTheirColour();
    void discardedDocumentLeavesNoFile_data();
    void discardedDocumentLeavesNoFile();
    void finishedDocumentReplacesOldFile();
    void missingDestinationFails_data();
    void missingDestinationFails();
    void widthScalesWithSize_data();
    void widthScalesWithSize();
    void emphasisPrintsBold();
    void charHeightMatchesThePrinter_data();
    void charHeightMatchesThePrinter();
    void windowsNamesResolveToStandIns_data();
    void windowsNamesResolveToStandIns();
};

void TestQtPrintSurface::writesPagesOfB5_data()
{
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<bool>("breakAtEnd");
    QTest::addColumn<int>("expectedPages");

    QTest::newRow("one page") << QStringList{u"問題 Question あいう"_s} << false << 1;
    QTest::newRow("three pages")
        << QStringList{u"一枚目 first"_s, u"二枚目 second"_s, u"三枚目 third"_s} << false << 3;
    QTest::newRow("break before the end adds no page") << QStringList{u"only"_s} << true << 1;
    QTest::newRow("empty page between") << QStringList{u"first"_s, QString(), u"third"_s} << false
                                        << 3;
}

void TestQtPrintSurface::writesPagesOfB5()
{
    if (!haveTool(u"pdfinfo"_s) || !haveTool(u"pdftotext"_s))
        QSKIP("poppler-utils not installed");
    QFETCH(QStringList, pages);
    QFETCH(bool, breakAtEnd);
    QFETCH(int, expectedPages);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    QtPrintSurface surface(pdf);
    startSheet(surface);
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            surface.newPage();
        printAt(surface, 20, 20, pages.at(i));
    }
    if (breakAtEnd)
        surface.newPage();
    surface.endDoc();

    QCOMPARE(surface.pagesPrinted(), expectedPages);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"sheet.pdf"_s});
    const QString info = QString::fromUtf8(runTool(u"pdfinfo"_s, {pdf}));
    const auto size = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(info);
    QVERIFY2(size.hasMatch(), qPrintable(info));
    // JIS B5, 182 x 257 mm (ISO B5 would be 498.9 x 708.7 pt); Qt rounds to whole points.
    QVERIFY(std::abs(size.captured(1).toDouble() - 182 * PointsPerMm) < 1.0);
    QVERIFY(std::abs(size.captured(2).toDouble() - 257 * PointsPerMm) < 1.0);
    QVERIFY(info.contains(u"Pages:           %1\n"_s.arg(expectedPages)));
    for (qsizetype i = 0; i < pages.size(); ++i)
        QCOMPARE(pageText(pdf, int(i) + 1), pages.at(i));
}

void TestQtPrintSurface::placesTextByItsTopLeftCorner()
{
    if (!haveTool(u"pdftotext"_s))
        QSKIP("poppler-utils not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    QtPrintSurface surface(pdf);
    startSheet(surface, u"ＭＳ ゴシック"_s, 12);
    surface.setCurrentX(30);
    surface.setCurrentY(40);
    surface.print(u"Corner"_s, true);
    const double lineHeight = surface.textHeight(u"Corner"_s);
    surface.print(u"Below "_s, false);
    const double belowWidth = surface.currentX();
    surface.print(u"Beside"_s, false);
    surface.endDoc();

    const QString boxes = QString::fromUtf8(runTool(u"pdftotext"_s, {u"-bbox"_s, pdf, u"-"_s}));
    const QRegularExpression word(u"xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\"[^>]*>(\\w+)<"_s);
    QHash<QString, QPointF> corners;
    for (const auto &match : word.globalMatch(boxes))
        corners.insert(match.captured(3), QPointF(match.captured(1).toDouble() / PointsPerMm,
                                                  match.captured(2).toDouble() / PointsPerMm));
    const auto near = [](QPointF got, QPointF want) {
        return std::abs(got.x() - want.x()) < 0.2 && std::abs(got.y() - want.y()) < 0.2;
    };
    QVERIFY2(near(corners.value(u"Corner"_s), {30, 40}), qPrintable(boxes));
    QVERIFY2(near(corners.value(u"Below"_s), {0, 40 + lineHeight}), qPrintable(boxes));
    QVERIFY(near(corners.value(u"Beside"_s), {belowWidth, 40 + lineHeight}));
}

void TestQtPrintSurface::drawsRulesInTheirColour_data()
{
    QTest::addColumn<int>("color");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("6: red 6, green 0, blue 0") << 6 << QColor(6, 0, 0);
    QTest::newRow("255: red") << 255 << QColor(255, 0, 0);
    QTest::newRow("0xFF0000: blue") << 0xFF0000 << QColor(0, 0, 255);
    QTest::newRow("0x00FF00: green") << 0x00FF00 << QColor(0, 255, 0);
}

void TestQtPrintSurface::drawsRulesInTheirColour()
{
    if (!haveTool(u"pdftoppm"_s))
        QSKIP("poppler-utils not installed");
    QFETCH(int, color);
    QFETCH(QColor, expected);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    QtPrintSurface surface(pdf);
    startSheet(surface);
    surface.line(12, 12, 167, 30, true, color);
    surface.line(10, 100, 172, 100, false, color);
    surface.endDoc();

    // 254 dpi: ten pixels a millimetre, pixel centres at 0.05 mm.
    runTool(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"254"_s, u"-singlefile"_s, pdf,
                            dir.filePath(u"page"_s)});
    const QImage page(dir.filePath(u"page.png"_s));
    QVERIFY(!page.isNull());
    const auto at = [&](double x, double y) { return page.pixelColor(int(x * 10), int(y * 10)); };
    const auto inked = [&](QColor c) {
        return std::abs(c.red() - expected.red()) < 40 && std::abs(c.green() - expected.green()) < 40
            && std::abs(c.blue() - expected.blue()) < 40;
    };
    const QColor paper(Qt::white);
    QVERIFY(inked(at(50, 12)));   // box top
    QVERIFY(inked(at(167, 20)));  // box right
    QVERIFY(inked(at(100, 30)));  // box bottom
    QCOMPARE(at(50, 20), paper);  // an outline, not a filled box
    QVERIFY(inked(at(50, 100)));
    QCOMPARE(at(50, 100.5), paper); // a thin rule
    QCOMPARE(at(5, 100), paper);    // starts at x = 10
}

void TestQtPrintSurface::discardedDocumentLeavesNoFile_data()
{
    QTest::addColumn<bool>("existing");
    QTest::addColumn<bool>("destroyInstead");

    QTest::newRow("killDoc, no file before") << false << false;
    QTest::newRow("killDoc, old file kept") << true << false;
    QTest::newRow("run broken off, no file before") << false << true;
    QTest::newRow("run broken off, old file kept") << true << true;
}

void TestQtPrintSurface::discardedDocumentLeavesNoFile()
{
    QFETCH(bool, existing);
    QFETCH(bool, destroyInstead);

    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    const QByteArray old = "an earlier sheet";
    if (existing) {
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    {
        QtPrintSurface surface(pdf);
        startSheet(surface);
        printAt(surface, 20, 20, u"捨てる"_s);
        surface.newPage();
        surface.line(10, 10, 100, 10, false, 0);
        if (!destroyInstead) {
            surface.killDoc();
            QCOMPARE(surface.pagesPrinted(), 0);
        }
    }
    QCOMPARE(QFile::exists(pdf), existing);
    if (existing)
        QCOMPARE(fileBytes(pdf), old);
    QCOMPARE(folderEntries(dir.path()), existing ? QStringList{u"sheet.pdf"_s} : QStringList());
}

void TestQtPrintSurface::finishedDocumentReplacesOldFile()
{
    if (!haveTool(u"pdftotext"_s))
        QSKIP("poppler-utils not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    {
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("an earlier sheet");
        file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
    }
    const QFile::Permissions oldPermissions = QFile::permissions(pdf);

    QtPrintSurface surface(pdf);
    startSheet(surface);
    printAt(surface, 20, 20, u"破棄"_s);
    surface.killDoc();
    printAt(surface, 20, 20, u"新しい"_s);
    surface.endDoc();

    QCOMPARE(surface.pagesPrinted(), 1);
    QVERIFY(fileBytes(pdf).startsWith("%PDF"));
    QCOMPARE(pageText(pdf, 1), u"新しい"_s);
    QCOMPARE(QFile::permissions(pdf), oldPermissions);
    QCOMPARE(folderEntries(dir.path()), QStringList{u"sheet.pdf"_s});
}

void TestQtPrintSurface::missingDestinationFails_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::addColumn<bool>("goneOnlyAtEnd");

    QTest::newRow("no output file") << QString() << false;
    QTest::newRow("folder missing") << u"gone/sheet.pdf"_s << false;
    QTest::newRow("folder removed before the end") << u"gone/sheet.pdf"_s << true;
}

void TestQtPrintSurface::missingDestinationFails()
{
    QFETCH(QString, relativePath);
    QFETCH(bool, goneOnlyAtEnd);

    QTemporaryDir dir;
    if (goneOnlyAtEnd)
        QVERIFY(QDir(dir.path()).mkdir(u"gone"_s));
    QtPrintSurface surface;
    surface.printer().setOutputFileName(relativePath.isEmpty() ? QString()
                                                               : dir.filePath(relativePath));
    surface.printer().setOutputFormat(QPrinter::PdfFormat); // even where a printer is installed
    startSheet(surface);
    QVERIFY(surface.textWidth(u"あ"_s) > 0); // measuring needs no destination
    surface.setCurrentX(20);
    surface.setCurrentY(20);
    if (goneOnlyAtEnd) {
        surface.print(u"あ"_s, true);
        QVERIFY(QDir(dir.filePath(u"gone"_s)).removeRecursively());
        QVERIFY_THROWS_EXCEPTION(PrintFailure, surface.endDoc());
    } else {
        QVERIFY_THROWS_EXCEPTION(PrintFailure, surface.print(u"あ"_s, true));
        QVERIFY_THROWS_EXCEPTION(PrintFailure, surface.line(10, 10, 20, 10, false, 0));
    }
    QCOMPARE(surface.pagesPrinted(), 0);
    QVERIFY(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                .isEmpty());
}

void TestQtPrintSurface::widthScalesWithSize_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<QString>("text");

    QTest::newRow("proportional mincho, mixed") << u"ＭＳ Ｐ明朝"_s << u"Question あいう"_s;
    QTest::newRow("gothic, Japanese") << u"ＭＳ ゴシック"_s << u"漢字かなカナ"_s;
    QTest::newRow("mincho, Latin") << u"ＭＳ 明朝"_s << u"abc xyz"_s;
}

void TestQtPrintSurface::widthScalesWithSize()
{
    QFETCH(QString, font);
    QFETCH(QString, text);

    QtPrintSurface surface;
    startSheet(surface, font, 10);
    const double at10 = surface.textWidth(text);
    surface.setFontSize(20);
    const double at20 = surface.textWidth(text);
    surface.setFontSize(10.5);
    const double at10half = surface.textWidth(text);

    QVERIFY(at10 > 0);
    QVERIFY2(std::abs(at20 / at10 - 2.0) < 0.005, qPrintable(QString::number(at20 / at10)));
    // Half points must not be lost to rounding of the font size.
    QVERIFY2(std::abs(at10half / at10 - 1.05) < 0.005, qPrintable(QString::number(at10half / at10)));
    QCOMPARE(surface.textWidth(QString()), 0.0);
}

void TestQtPrintSurface::emphasisPrintsBold()
{
    if (!haveTool(u"pdftoppm"_s))
        QSKIP("poppler-utils not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(u"sheet.pdf"_s);
    QtPrintSurface surface(pdf);
    startSheet(surface, u"ＭＳ Ｐ明朝"_s, 12);
    const QString text = u"太字 bold"_s;
    printAt(surface, 20, 20, text);
    const double plainWidth = surface.textWidth(text);
    surface.setFontEmphasis(true);
    printAt(surface, 20, 40, text);
    // The synthesised bold keeps the advances, so measuring agrees with the print.
    QCOMPARE(surface.textWidth(text), plainWidth);
    surface.endDoc();

    runTool(u"pdftoppm"_s, {u"-gray"_s, u"-r"_s, u"254"_s, u"-singlefile"_s, pdf,
                            dir.filePath(u"page"_s)});
    const QImage page(dir.filePath(u"page.pgm"_s));
    QVERIFY(!page.isNull());
    const auto ink = [&](int top) {
        int dark = 0;
        for (int y = top * 10; y < (top + 6) * 10; ++y)
            for (int x = 150; x < 800; ++x)
                dark += qGray(page.pixel(x, y)) < 128;
        return dark;
    };
    const int plain = ink(20);
    QVERIFY(plain > 0);
    QVERIFY2(ink(40) > plain * 1.15, qPrintable(u"%1 / %2"_s.arg(ink(40)).arg(plain)));
}

void TestQtPrintSurface::charHeightMatchesThePrinter_data()
{
    QTest::addColumn<QString>("font");
    QTest::addColumn<double>("size");
    QTest::addColumn<int>("charHeight");

    // The Windows faces are one em high: 10 pt is 3.53 mm, 12 pt 4.23 mm.
    QTest::newRow("ＭＳ Ｐ明朝 10") << u"ＭＳ Ｐ明朝"_s << 10.0 << 4;
    QTest::newRow("ＭＳ Ｐ明朝 12") << u"ＭＳ Ｐ明朝"_s << 12.0 << 4;
    QTest::newRow("ＭＳ 明朝 9") << u"ＭＳ 明朝"_s << 9.0 << 3;
    QTest::newRow("ＭＳ ゴシック 16") << u"ＭＳ ゴシック"_s << 16.0 << 6;
    QTest::newRow("MS PGothic 8") << u"MS PGothic"_s << 8.0 << 3;
    // A face used under its own name keeps its own, taller line (1.1 em).
    QTest::newRow("IPAPMincho 12") << u"IPAPMincho"_s << 12.0 << 5;
}

void TestQtPrintSurface::charHeightMatchesThePrinter()
{
    QFETCH(QString, font);
    QFETCH(double, size);
    QFETCH(int, charHeight);
    if (!QFontDatabase::families().contains(u"IPAPMincho"_s))
        QSKIP("IPA fonts not installed");

    QtPrintSurface surface;
    startSheet(surface, font, size);
    const double height = surface.textHeight(u"あ"_s);
    QCOMPARE(int(std::nearbyint(height)), charHeight);
    QCOMPARE(surface.textHeight(u"abc"_s), height);
}

void TestQtPrintSurface::windowsNamesResolveToStandIns_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("family");

    QTest::newRow("ＭＳ Ｐ明朝") << u"ＭＳ Ｐ明朝"_s << u"IPAPMincho"_s;
    QTest::newRow("ＭＳ 明朝") << u"ＭＳ 明朝"_s << u"IPAMincho"_s;
    QTest::newRow("ＭＳ ゴシック") << u"ＭＳ ゴシック"_s << u"IPAGothic"_s;
    QTest::newRow("ＭＳ Ｐゴシック") << u"ＭＳ Ｐゴシック"_s << u"IPAPGothic"_s;
    QTest::newRow("MS PMincho") << u"MS PMincho"_s << u"IPAPMincho"_s;
    QTest::newRow("MS Gothic") << u"MS Gothic"_s << u"IPAGothic"_s;
    QTest::newRow("MS UI Gothic") << u"MS UI Gothic"_s << u"IPAPGothic"_s;
}

void TestQtPrintSurface::windowsNamesResolveToStandIns()
{
    QFETCH(QString, stored);
    QFETCH(QString, family);
    if (!QFontDatabase::families().contains(family))
        QSKIP("IPA fonts not installed");

    sorario::installFontSubstitutions();
    const qsizetype substitutes = QFont::substitutes(stored).size();
    sorario::installFontSubstitutions();
    QCOMPARE(QFont::substitutes(stored).size(), substitutes);
    QCOMPARE(QFontInfo(QFont(stored)).family(), family);
}

QTEST_MAIN(TestQtPrintSurface)
#include "tst_qtprintsurface.moc"
