// SPDX-License-Identifier: GPL-3.0-or-later
// A sheet through a CUPS scheduler of the test's own to a virtual PDF printer.
#include "PrintTestSupport.h"

#include "print/QtPrintTarget.h"

#include <QFileInfo>
#include <QPrinter>
#include <QRegularExpression>
#include <QScopeGuard>

#include <cmath>
#include <unistd.h>

using namespace sorario::test;

namespace {

const QString Queue = u"sorario-pdf"_s;

// cups-pdf writes into the job owner's home, under the "Out" folder of its settings.
QString cupsPdfFolder()
{
    const auto out = QRegularExpression(u"^Out\\s+(.+)$"_s, QRegularExpression::MultilineOption)
                         .match(QString::fromUtf8(readBytes(u"/etc/cups/cups-pdf.conf"_s)));
    return (out.hasMatch() ? out.captured(1).trimmed() : u"${HOME}/PDF"_s)
        .replace(u"${HOME}"_s, QDir::homePath());
}

} // namespace

class TestCups : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QProcess m_cupsd;

private Q_SLOTS:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("the test starts its own CUPS scheduler, which needs root");
        for (const QString &path :
            {u"/usr/sbin/cupsd"_s, u"/usr/sbin/lpadmin"_s, u"/usr/lib/cups/backend/cups-pdf"_s})
            if (!QFileInfo::exists(path))
                QSKIP("cups, cups-client or cups-pdf is not installed");
        const QString d = m_dir.path();
        for (const QString &sub : {u"spool/tmp"_s, u"cache"_s, u"state"_s, u"ppd"_s})
            QVERIFY(QDir(d).mkpath(sub));
        writeBytes(d + u"/cups-files.conf"_s,
            u"ServerRoot %1\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
            "StateDir %1/state\nErrorLog %1/error_log\nAccessLog %1/access_log\n"
            "PageLog %1/page_log\nServerBin /usr/lib/cups\nDataDir /usr/share/cups\n"
            "Sandboxing Relaxed\n"_s.arg(d)
                .toUtf8());
        writeBytes(d + u"/cupsd.conf"_s,
            u"Listen %1/cups.sock\nWebInterface No\n<Location />\nOrder allow,deny\n"
            "Allow all\n</Location>\n<Location /admin>\nOrder allow,deny\nAllow all\n"
            "</Location>\n"_s.arg(d)
                .toUtf8());
        // Everything here, Qt's printing included, talks to this scheduler only.
        qputenv("CUPS_SERVER", (d + u"/cups.sock"_s).toLocal8Bit());
        m_cupsd.start(u"/usr/sbin/cupsd"_s,
            {u"-f"_s, u"-c"_s, d + u"/cupsd.conf"_s, u"-s"_s, d + u"/cups-files.conf"_s});
        QVERIFY(m_cupsd.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(d + u"/cups.sock"_s), 20000);
        QCOMPARE(QProcess::execute(u"/usr/sbin/lpadmin"_s,
                     {u"-p"_s, Queue, u"-E"_s, u"-v"_s, u"cups-pdf:/"_s, u"-P"_s,
                         u"/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd"_s}),
            0);
    }

    void cleanupTestCase()
    {
        m_cupsd.terminate(); // nothing to do when it never started
        m_cupsd.waitForFinished(20000);
    }

    void printsAB5SheetThroughTheQueue()
    {
        const QString folder = cupsPdfFolder();
        // The backend names the file by the job's title, so a file left by an earlier
        // run may be written over: the sheet is the file new or newer since now.
        const QDateTime started = QDateTime::currentDateTime().addSecs(-1);

        auto m = moduleWith(plainQuestions(3), 2, 2);
        m->FileHeaders(1, 1) = u"CUPS Drill"_s;
        QtPrintTarget target(PrintPurpose::Print);
        target.paper().printer().setOutputFormat(QPrinter::NativeFormat);
        target.paper().printer().setPrinterName(Queue);
        ScriptedDialogs dialogs;
        QVERIFY(PrintSheets(*m, target, dialogs, {}).printed());

        QString pdf;
        const auto removed = qScopeGuard([&pdf] { QFile::remove(pdf); });
        QTRY_VERIFY_WITH_TIMEOUT(
            [&] {
                for (const QFileInfo &file : QDir(folder).entryInfoList({u"*.pdf"_s}))
                    if (file.lastModified() >= started)
                        pdf = file.filePath();
                return !pdf.isEmpty();
            }(),
            15000);
        // The backend may still be writing when the name shows.
        QTRY_VERIFY_WITH_TIMEOUT(tool(u"pdfinfo"_s, {pdf}).contains(u"Pages:"_s), 20000);
        const QString info = tool(u"pdfinfo"_s, {pdf});
        const QString text = tool(u"pdftotext"_s, {u"-enc"_s, u"UTF-8"_s, pdf, u"-"_s});
        // JIS B5 is 515.9 x 728.5 pt; cups-pdf's driver rounds it to 518 x 727. ISO B5
        // (498 x 708) and A4 (595 x 842) are well away.
        const auto size = QRegularExpression(u"Page size:\\s+([\\d.]+) x ([\\d.]+) pts"_s).match(info);
        QVERIFY2(size.hasMatch(), qPrintable(info));
        QVERIFY2(std::abs(size.captured(1).toDouble() - 515.9) < 3
                && std::abs(size.captured(2).toDouble() - 728.5) < 3,
            qPrintable(info));
        // The queue's filters re-encode the fonts without their Unicode maps, so the
        // sheet is known by its title and by ink on its one page.
        QVERIFY2(info.contains(QRegularExpression(u"Title:\\s+\\(?CUPS Drill"_s)), qPrintable(info));
        QVERIFY2(info.contains(u"Pages:           1\n"_s), qPrintable(info));
        QVERIFY(text.simplified().size() > 20);
    }
};

QTEST_MAIN(TestCups)
#include "tst_cups.moc"
