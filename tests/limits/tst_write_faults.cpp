// Every writer against a write that fails at each step: the folder, the target,
// the room on the disk. Cases already tried next to their writer are left there
// (tests/platform tst_SafeWrite, tests/settings failedSaveIsSilentAndHarmless and
// failedWriteKeepsOldFile, tests/export failedWriteLeavesDiskAsItWas, tests/convert
// refusedConversionTouchesNothing, tests/cli tst_CliBank "encode, folder missing").
#include "convert/FirstFormat.h"
#include "export/TestTextFile.h"
#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include "LimitFiles.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <functional>
#include <optional>
#include <memory>
#include <sys/resource.h>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

// Every file under a folder with its bytes, folders marked: a failed write must
// leave this exactly as it was (old files whole, no temporary file, sources kept).
QMap<QString, QByteArray> snapshot(const QString &root)
{
    QMap<QString, QByteArray> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        entries.insert(QDir(root).relativeFilePath(path),
                       it.fileInfo().isDir() ? QByteArray("<folder>") : readBytes(path));
    }
    return entries;
}

// A full disk as root meets it: writes past this size fail (EFBIG) instead of raising SIGXFSZ.
void limitFileSize(rlim_t bytes)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
}

class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        limitFileSize(bytes);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

constexpr rlim_t DiskRoom = 64; // bytes: less than any writer below writes

const QByteArray OldBytes = "the old file, which must stay whole\r\n";

struct Outcome
{
    bool written = false;
    QStringList shown; // messages the caller got
};

} // namespace

class tst_write_faults : public QObject
{
    Q_OBJECT

    // Where the target goes for each fault; prepares the folder accordingly.
    static QString targetFolder(const QString &root, const QString &fault, const QString &name)
    {
        QDir dir(root);
        if (fault == u"folder missing"_s)
            return dir.filePath(u"missing"_s);
        if (fault == u"folder is a file"_s) {
            QFile f(dir.filePath(u"plain"_s));
            if (f.open(QIODevice::WriteOnly))
                f.write(OldBytes);
            return dir.filePath(u"plain"_s);
        }
        if (fault == u"target is a folder"_s) {
            dir.mkpath(name);
            QFile f(dir.filePath(name + u"/inside.txt"_s));
            if (f.open(QIODevice::WriteOnly))
                f.write(OldBytes);
            return root;
        }
        QFile f(dir.filePath(name)); // disk full: an old file to keep
        if (f.open(QIODevice::WriteOnly))
            f.write(OldBytes);
        return root;
    }

