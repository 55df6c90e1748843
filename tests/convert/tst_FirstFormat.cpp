// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FirstFormat.h"
#include "setup/RunConversion.h"

#include "support/Fixtures.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

using namespace sorario::test;

namespace {

QStringList questionLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines.append(u"問題の行 "_s + QString::number(i));
    return lines;
}

using K = ConversionFault;

struct Refused
{
    QString setup; // the files; the first is converted
    ConversionFault kind;
    ExistingOutput existing = ExistingOutput::Keep;
    QString message = {}; // how the message begins; unchecked when empty
};

// Sets the immutable attribute, which keeps even root from deleting a file; false where
// the file system has none.
bool setImmutable(const QString &path, bool on)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    Q_UNUSED(on);
    return false;
#else
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY);
    int flags = 0;
    bool done = fd >= 0 && ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
    done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    if (fd >= 0)
        ::close(fd);
    return done;
#endif
}

} // namespace

Q_DECLARE_METATYPE(Refused)

class tst_FirstFormat : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Questions and control file become one file whose bytes are known, over an older one
    // too; 9993 question lines are the 9999 lines the loader holds.
    void converts()
    {
        for (const int questionLineCount : {6, 0, 9993}) {
            QTemporaryDir dir;
            const QStringList control {u"文型のテスト"_s, QString::number(questionLineCount % 10)};
            const QString qvk = writeSjisLines(dir.filePath(u"a.qvk"_s), questionLines(questionLineCount));
            const QString ctr = writeSjisLines(dir.filePath(u"a.ctr"_s), control);
            const QString qvn = writeSjisLines(dir.filePath(u"a.qvn"_s), QStringList(50, u"an older file"_s));
            const ConversionResult result = ConvertFirstFormat(qvk, ExistingOutput::Replace);
            QCOMPARE(failureOf(result), QString());
            QCOMPARE(result.value.outputPath, qvn);
            QByteArray expected = sjis(control[0]) + "\r\n" + sjis(control[1]) + "\r\n" + "\r\n\r\n\r\n\r\n";
            for (const QString &line : questionLines(questionLineCount))
                expected += sjis(line) + "\r\n";
            QCOMPARE(readBytes(qvn), expected);
            QCOMPARE(snapshot(dir.path()).keys(), QStringList {u"a.qvn"_s});
        }
    }

    void refusedConversionTouchesNothing_data()
    {
        QTest::addColumn<Refused>("row");
        const auto add = [](const char *name, const Refused &row) { QTest::newRow(name) << row; };
        add("seven lines, an old output kept", {.setup = u"qvk7 ctr qvn"_s, .kind = K::BrokenFile});
        add("no control file", {.setup = u"qvk6"_s, .kind = K::MissingFile});
        add("a control file of one line", {.setup = u"qvk6 ctr1"_s, .kind = K::NoControlFile});
        add("a byte that is no character", {.setup = u"qvkbad ctr"_s, .kind = K::WrongQuestionData});
        add("UTF-8 text Shift-JIS cannot hold", {.setup = u"qvkutf8 ctr"_s, .kind = K::WrongQuestionData});
        add("a title Shift-JIS cannot hold", {.setup = u"qvk6 ctrutf8"_s, .kind = K::NoControlFile});
        // What the loader would refuse: over 10000 lines, a part count, an encoded title.
        add("9996 lines", {.setup = u"qvk9996 ctr"_s, .kind = K::TooManyQuestions});
        add("20000 lines, within the line table", {.setup = u"qvk20000 ctr"_s, .kind = K::BrokenFile});
        add("20001 lines", {.setup = u"qvk20001 ctr"_s, .kind = K::TooManyQuestions});
        add("part count 32768", {.setup = u"qvk6 ctrparts"_s, .kind = K::PartsOutOfRange});
        add("title of the encoded mark alone", {.setup = u"qvk6 ctrmark"_s, .kind = K::EncodedTitle});
        add("not a .qvk", {.setup = u"txt6 ctr"_s, .kind = K::NotFirstFormat});
        add("an edited output, not to be replaced",
            {.setup = u"qvk6 ctr qvn"_s,
                .kind = K::OutputExists,
                .message = u"a.qvn  はすでにあります。置き換えずに、変換をやめました。"_s});
        add("output a folder: the old pair stays",
            {.setup = u"qvk6 ctr qvndir"_s,
                .kind = K::NotWritten,
                .existing = ExistingOutput::Replace,
                .message = u"a.qvn  を書き込めませんでした。古いファイルはそのまま残っています。\n"_s});
    }
    void refusedConversionTouchesNothing()
    {
        QFETCH(Refused, row);
        QTemporaryDir dir;
        const QString converted = dir.filePath(u"a."_s + row.setup.left(3));
        for (const QString &item : row.setup.split(u' ')) {
            const QString ctr = dir.filePath(u"a.ctr"_s);
            if (item == u"ctr"_s)
                writeSjisLines(ctr, {u"T"_s, u"2"_s});
            else if (item == u"ctr1"_s)
                writeSjisLines(ctr, {u"T"_s});
            else if (item == u"ctrparts"_s)
                writeSjisLines(ctr, {u"T"_s, u"32768"_s});
            else if (item == u"ctrmark"_s)
                writeSjisLines(ctr, {u"\\\\\\"_s, u"1"_s});
            else if (item == u"ctrutf8"_s)
                writeBytes(ctr,
                    "\xEF\xBB\xBF"
                    "caf\xC3\xA9 \xF0\x9F\x98\x80\r\n2\r\n");
            else if (item == u"qvn"_s)
                writeSjisLines(dir.filePath(u"a.qvn"_s), {u"old"_s});
            else if (item == u"qvndir"_s && QDir(dir.path()).mkdir(u"a.qvn"_s))
                writeSjisLines(dir.filePath(u"a.qvn/inside.txt"_s), {u"x"_s});
            else if (item == u"qvkbad"_s)
                writeBytes(converted, sjis(u"Q"_s) + "\r\nH\xFF\r\nA\r\n");
            else if (item == u"qvkutf8"_s)
                writeBytes(converted,
                    "\xEF\xBB\xBF"
                    "\xF0\x9F\x98\x80\r\nH\r\nA\r\n");
            else
                writeSjisLines(converted, questionLines(item.mid(3).toInt()));
        }
        const auto before = snapshot(dir.path());

        const ConversionResult result = ConvertFirstFormat(converted, row.existing);
        QCOMPARE(result.fault, std::optional(row.kind));
        QCOMPARE(result.detail.isEmpty(), row.kind != K::NotWritten);
        QCOMPARE(result.value.outputPath, QString());
        QCOMPARE(snapshot(dir.path()), before);
        if (!row.message.isEmpty())
            QVERIFY(ConversionMessageFor(result).text.startsWith(row.message));
    }

    // Written whole, the pair is deleted question file first; the file kept is named.
    void controlFileNotDeleted()
    {
        QTemporaryDir dir;
        const QString qvk = writeSjisLines(dir.filePath(u"a.qvk"_s), questionLines(3));
        const QString ctr = writeSjisLines(dir.filePath(u"a.ctr"_s), {u"T"_s, u"1"_s});
        if (!setImmutable(ctr, true))
            QSKIP("no immutable files here");
        const ConversionResult result = ConvertFirstFormat(qvk, ExistingOutput::Keep);
        setImmutable(ctr, false);
        QCOMPARE(ConversionMessageFor(result).text,
            u"a.qvn  を書き込みましたが、古いファイル  a.ctr  を削除できませんでした。"_s);
        QCOMPARE(snapshot(dir.path()).keys(), (QStringList {u"a.ctr"_s, u"a.qvn"_s}));
    }

    void openDialogAndMessages()
    {
        QTemporaryDir dir;
        const QString qvk = writeSjisLines(dir.filePath(u"b.qvk"_s), questionLines(3));

        // Cancel: nothing shown after the dialog.
        ScriptedDialogs dialogs;
        QVERIFY(!RunConversion(dialogs, dir.path()).ok());
        QCOMPARE(dialogs.kinds(), QStringList {u"open"_s});
        QCOMPARE(dialogs.shown.first().fileOptions.initialDir, dir.path());

        // No control file: the message with its title.
        dialogs.shown.clear();
        dialogs.openAnswers.enqueue(qvk);
        QVERIFY(!RunConversion(dialogs, dir.path()).ok());
        QCOMPARE(dialogs.kinds(), (QStringList {u"open"_s, u"message"_s}));
        QCOMPARE(dialogs.shown.last().text, u"b.qvk  のコントロールファイルがありません。"_s);

        // Success: no message.
        writeSjisLines(dir.filePath(u"b.ctr"_s), {u"T"_s, u"1"_s});
        dialogs.shown.clear();
        dialogs.openAnswers.enqueue(qvk);
        QCOMPARE(failureOf(RunConversion(dialogs, dir.path())), QString());
        QCOMPARE(dialogs.kinds(), QStringList {u"open"_s});
    }
};

QTEST_GUILESS_MAIN(tst_FirstFormat)
#include "tst_FirstFormat.moc"
