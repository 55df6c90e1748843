// SPDX-License-Identifier: GPL-3.0-or-later
// The code page, line files and safe writes.
#include "platform/LineFile.h"
#include "platform/RegularFile.h"
#include "platform/SafeWrite.h"

#include "support/Fixtures.h"

#include <QCryptographicHash>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <sys/sysmacros.h>
#endif

using namespace sorario::test;

class TestPlatform : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString bin() const { return m_dir.filePath(u"prefix/bin"_s); }

private Q_SLOTS:
    void init()
    {
        QDir(m_dir.path()).removeRecursively();
        QVERIFY(QDir().mkpath(bin()));
    }

    void cp932Decode()
    {
        const struct
        {
            QByteArray bytes;
            QString text;
            int badCount = 0;
            int firstBad = -1;
        } rows[] = {{{}, {}}, {"\x5C\x7E", u"\\~"_s}, {"\x82\xA0", u"あ"_s},
            {"\x95\x5C", u"表"_s}, // 0x5C as trail byte
            {"\xB1\xDE", u"ｱﾞ"_s}, {"\x9F\x40\xFC\x40", u"\u6A97\u9ADC"_s}, // last lead bytes of each range
            {"A\x82", u"A\uFFFD"_s, 1, 1}, // cut lead byte at the end
            {"\x82\x20\x41", u"\uFFFD A"_s, 1, 0}, // bad trail byte read again
            {"x\x82\r\ny", u"x\uFFFD\r\ny"_s, 1, 1},
            {"a\x80\x62\xFF\xFD\x63", u"a\uFFFDb\uFFFD\uFFFDc"_s, 3, 1}};
        for (const auto &row : rows) {
            const Cp932Decoded d = decodeCp932(row.bytes);
            QCOMPARE(d.text, row.text);
            QCOMPARE(int(d.badCount), row.badCount);
            QCOMPARE(int(d.firstBadOffset), row.firstBad);
        }
    }

    void cp932Encode()
    {
        const struct
        {
            QString text;
            QByteArray bytes;
            int unmappable = 0;
        } rows[] = {{u"\\~"_s, "\x5C\x7E"}, {u"あ表ｱ"_s, "\x82\xA0\x95\x5C\xB1"},
            {u"aé😀b"_s, "a??b", 2}, // a surrogate pair is one "?"
            {QString(QChar(0xD800)), "?", 1}};
        for (const auto &row : rows) {
            const Cp932Encoded e = encodeCp932(row.text);
            QCOMPARE(e.bytes, row.bytes);
            QCOMPARE(int(e.unmappable), row.unmappable);
        }
    }

    // The whole of both tables, as digests: every build, whatever system conversion
    // it takes them from, must give the same character for each of the 65,536 codes
    // and the same code for each UTF-16 unit (so every character round-trips as here).
    void cp932Tables()
    {
        QCryptographicHash decode(QCryptographicHash::Sha256);
        QCryptographicHash encode(QCryptographicHash::Sha256);
        auto add = [](QCryptographicHash &hash, unsigned value) {
            const char bytes[2] = {char(value >> 8), char(value & 0xFF)};
            hash.addData(QByteArrayView(bytes, 2));
        };
        for (unsigned code = 0; code < 0x10000; ++code) {
            const std::optional<QChar> c = cp932Character(code);
            add(decode, c ? c->unicode() : 0xFFFF);
            const std::optional<unsigned> back = cp932Code(QChar(char16_t(code)));
            add(encode, back.value_or(0xFFFF));
        }
        QCOMPARE(decode.result().toHex(), "273e4aa68d6d830cc06dba257d4963d301b51a93633251d5365ae5cabac030f5");
        QCOMPARE(encode.result().toHex(), "863cb7a9654a10f70a332c47e51d8b6e8b324abf4182cab19dbed9870462483f");
        QVERIFY(!cp932Character(0x10000)); // past the table
    }

    void lineFileRead_data()
    {
        using E = TextEncoding;
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<int>("badBytes");
        QTest::addColumn<int>("firstBadLine");
        QTest::addColumn<E>("encoding");
        const QStringList ab {u"a"_s, u"b"_s};
        const auto utf16 = [](const char *bytes, int size) { return QByteArray(bytes, size); };
        QTest::addRow("CR LF") << QByteArray("a\r\nb\r\n") << ab << 0 << 0 << E::ShiftJis;
        QTest::addRow("LF") << QByteArray("a\nb\n") << ab << 0 << 0 << E::ShiftJis;
        QTest::addRow("CR") << QByteArray("a\rb\r") << ab << 0 << 0 << E::ShiftJis;
        QTest::addRow("no end at the end") << QByteArray("a\r\nb") << ab << 0 << 0 << E::ShiftJis;
        QTest::addRow("empty") << QByteArray() << QStringList() << 0 << 0 << E::ShiftJis;
        QTest::addRow("empty last line")
            << QByteArray("a\r\n\r\n") << QStringList {u"a"_s, {}} << 0 << 0 << E::ShiftJis;
        QTest::addRow("CR before CR LF")
            << QByteArray("a\r\r\nb") << QStringList {u"a"_s, {}, u"b"_s} << 0 << 0 << E::ShiftJis;
        QTest::addRow("Shift-JIS") << QByteArray("\x95\x5C\r\n~\\") << QStringList {u"表"_s, u"~\\"_s} << 0
                                   << 0 << E::ShiftJis;
        QTest::addRow("bad first byte")
            << QByteArray("\x80x") << QStringList {u"\uFFFDx"_s} << 1 << 1 << E::ShiftJis;
        QTest::addRow("bad after LF")
            << QByteArray("\nx\x82") << QStringList {{}, u"x\uFFFD"_s} << 1 << 2 << E::ShiftJis;
        QTest::addRow("bad on line 2 of 3")
            << QByteArray("ok\r\nx\x82\r\ny") << QStringList {u"ok"_s, u"x\uFFFD"_s, u"y"_s} << 1 << 2
            << E::ShiftJis;
        QTest::addRow("bad after CR")
            << QByteArray("a\rx\x82") << QStringList {u"a"_s, u"x\uFFFD"_s} << 1 << 2 << E::ShiftJis;
        QTest::addRow("UTF-8 by its mark")
            << QByteArray("\xEF\xBB\xBF\xE3\x81\x82\r\n") << QStringList {u"あ"_s} << 0 << 0 << E::Utf8;
        QTest::addRow("UTF-8, bad at once")
            << QByteArray("\xEF\xBB\xBF\x80\x61") << QStringList {u"\uFFFDa"_s} << 1 << 1 << E::Utf8;
        QTest::addRow("UTF-8, bad after a character")
            << QByteArray("\xEF\xBB\xBF\xC3\xA9\r\n\x80") << QStringList {u"é"_s, u"\uFFFD"_s} << 1 << 2
            << E::Utf8;
        QTest::addRow("UTF-8, cut off at the end")
            << QByteArray("\xEF\xBB\xBFq\r\n\xE3\x81") << QStringList {u"q"_s, u"\uFFFD\uFFFD"_s} << 1 << 2
            << E::Utf8;
        QTest::addRow("UTF-8, a second mark dropped")
            << QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFq") << QStringList {u"q"_s} << 0 << 0 << E::Utf8;
        QTest::addRow("UTF-8 without its mark")
            << QByteArray("caf\xC3\xA9\r\n\xE3\x81\x82") << QStringList {u"café"_s, u"あ"_s} << 0 << 0
            << E::Utf8WithoutMark;
        QTest::addRow("UTF-8, first and last leads")
            << QByteArray("\xE0\xA0\x80\xEF\xBD\xB1") << QStringList {u"\u0800ｱ"_s} << 0 << 0
            << E::Utf8WithoutMark;
        QTest::addRow("overlong UTF-8 is Shift-JIS")
            << QByteArray("\xE0\x80\x80") << QStringList {u"烙\uFFFD"_s} << 1 << 1 << E::ShiftJis;
        QTest::addRow("UTF-8 up to a byte that is not")
            << QByteArray("\xC3\xA9\x82\xA0") << QStringList {u"ﾃｩあ"_s} << 0 << 0 << E::ShiftJis;
        // 上 holds the byte 0x0A, which ends no line.
        QTest::addRow("UTF-16LE by its mark") << utf16("\xFF\xFE\x61\0\r\0\n\0\x0A\x4E", 10)
                                              << QStringList {u"a"_s, u"上"_s} << 0 << 0 << E::Utf16Le;
        QTest::addRow("UTF-16BE, a lone surrogate")
            << utf16("\xFE\xFF\x4E\x0A\0\n\xD8\0", 8) << QStringList {u"上"_s, u"\uFFFD"_s} << 1 << 2
            << E::Utf16Be;
        QTest::addRow("UTF-16, an odd byte")
            << utf16("\xFF\xFE\x61\0\x62", 5) << QStringList {u"a\uFFFD"_s} << 1 << 1 << E::Utf16Le;
        QTest::addRow("UTF-16, a pair")
            << utf16("\xFF\xFE\x3D\xD8\x00\xDE", 6) << QStringList {u"\U0001F600"_s} << 0 << 0 << E::Utf16Le;
        QTest::addRow("UTF-32's mark")
            << utf16("\xFF\xFE\0\0", 4) << QStringList {QString(1, QChar(0))} << 0 << 0 << E::Utf16Le;
    }
    void lineFileRead()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, lines);
        QFETCH(int, badBytes);
        QFETCH(int, firstBadLine);
        QFETCH(TextEncoding, encoding);
        const QString path = m_dir.filePath(u"lines.txt"_s);
        writeBytes(path, bytes);
        const LineFileRead r = readLineFile(path);
        QCOMPARE(r.status, LineFileRead::Status::Ok);
        QCOMPARE(r.lines, lines);
        QCOMPARE(int(r.badBytes), badBytes);
        QCOMPARE(int(r.firstBadLine), firstBadLine);
        QCOMPARE(r.encoding, encoding);
    }

    void lineFileMissing()
    {
        QCOMPARE(readLineFile(m_dir.filePath(u"none.qvn"_s)).status, LineFileRead::Status::Missing);
        QCOMPARE(readLineFile(m_dir.path()).status, LineFileRead::Status::Missing);
    }

    // Only a regular file is read, and never past the size given: a FIFO or a device
    // would block or never end.
    void regularFileRead_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<std::optional<FileReadFault>>("fault");
        const std::optional<FileReadFault> read, missing = FileReadFault::Missing,
                                                 notRegular = FileReadFault::NotRegular,
                                                 tooLarge = FileReadFault::TooLarge;
        QTest::addRow("a file of the limit") << u"file"_s << qint64(3) << read;
        QTest::addRow("a file one byte past the limit") << u"file"_s << qint64(2) << tooLarge;
        QTest::addRow("a link to a file") << u"link"_s << qint64(3) << read;
        QTest::addRow("no file") << u"none"_s << qint64(3) << missing;
        QTest::addRow("a folder") << u"folder"_s << qint64(3) << missing;
        QTest::addRow("a FIFO") << u"fifo"_s << qint64(3) << notRegular;
        QTest::addRow("a device") << u"/dev/zero"_s << qint64(3) << notRegular;
    }
    void regularFileRead()
    {
        QFETCH(QString, name);
        QFETCH(qint64, limit);
        QFETCH(std::optional<FileReadFault>, fault);
        const QDir dir(m_dir.path());
        writeBytes(dir.filePath(u"file"_s), "abc");
        QVERIFY(dir.mkdir(u"folder"_s));
        if (QStringList {u"link"_s, u"fifo"_s, u"/dev/zero"_s}.contains(name))
            SORARIO_POSIX_ONLY("links, FIFOs and devices");
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(u"file"_s, dir.filePath(u"link"_s)));
        QCOMPARE(::mkfifo(qPrintable(dir.filePath(u"fifo"_s)), 0600), 0);
