// SPDX-License-Identifier: GPL-3.0-or-later
// What every writer of sorario-cli does with the output it is given.
#include "support/Fixtures.h"

#include <QScopeGuard>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace sorario::test;

class TestWriters : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString at(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    void initTestCase()
    {
        writeSjisLines(at(u"one.qvn"_s), questionFile(u"T"_s, u"1"_s, 3));
        writeSjisLines(at(u"enc.qvn"_s), encodedFile(questionFile(u"E"_s, u"1"_s, 2)));
        writeBytes(at(u"one.csv"_s), u"問題,ヒント,解答\r\nQ,H,A\r\n"_s.toUtf8());
        writeBytes(at(u"one.gift"_s), "Q {=A}\n");
        writeBytes(at(u"one.xml"_s),
            "<quiz><question type=\"shortanswer\"><answer fraction=\"100\"/></question></quiz>");
    }

    // No writer replaces its input, nor what is no file; through a link to a file it writes
    // that file, the link kept. Each writer hands its inputs to the one write check, which
    // knows the other spellings of a path.
    void outputs_data()
    {
        QTest::addColumn<QStringList>("args");
        const QStringList writers[] = {{u"text"_s, u"one.qvn"_s}, {u"print"_s, u"one.qvn"_s},
            {u"csv"_s, u"one.qvn"_s}, {u"odt"_s, u"one.qvn"_s}, {u"qvn"_s, u"one.csv"_s},
            {u"decode"_s, u"enc.qvn"_s}, {u"encode"_s, u"one.qvn"_s}, {u"moodle"_s, u"one.qvn"_s},
            {u"gift"_s, u"one.qvn"_s}, {u"qvn"_s, u"one.gift"_s}, {u"qvn"_s, u"one.xml"_s}};
        const std::pair<const char *, QString> outputs[]
            = {{"its input", u"%1"_s}, {"a FIFO", u"fifo"_s}, {"a link to a file", u"out.link"_s}};
        for (const QStringList &writer : writers)
            for (const auto &[name, out] : outputs)
                QTest::addRow("%s, %s", qPrintable(writer[0]), name)
                    << writer + QStringList {u"-o"_s, QString(out).replace(u"%1"_s, writer[1])};
    }
    void outputs()
    {
        QFETCH(QStringList, args);
        const QString out = args.last();
        writeBytes(at(u"out.txt"_s), "old");
        if (out != args[1])
            SORARIO_POSIX_ONLY("links and FIFOs");
#ifndef Q_OS_WIN
        QVERIFY(QFile::link(u"out.txt"_s, at(u"out.link"_s)));
        QCOMPARE(::mkfifo(qPrintable(at(u"fifo"_s)), 0600), 0);
#endif
        const QByteArray input = readBytes(at(args[1]));
        const auto cleanup = qScopeGuard([&] {
            for (const char *file : {"out.link", "out.txt", "fifo"})
                QFile::remove(at(QString::fromLatin1(file)));
            writeBytes(at(args[1]), input); // so that no row depends on another
        });
        auto before = snapshot(m_dir.path());
        const CliRun r = runCli(args, m_dir.path());
        auto after = snapshot(m_dir.path());
        if (out == u"out.link"_s) {
            QCOMPARE(r.exitCode, 0);
            QVERIFY(after.take(u"out.txt"_s) != before.take(u"out.txt"_s));
        } else {
            QCOMPARE(r.exitCode, 1);
            QVERIFY2(r.err.startsWith(u"◆"_s), qPrintable(r.err));
        }
        QCOMPARE(after, before);
    }
};

QTEST_GUILESS_MAIN(TestWriters)
#include "tst_writers.moc"
