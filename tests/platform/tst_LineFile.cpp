// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/LineFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;

class TestLineFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private Q_SLOTS:
    void read_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("badBytes");
        QTest::addColumn<int>("firstBadLine");
        QTest::addColumn<TextEncoding>("encoding");

        const QStringList ab {QStringLiteral("a"), QStringLiteral("b")};
        QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << ab << 0 << 0 << TextEncoding::ShiftJis;
        QTest::newRow("LF only") << QByteArray("a\nb\n") << ab << 0 << 0 << TextEncoding::ShiftJis;
        QTest::newRow("CR only") << QByteArray("a\rb\r") << ab << 0 << 0 << TextEncoding::ShiftJis;
        QTest::newRow("no final line end") << QByteArray("a\r\nb") << ab << 0 << 0 << TextEncoding::ShiftJis;
        QTest::newRow("empty file") << QByteArray() << QStringList() << 0 << 0 << TextEncoding::ShiftJis;
        QTest::newRow("empty last line")
            << QByteArray("a\r\n\r\n") << QStringList {QStringLiteral("a"), QString()} << 0 << 0
            << TextEncoding::ShiftJis;
        QTest::newRow("CR then CR LF")
            << QByteArray("a\r\r\nb") << QStringList {QStringLiteral("a"), QString(), QStringLiteral("b")}
            << 0 << 0 << TextEncoding::ShiftJis;
        QTest::newRow("Shift-JIS") << QByteArray("\x95\x5C\r\n~\\")
                                   << QStringList {QStringLiteral("表"), QStringLiteral("~\\")} << 0 << 0
                                   << TextEncoding::ShiftJis;
        QTest::newRow("bad first byte")
            << QByteArray("\x80x") << QStringList {u"\uFFFDx"_s} << 1 << 1 << TextEncoding::ShiftJis;
        QTest::newRow("bad byte after an empty first line")
            << QByteArray("\nx\x82") << QStringList {QString(), u"x\uFFFD"_s} << 1 << 2
            << TextEncoding::ShiftJis;
        QTest::newRow("bad byte, CR LF lines")
            << QByteArray("ok\r\nx\x82\r\ny")
            << QStringList {QStringLiteral("ok"), QStringLiteral("x\uFFFD"), QStringLiteral("y")} << 1 << 2
            << TextEncoding::ShiftJis;
        QTest::newRow("UTF-8 with its mark")
            << QByteArray("\xEF\xBB\xBF\xE3\x81\x82\r\n") << QStringList {QStringLiteral("あ")} << 0 << 0
            << TextEncoding::Utf8;
        QTest::newRow("UTF-8 without the mark") << QByteArray("caf\xC3\xA9\r\n\xE3\x81\x82")
                                                << QStringList {QStringLiteral("café"), QStringLiteral("あ")}
                                                << 0 << 0 << TextEncoding::Utf8WithoutMark;
        QTest::newRow("UTF-8 without the mark, first and last three-byte leads")
            << QByteArray("\xE0\xA0\x80\xEF\xBD\xB1") << QStringList {u"\u0800ｱ"_s} << 0 << 0
            << TextEncoding::Utf8WithoutMark;
        // Valid UTF-8 up to a byte that is not: all of it is Shift-JIS.
        QTest::newRow("UTF-8, then not")
            << QByteArray("\xC3\xA9\x82\xA0") << QStringList {QStringLiteral("ﾃｩあ")} << 0 << 0
            << TextEncoding::ShiftJis;
    }

    void read()
    {
        QFETCH(QByteArray, bytes);
        const QString path
            = m_dir.filePath(QStringLiteral("%1.txt").arg(QLatin1String(QTest::currentDataTag())));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        const LineFileRead r = readLineFile(path);
        QCOMPARE(r.status, LineFileRead::Status::Ok);
        QTEST(r.lines, "lines");
        QTEST(int(r.badBytes), "badBytes");
        QTEST(int(r.firstBadLine), "firstBadLine");
        QTEST(r.encoding, "encoding");
    }

    void missing()
    {
        QCOMPARE(
            readLineFile(m_dir.filePath(QStringLiteral("none.qvn"))).status, LineFileRead::Status::Missing);
        QCOMPARE(readLineFile(m_dir.path()).status, LineFileRead::Status::Missing);
    }
};

QTEST_GUILESS_MAIN(TestLineFile)
#include "tst_LineFile.moc"