#endif
        const FileBytes bytes = readRegularFile(dir.filePath(name), limit);
        QCOMPARE(bytes.fault, fault);
        QCOMPARE(bytes.value, QByteArray(fault ? "" : "abc"));
    }

    void safeWriteWritesShiftJisWithCrLf()
    {
        const QString path = m_dir.filePath(u"a.qvn"_s);
        writeBytes(path, "old contents that are longer");
        QCOMPARE(failureOf(writeLineFileAtomically(path, {u"表~\\"_s, QString()})), QString());
        QCOMPARE(readBytes(path), QByteArray("\x95\x5C~\\\r\n\r\n"));
        QCOMPARE(snapshot(m_dir.path()).keys(), (QStringList {u"a.qvn"_s, u"prefix"_s, u"prefix/bin"_s}));
        // ﾂｱ is C2 B1, well-formed UTF-8: written, it would read back as ±.
        QVERIFY(!writeLineFileAtomically(path, {u"ﾂｱ"_s}).ok());
        QCOMPARE(readBytes(path), QByteArray("\x95\x5C~\\\r\n\r\n"));
    }

    // The folder missing, its parent a file, the target a folder, the disk full.
    void safeWriteFailureLeavesEverythingAsItWas()
    {
        for (const QString &target : {u"none/a.qvn"_s, u"old.qvn/a.qvn"_s, u"prefix"_s, u"old.qvn"_s}) {
            writeBytes(m_dir.filePath(u"old.qvn"_s), "old");
            const auto before = snapshot(m_dir.path());
            std::optional<FileSizeLimit> limit;
            if (target == u"old.qvn"_s && !CanLimitFileSize)
                SORARIO_POSIX_ONLY("a full disk through a file-size limit");
            if (target == u"old.qvn"_s && !limit.emplace(1024).ok())
                QSKIP("cannot limit the file size");
            QVERIFY(!writeTextFileAtomically(m_dir.filePath(target), QString(4096, u'x')).ok());
            limit.reset();
            QCOMPARE(snapshot(m_dir.path()), before);
        }
    }

    // What a file written to a target does: refused onto one of the run's inputs by any
    // spelling, and onto what no file may replace; through a link it writes the link's file.
    void safeWriteTargets_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QStringList>("inputs"); // none: written, else only checked
        QTest::addColumn<std::optional<WriteFault>>("fault");
        const QStringList input {u"old.qvn"_s};
        const std::optional<WriteFault> written, isInput = WriteFault::OutputIsInput,
                                                 notAFile = WriteFault::NotAFile;
        QTest::newRow("a file") << u"old.qvn"_s << QStringList() << written;
        QTest::newRow("a link to a file") << u"link"_s << QStringList() << written;
        QTest::newRow("a new file beside an input") << u"new.qvn"_s << input << written;
        QTest::newRow("the input") << u"old.qvn"_s << input << isInput;
        QTest::newRow("the input, spelt otherwise") << u"x/../old.qvn"_s << input << isInput;
        QTest::newRow("a link to the input") << u"link"_s << input << isInput;
        QTest::newRow("a FIFO") << u"fifo"_s << QStringList() << notAFile;
        QTest::newRow("a device node") << u"device"_s << QStringList() << notAFile;
        QTest::newRow("a loop of links") << u"loop"_s << QStringList() << notAFile;
    }
    void safeWriteTargets()
    {
        QFETCH(QString, target);
        QFETCH(QStringList, inputs);
        QFETCH(std::optional<WriteFault>, fault);
        const QDir dir(m_dir.path());
        writeBytes(dir.filePath(u"old.qvn"_s), "old");
        QVERIFY(dir.mkdir(u"x"_s));
        if (QStringList {u"link"_s, u"loop"_s, u"fifo"_s, u"device"_s}.contains(target))
            SORARIO_POSIX_ONLY("links, FIFOs and device nodes");
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(u"old.qvn"_s, dir.filePath(u"link"_s)));
        QVERIFY(QFile::link(u"loop"_s, dir.filePath(u"loop"_s)));
        QCOMPARE(::mkfifo(qPrintable(dir.filePath(u"fifo"_s)), 0600), 0);
        if (target == u"device"_s && ::mknod(qPrintable(dir.filePath(target)), S_IFCHR | 0600, makedev(1, 3)))
            QSKIP("making a device node needs root");
#endif
        for (QString &input : inputs)
            input = dir.filePath(input);
        auto before = snapshot(m_dir.path());
        const WriteOutcome w = inputs.isEmpty() ? writeBytesAtomically(dir.filePath(target), "new")
                                                : checkWriteTarget(dir.filePath(target), inputs);
        QCOMPARE(w.fault, fault);
        auto after = snapshot(m_dir.path());
        if (inputs.isEmpty() && !fault) {
            QCOMPARE(after.take(u"old.qvn"_s), QByteArray("new"));
            before.remove(u"old.qvn"_s);
        }
        QCOMPARE(after, before); // the link still a link, nothing else written
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
