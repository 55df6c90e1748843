// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt surface with real fonts and paper, read back through poppler-utils.
#include "PrintTestSupport.h"

#include "print/FontSubstitution.h"
#include "print/QtPrintSurface.h"

#include <QFontDatabase>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

#include <cmath>

using namespace sorario::test;

namespace {

// The text pdftotext finds on a page, or in the crop from x of the given width.
QString pageText(const QString &pdf, int page, int x = 0, int width = 0)
{
    const QString n = QString::number(page);
    QStringList args {u"-f"_s, n, u"-l"_s, n, u"-enc"_s, u"UTF-8"_s};
    if (width > 0)
        args << u"-x"_s << QString::number(x) << u"-y"_s << u"0"_s << u"-W"_s << QString::number(width)
             << u"-H"_s << u"5000"_s;
    return tool(u"pdftotext"_s, args << pdf << u"-"_s).simplified();
}

// The page rendered at 254 dpi: ten pixels a millimetre.
QImage renderPage(const QString &pdf)
{
    tool(u"pdftoppm"_s, {u"-png"_s, u"-r"_s, u"254"_s, u"-singlefile"_s, pdf, pdf});
    return QImage(pdf + u".png"_s);
}

QStringList folderEntries(const QString &dir)
{
    return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

void startSheet(QtPrintSurface &surface, const QString &font = u"ＭＳ Ｐ明朝"_s, double size = 10)
{
    surface.setScaleMode(ScaleMode::Millimetres);
    surface.setPaperSize(PaperSize::JisB5);
    surface.setOrientation(Orientation::Portrait);
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
    void initTestCase()
    {
        for (const QString &name : {u"pdfinfo"_s, u"pdftotext"_s, u"pdftoppm"_s})
            if (QStandardPaths::findExecutable(name).isEmpty())
                QSKIP("poppler-utils not installed");
        if (!QFontDatabase::families().contains(u"IPAPMincho"_s))
            QSKIP("IPA fonts not installed");
    }

    // Colour 6 is red 6, green 0, blue 0; 0xFF0000 is blue.
    void drawsRulesAndBold()
    {
        for (const auto &[color, expected] :
            {std::pair {6, QColor(6, 0, 0)}, {0xFF0000, QColor(0, 0, 255)}}) {
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
            // The box's outline, not filled; a thin rule that starts at x = 10.
            const QList<bool> inkedAt {inked(50, 12), inked(167, 20), inked(100, 30), inked(50, 100)};
            QCOMPARE(inkedAt, QList<bool>(4, true));
            QCOMPARE((QList<QColor> {at(50, 20), at(50, 100.5), at(5, 100)}), QList<QColor>(3, Qt::white));

            const auto ink = [&](int top) {
                int dark = 0;
                for (int y = top * 10; y < (top + 6) * 10; ++y)
                    for (int x = 150; x < 800; ++x)
                        dark += qGray(page.pixel(x, y)) < 128;
                return dark;
            };
            QVERIFY2(ink(170) > ink(150) * 1.15, qPrintable(u"%1 / %2"_s.arg(ink(170)).arg(ink(150))));
        }
    }

    // A discarded or broken-off document leaves the folder as it was; the next document
    // of the same surface is whole and replaces the old file, keeping its permissions.
    void unfinishedDocumentLeavesOldFile()
    {
        for (const bool killDoc : {true, false}) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(u"sheet.pdf"_s);
            const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser
                | QFile::ReadGroup;
            writeBytes(pdf, "an earlier sheet");
            QFile::setPermissions(pdf, permissions);
            auto surface = std::make_unique<QtPrintSurface>(pdf);
            startSheet(*surface);
            printAt(*surface, 20, 20, u"捨てる"_s);
            surface->newPage();
            surface->line(10, 10, 100, 10, false, 0);
            killDoc ? surface->killDoc() : surface.reset();
            QCOMPARE(readBytes(pdf), "an earlier sheet");
            QCOMPARE(folderEntries(dir.path()), QStringList {u"sheet.pdf"_s});
            if (!killDoc)
                continue;
            QCOMPARE(surface->pagesPrinted(), 0);
            printAt(*surface, 20, 20, u"新しい"_s);
            surface->endDoc();
            QCOMPARE(surface->pagesPrinted(), 1);
            QCOMPARE(pageText(pdf, 1), u"新しい"_s);
            QCOMPARE(folderEntries(dir.path()), QStringList {u"sheet.pdf"_s});
            QCOMPARE(QFile::permissions(pdf), permissions);
        }
    }

    // A disk that fills up while the PDF is written leaves the old file and no other.
    void fullDiskLeavesOldFile()
    {
        SORARIO_POSIX_ONLY("a full disk through a file-size limit");
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"sheet.pdf"_s);
        writeBytes(pdf, "an earlier sheet");
        QtPrintSurface surface(pdf);
        startSheet(surface);
        printAt(surface, 20, 20, u"満杯"_s);
        {
            const FileSizeLimit limit(1024);
            QVERIFY(limit.ok());
            QVERIFY_THROWS_EXCEPTION(PrintFailure, surface.endDoc());
        }
        QCOMPARE(readBytes(pdf), "an earlier sheet");
        QCOMPARE(folderEntries(dir.path()), QStringList {u"sheet.pdf"_s});
    }

