// SPDX-License-Identifier: GPL-3.0-or-later
#include "convert/FirstFormat.h"

#include "support/Fixtures.h"

using namespace sorario::test;

namespace {

QStringList questionLines(int n)
{
    QStringList lines;
    for (int i = 1; i <= n; ++i)
        lines.append(u"問題の行 "_s + QString::number(i));
    return lines;
}

using K = ConversionKind;

} // namespace

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
            const ConversionResult result = ConvertFirstFormat(qvk);
            QCOMPARE(result.kind, K::Converted);
            QCOMPARE(result.outputPath, qvn);
            QByteArray expected = sjis(control[0]) + "\r\n" + sjis(control[1]) + "\r\n" + "\r\n\r\n\r\n\r\n";
            for (const QString &line : questionLines(questionLineCount))
                expected += sjis(line) + "\r\n";
            QCOMPARE(readBytes(qvn), expected);
            QCOMPARE(snapshot(dir.path()).keys(), QStringList {u"a.qvn"_s});
        }
    }

    void refusedConversionTouchesNothing()
    {
        const std::pair<QString, ConversionKind> rows[]
            = {{u"qvk7 ctr qvn"_s, K::BrokenFile}, // seven lines, an old output kept
                {u"qvk6"_s, K::MissingFile}, // no control file
                {u"qvk6 ctr1"_s, K::NoControlFile}, // a control file of one line
                {u"qvkbad ctr"_s, K::WrongQuestionData}, // a byte that is no character
                {u"qvkutf8 ctr"_s, K::WrongQuestionData}, // UTF-8 text Shift-JIS cannot hold
                {u"qvk6 ctrutf8"_s, K::NoControlFile}, // a title Shift-JIS cannot hold
                // The converted file must stay within the loader's 10000 lines.
                {u"qvk9996 ctr"_s, K::TooManyQuestions},
                {u"qvk20000 ctr"_s, K::BrokenFile}, // fits the line table
                {u"qvk20001 ctr"_s, K::TooManyQuestions},
                // The new file cannot be written: the old pair must stay.
                {u"qvk6 ctr qvndir"_s, K::NotWritten}};
        for (const auto &[setup, kind] : rows) {
            QTemporaryDir dir;
            const QString qvk = dir.filePath(u"a.qvk"_s);
            for (const QString &item : setup.split(u' ')) {
                if (item == u"ctr"_s)
                    writeSjisLines(dir.filePath(u"a.ctr"_s), {u"T"_s, u"2"_s});
                else if (item == u"ctr1"_s)
                    writeSjisLines(dir.filePath(u"a.ctr"_s), {u"T"_s});
                else if (item == u"ctrutf8"_s)
                    writeBytes(dir.filePath(u"a.ctr"_s),
                        "\xEF\xBB\xBF"
                        "caf\xC3\xA9 \xF0\x9F\x98\x80\r\n2\r\n");
                else if (item == u"qvn"_s)
                    writeSjisLines(dir.filePath(u"a.qvn"_s), {u"old"_s});
                else if (item == u"qvndir"_s && QDir(dir.path()).mkdir(u"a.qvn"_s))
                    writeSjisLines(dir.filePath(u"a.qvn/inside.txt"_s), {u"x"_s});
                else if (item == u"qvkbad"_s)
                    writeBytes(qvk, sjis(u"Q"_s) + "\r\nH\xFF\r\nA\r\n");
                else if (item == u"qvkutf8"_s)
                    writeBytes(qvk,
                        "\xEF\xBB\xBF"
                        "\xF0\x9F\x98\x80\r\nH\r\nA\r\n");
                else
                    writeSjisLines(qvk, questionLines(item.mid(3).toInt()));
            }
            const auto before = snapshot(dir.path());

            const ConversionResult result = ConvertFirstFormat(qvk);
            QCOMPARE(result.kind, kind);
            QCOMPARE(result.reason.isEmpty(), result.kind != K::NotWritten);
            QCOMPARE(result.outputPath, QString());
            QCOMPARE(snapshot(dir.path()), before);
        }
    }

    void openDialogAndMessages()
    {
        QTemporaryDir dir;
        const QString qvk = writeSjisLines(dir.filePath(u"b.qvk"_s), questionLines(3));

        // Cancel: nothing shown after the dialog.
        ScriptedDialogs dialogs;
        QVERIFY(!RunConversion(dialogs, dir.path()).converted());
        QCOMPARE(dialogs.kinds(), QStringList {u"open"_s});
        QCOMPARE(dialogs.shown.first().fileOptions.initialDir, dir.path());

        // No control file: the message with its title.
        dialogs.shown.clear();
        dialogs.openAnswers.enqueue(qvk);
        QVERIFY(!RunConversion(dialogs, dir.path()).converted());
        QCOMPARE(dialogs.kinds(), (QStringList {u"open"_s, u"message"_s}));
        QCOMPARE(dialogs.shown.last().text, u"b.qvk  のコントロールファイルがありません。"_s);

        // Success: no message.
        writeSjisLines(dir.filePath(u"b.ctr"_s), {u"T"_s, u"1"_s});
        dialogs.shown.clear();
        dialogs.openAnswers.enqueue(qvk);
        QVERIFY(RunConversion(dialogs, dir.path()).converted());
        QCOMPARE(dialogs.kinds(), QStringList {u"open"_s});

        // A current-format file chosen by name would be deleted after being rewritten.
        const QString qvn = dir.filePath(u"b.qvn"_s);
        const QByteArray converted = readBytes(qvn);
        writeSjisLines(dir.filePath(u"b.ctr"_s), {u"T"_s, u"1"_s});
        const ConversionResult self = ConvertFirstFormat(qvn);
        QCOMPARE(self.kind, K::NotFirstFormat);
        QCOMPARE(readBytes(qvn), converted);
        QVERIFY(QFile::exists(dir.filePath(u"b.ctr"_s)));
    }
};

QTEST_GUILESS_MAIN(tst_FirstFormat)
#include "tst_FirstFormat.moc"
