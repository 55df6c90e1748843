// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SafeWrite.h"

#include "support/Fixtures.h"

#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace sorario;
using namespace sorario::test;

namespace {

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

} // namespace

class TestSafeWrite : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesShiftJisWithCrLf()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.qvn"));
        put(path, QByteArrayLiteral("old contents that are longer"));
        QVERIFY(writeLineFileAtomically(path, {QStringLiteral("表~\\"), QString()}));
        QCOMPARE(readBytes(path), QByteArray("\x95\x5C~\\\r\n\r\n"));
        QCOMPARE(snapshot(dir.path()).keys(), QStringList {QStringLiteral("a.qvn")});
    }

    void failureLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("target"); // relative to the folder
        QTest::addColumn<bool>("diskFull");
        QTest::newRow("folder missing") << QStringLiteral("none/a.qvn") << false;
        QTest::newRow("parent is a file") << QStringLiteral("old.qvn/a.qvn") << false;
        QTest::newRow("target is a folder") << QStringLiteral("sub") << false;
        QTest::newRow("disk full") << QStringLiteral("old.qvn") << true;
    }

    void failureLeavesEverythingAsItWas()
    {
        QFETCH(QString, target);
        QFETCH(bool, diskFull);
        QTemporaryDir dir;
        put(dir.filePath(QStringLiteral("old.qvn")), QByteArrayLiteral("old"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const auto before = snapshot(dir.path());
        bool written = true;
        {
            std::optional<FileSizeLimit> limit;
            if (diskFull && !limit.emplace(1024).ok())
                QSKIP("cannot limit the file size");
            written = writeTextFileAtomically(dir.filePath(target), QString(4096, u'x')).ok();
        }
        QVERIFY(!written);
        QCOMPARE(snapshot(dir.path()), before);
    }
};

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_SafeWrite.moc"