    // No output file, a missing folder, or one removed before the end.
    void missingDestinationFails()
    {
        const QString gone = u"gone/sheet.pdf"_s;
        for (const auto &[relativePath, goneOnlyAtEnd] :
            {std::pair {QString(), false}, {gone, false}, {gone, true}}) {
            QTemporaryDir dir;
            if (goneOnlyAtEnd)
                QVERIFY(QDir(dir.path()).mkdir(u"gone"_s));
            QtPrintSurface surface;
            surface.printer().setOutputFileName(
                relativePath.isEmpty() ? QString() : dir.filePath(relativePath));
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
    }

    // Emphasis in a bold face of the text's own style (the IPA fonts have none).
    void emphasisFaces()
    {
        const std::pair<QString, QString> rows[] = {{u"ＭＳ Ｐ明朝"_s, u"Noto Serif CJK JP"_s},
            {u"MS Gothic"_s, u"Noto Sans CJK JP"_s}, {u"IPAMincho"_s, u"Noto Serif CJK JP"_s},
            {u"IPAPGothic"_s, u"Noto Sans CJK JP"_s}, {u"DejaVu Serif"_s, u"DejaVu Serif"_s}};
        for (const auto &[stored, bold] : rows)
            QCOMPARE(emphasisFace(stored), bold);
    }

    void measuresLikeThePrinter()
    {
        // The Windows faces are one em high: 10 pt is 3.53 mm, 16 pt 5.64 mm; a face
        // under its own name keeps its taller line (1.1 em).
        const std::tuple<QString, double, int> rows[]
            = {{u"ＭＳ Ｐ明朝"_s, 10, 4}, {u"ＭＳ ゴシック"_s, 16, 6}, {u"IPAPMincho"_s, 12, 5}};
        for (const auto &[font, size, charHeight] : rows) {
            QtPrintSurface surface;
            startSheet(surface, font, size);
            QCOMPARE(int(std::nearbyint(surface.textHeight(u"あ"_s))), charHeight);

            // Widths follow the size exactly; a rounded font size would be off by up to 1.5 %.
            const QString text = u"Question あいう漢字"_s;
            const double width = surface.textWidth(text);
            surface.setFontSize(size * 2.1);
            const double ratio = surface.textWidth(text) / width;
            QVERIFY2(std::abs(ratio - 2.1) < 0.01, qPrintable(QString::number(ratio)));
            surface.setFontEmphasis(true); // emphasis keeps the plain advances
            QCOMPARE(surface.textWidth(text), ratio * width);
        }
    }

    // Each B5 page carries its own number at its top left corner; the halves are
    // left|right of every sheet.
    void paper()
    {
        const std::tuple<Paper, int, QSizeF, QStringList> rows[] = {
            {Paper::B5, 2, {182, 257}, {u"p1|"_s, u"p2|"_s}},
            {Paper::A4, 1, {210, 297}, {u"p1|"_s}}, // enlarged
            {Paper::B4TwoUp, 5, {364, 257}, {u"p1|p2"_s, u"p3|p4"_s, u"p5|"_s}}, // odd last page on the left
            {Paper::A3TwoUp, 2, {420, 297}, {u"p1|p2"_s}}};
        for (const auto &[paper, pages, mm, halves] : rows) {
            QTemporaryDir dir;
            const QString pdf = dir.filePath(u"sheet.pdf"_s);
            QtPrintSurface surface(pdf);
            surface.setPaperPlacing(paper);
            surface.setPaperSize(PaperSize::JisB5);
            surface.setFontSize(10);
            for (int page = 1; page <= pages; ++page) {
                if (page > 1)
                    surface.newPage();
                printAt(surface, 10, 10, u"p%1"_s.arg(page));
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
            for (int sheet = 1; sheet <= halves.size(); ++sheet)
                QCOMPARE(
                    pageText(pdf, sheet, 0, int(w / 2)) + u'|' + pageText(pdf, sheet, int(w / 2), int(w / 2)),
                    halves.at(sheet - 1));
        }
    }
};

QTEST_MAIN(TestQtPrintSurface)
#include "tst_qtprintsurface.moc"
