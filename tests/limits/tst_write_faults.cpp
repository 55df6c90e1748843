// SPDX-License-Identifier: GPL-3.0-or-later
// The command line's writers on a full disk, limited in the child only. The safe write
// on a full disk is tested in tests/platform tst_SafeWrite, each writer's failed write
// beside it.
#include "support/Fixtures.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <functional>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

constexpr rlim_t DiskRoom = 64; // bytes: less than any writer below writes

struct Outcome
{
    bool written = false;
    QStringList shown; // messages the caller got
};

// Lays out the sources and an old target for one writer; the returned action writes.
std::function<Outcome()> prepare(const QString &writer, const QString &root)
{
    const QString longText = QString(200, u'長');
    const QDir dir(root);
    const auto oldFile = [&](const QString &name) {
        return writeSjisLines(dir.filePath(name), {u"the old file, which must stay whole"_s});
    };
    // The command line; the size limit is set in the child only.
    const QString source = writeSjisLines(dir.filePath(u"source.qvn"_s), questionFile(longText, u"1"_s, 3));
    const QStringList args = writer == u"encode"_s
        ? QStringList {u"encode"_s, source, u"-o"_s, oldFile(u"out.qvn"_s)}
        : QStringList {u"print"_s, source, u"--metrics"_s, u"fixed"_s, u"--trace"_s, oldFile(u"t.json"_s),
            u"-o"_s, dir.filePath(u"out.pdf"_s)};
    return [=] {
        Outcome outcome;
        QTemporaryDir runtime;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
        QProcess p;
        p.setProcessEnvironment(env);
        p.setChildProcessModifier([] { limitFileSize(DiskRoom); });
        p.start(QStringLiteral(SORARIO_CLI), args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return outcome;
        outcome.written = p.exitCode() == 0;
        for (const QString &line : QString::fromUtf8(p.readAllStandardError()).split(u'\n'))
            if (line.startsWith(u"◆"_s) || line.startsWith(u"cannot write the trace"_s))
                outcome.shown << line;
        return outcome;
    };
}

} // namespace

class tst_write_faults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writeFails_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("shown"); // the message's start

        QTest::newRow("encode, disk full") << u"encode"_s << u"◆ファイルを書き込めません。"_s;
        QTest::newRow("print trace, disk full") << u"print trace"_s << u"cannot write the trace"_s;
    }

    void writeFails()
    {
        QFETCH(QString, writer);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const auto write = prepare(writer, dir.path());
        const auto before = snapshot(dir.path());
        const Outcome outcome = write();
        QCOMPARE(snapshot(dir.path()), before);
        QVERIFY(!outcome.written);
        QCOMPARE(outcome.shown.size(), 1);
        QVERIFY2(outcome.shown.first().startsWith(shown), qPrintable(outcome.shown.first()));
    }
};

QTEST_GUILESS_MAIN(tst_write_faults)
#include "tst_write_faults.moc"