    // Lays out the sources and old files for one writer and fault; the returned
    // action then writes.
    static std::function<Outcome()> prepare(const QString &writer, const QString &fault, const QString &root)
    {
        const bool diskFull = fault == u"disk full"_s;
        const QString longText = QString(200, u'長');
        const QDir dir(root);
        if (writer == u"Vk.ini"_s || writer == u"Vk.rog"_s) {
            const QString folder = targetFolder(root, fault, writer);
            return [=] {
                const bool ini = writer == u"Vk.ini"_s;
                auto m = std::make_unique<Module1>();
                m->SettingsFolder = folder;
                m->FontName = m->SheetLogo = longText;
                {
                    std::optional<FileSizeLimit> limit;
                    if (diskFull)
                        limit.emplace(DiskRoom);
                    ini ? SaveFontSettings(*m) : SaveSheetLogo(*m);
                }
                auto back = std::make_unique<Module1>();
                back->SettingsFolder = folder;
                ini ? LoadFontSettings(*back) : LoadSheetLogo(*back);
                return Outcome{(ini ? back->FontName : back->SheetLogo) == longText, {}};
            };
        }
        if (writer == u"text export"_s) {
            const QString target = QDir(targetFolder(root, fault, u"out.txt"_s)).filePath(u"out.txt"_s);
            return [=] {
                auto m = std::make_unique<Module1>();
                m->ChosenFileCount = 1;
                m->FileHeaders(1, 1) = u"T"_s;
                m->AllPartsChosen = 1;
                m->QuestionCount = 1;
                m->DrawnQuestions(1) = {longText, longText, longText};
                ScriptedDialogs dialogs;
                dialogs.saveAnswers.enqueue(target);
                std::optional<FileSizeLimit> limit;
                if (diskFull)
                    limit.emplace(DiskRoom);
                const bool written = WriteTestTextFile(*m, dialogs);
                limit.reset();
                return Outcome{written, dialogs.messages()};
            };
        }
        if (writer == u"conversion"_s) {
            writeSjisLines(dir.filePath(u"a.qvk"_s), questionFile(longText, u"1"_s, 3).mid(6));
            writeSjisLines(dir.filePath(u"a.ctr"_s), {longText, u"1"_s});
            targetFolder(root, fault, u"a.qvn"_s);
            return [=] {
                ScriptedDialogs dialogs;
                dialogs.openAnswers.enqueue(dir.filePath(u"a.qvk"_s));
                std::optional<FileSizeLimit> limit;
                if (diskFull)
                    limit.emplace(DiskRoom);
                const bool converted = RunConversion(dialogs, root).converted;
                limit.reset();
                return Outcome{converted, dialogs.messages()};
            };
        }
        // The command line; the size limit is set in the child only.
        const QString source = writeSjisLines(dir.filePath(u"source.qvn"_s), questionFile(longText, u"1"_s, 3));
        QStringList args;
        if (writer == u"encode"_s) {
            const QString out = QDir(targetFolder(root, fault, u"out.qvn"_s)).filePath(u"out.qvn"_s);
            args = QStringList{u"encode"_s, source, u"-o"_s, out};
        } else { // the print command's trace
            const QString trace = QDir(targetFolder(root, fault, u"t.json"_s)).filePath(u"t.json"_s);
            args = QStringList{u"print"_s, source, u"--metrics"_s, u"fixed"_s, u"--trace"_s, trace,
                               u"-o"_s, dir.filePath(u"out.pdf"_s)};
        }
        return [=] {
            Outcome outcome;
            QTemporaryDir runtime;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(u"XDG_RUNTIME_DIR"_s, runtime.path());
            QProcess p;
            p.setProcessEnvironment(env);
            if (diskFull)
                p.setChildProcessModifier([] { limitFileSize(DiskRoom); });
            p.start(QStringLiteral(SORARIO_CLI), args);
            if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
                return outcome;
            outcome.written = p.exitCode() == 0;
            const QString err = QString::fromUtf8(p.readAllStandardError());
            for (const QString &line : err.split(u'\n'))
                if (line.startsWith(u"◆"_s) || line.startsWith(u"cannot write the trace"_s))
                    outcome.shown << line;
            return outcome;
        };
    }

private Q_SLOTS:
    void writeFails_data()
    {
        QTest::addColumn<QString>("writer");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("shown"); // the message's start; empty: silent

        // Saving makes the settings folder of an installed copy.
        QTest::newRow("Vk.ini, folder missing") << u"Vk.ini"_s << u"folder missing"_s << true << QString();
        QTest::newRow("Vk.rog, folder missing") << u"Vk.rog"_s << u"folder missing"_s << true << QString();
        QTest::newRow("text export, disk full") << u"text export"_s << u"disk full"_s << false
                                                << u"テキストファイルを保存できませんでした。"_s;
        QTest::newRow("conversion, disk full") << u"conversion"_s << u"disk full"_s << false
                                               << u"コントロールファイルがありません。"_s;
        const QString unwritable = u"◆ファイルを書き込めません。"_s;
        QTest::newRow("encode, target is a folder") << u"encode"_s << u"target is a folder"_s << false << unwritable;
        QTest::newRow("encode, folder is a file") << u"encode"_s << u"folder is a file"_s << false << unwritable;
        QTest::newRow("encode, disk full") << u"encode"_s << u"disk full"_s << false << unwritable;
        QTest::newRow("print trace, disk full") << u"print trace"_s << u"disk full"_s << false
                                                << u"cannot write the trace"_s;
    }

    void writeFails()
    {
        QFETCH(QString, writer);
        QFETCH(QString, fault);
        QFETCH(bool, written);
        QFETCH(QString, shown);
        QTemporaryDir dir;
        const auto write = prepare(writer, fault, dir.path());
        const auto before = snapshot(dir.path());
        const Outcome outcome = write();
        if (!written)
            QCOMPARE(snapshot(dir.path()), before);
        QCOMPARE(outcome.written, written);
        if (shown.isEmpty()) {
            QVERIFY(outcome.shown.isEmpty());
        } else {
            QCOMPARE(outcome.shown.size(), 1);
            QVERIFY2(outcome.shown.first().startsWith(shown), qPrintable(outcome.shown.first()));
        }
    }
};

QTEST_GUILESS_MAIN(tst_write_faults)
#include "tst_write_faults.moc"
