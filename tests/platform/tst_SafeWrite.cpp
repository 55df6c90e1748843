#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace sorario;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
}

// Caps the size of files this process writes, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = m_old;
        capped.rlim_cur = bytes;
        m_ok = setrlimit(RLIMIT_FSIZE, &capped) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }
    bool ok() const { return m_ok; }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
    bool m_ok = false;
};

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
        QCOMPARE(contents(path), QByteArray("\x95\x5C~\\\r\n\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.qvn")});
    }

    void failureLeavesEverythingAsItWas_data()
    {
        QTest::addColumn<QString>("target"); // relative to the folder
        QTest::newRow("folder missing") << QStringLiteral("none/a.qvn");
        QTest::newRow("parent is a file") << QStringLiteral("old.qvn/a.qvn");
        QTest::newRow("target is a folder") << QStringLiteral("sub");
    }

    void failureLeavesEverythingAsItWas()
    {
        QFETCH(QString, target);
        QTemporaryDir dir;
        const QString old = dir.filePath(QStringLiteral("old.qvn"));
        put(old, QByteArrayLiteral("old"));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QVERIFY(!writeTextFileAtomically(dir.filePath(target), QStringLiteral("new")));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QCOMPARE(contents(old), QByteArrayLiteral("old"));
        QVERIFY(QDir(dir.filePath(QStringLiteral("sub"))).isEmpty());
    }

    // Permission bits do not stop root, so a full disk is played by a file-size limit.
    void diskFullKeepsOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a.qvn"));
        put(path, QByteArrayLiteral("old"));
        bool written = true;
        {
            FileSizeLimit limit(1024);
            if (!limit.ok())
                QSKIP("cannot limit the file size");
            written = writeTextFileAtomically(path, QString(4096, u'x'));
        }
        QVERIFY(!written);
        QCOMPARE(contents(path), QByteArrayLiteral("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.qvn")});
    }
};

QTEST_GUILESS_MAIN(TestSafeWrite)
#include "tst_SafeWrite.moc"
