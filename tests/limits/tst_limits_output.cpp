// What the program writes at the limits: a 100000-character line in the text
// export, and first-format files longer than the loader holds.
#include "bank/QuestionFiles.h"
#include "convert/FirstFormat.h"
#include "export/TestTextFile.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"

#include "LimitFiles.h"
#include "support/ScriptedDialogs.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

QMap<QString, QByteArray> snapshot(const QString &folder)
{
    QMap<QString, QByteArray> files;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot))
        files.insert(name, readBytes(dir.filePath(name)));
    return files;
}

} // namespace

class tst_limits_output : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void longLineExportedWhole()
    {
        QString line;
        while (line.size() < 100000)
            line += u"文法 grammar ～ "_s;
        line.truncate(100000);
        auto m = std::make_unique<Module1>();
        m->ChosenFileCount = 1;
        m->FileHeaders(1, 1) = u"T"_s;
        m->AllPartsChosen = 1;
        m->QuestionCount = 1;
        m->DrawnQuestions(1) = {line, line, line};

        QTemporaryDir dir;
        const QString path = dir.filePath(u"out.txt"_s);
        ScriptedDialogs dialogs;
        dialogs.saveAnswers.enqueue(path);
        QVERIFY(WriteTestTextFile(*m, dialogs));
        QVERIFY(dialogs.messages().isEmpty());
        const LineFileRead read = readLineFile(path);
        QCOMPARE(read.status, LineFileRead::Status::Ok);
        QCOMPARE(read.lines.value(2), u"  1 "_s + line);
        QCOMPARE(read.lines.value(3), u"　〔"_s + line + u"〕"_s);
        QCOMPARE(read.lines.value(9), u"  1 "_s + line);
    }

    // The converted file must stay within the loader's 10000 lines; past that the
    // conversion stops before writing anything or deleting the old pair.
    void conversionLength_data()
    {
        QTest::addColumn<int>("lines");
        QTest::addColumn<QString>("message"); // empty: converted
        const QString tooMany = u"a.qvk  は問題が多すぎるため変換できません。（3331 題まで）"_s;
        const QString broken = u"ファイルがこわれています。"_s;
        QTest::newRow("9993: 9999 lines after conversion") << 9993 << QString();
        QTest::newRow("9996") << 9996 << tooMany;
        QTest::newRow("20000") << 20000 << broken;
        QTest::newRow("20001") << 20001 << tooMany;
        QTest::newRow("30003") << 30003 << tooMany;
    }

    void conversionLength()
    {
        QFETCH(int, lines);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString qvk = writeSjisLines(dir.filePath(u"a.qvk"_s), lineRun(lines));
        writeSjisLines(dir.filePath(u"a.ctr"_s), {u"T"_s, u"3"_s});
        writeSjisLines(dir.filePath(u"a.qvn"_s), {u"an older converted file"_s});
        const auto before = snapshot(dir.path());

        QElapsedTimer clock;
        clock.start();
        const ConversionResult result = ConvertFirstFormat(qvk);
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(result.message, message);
        if (!message.isEmpty()) {
            QVERIFY(!result.converted);
            QCOMPARE(snapshot(dir.path()), before);
            return;
        }
        QVERIFY(result.converted);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"a.qvn"_s});
        // The largest conversion loads whole.
        auto m = std::make_unique<Module1>();
        m->ChosenFileCount = 1;
        m->ChosenFileList(1) = result.outputPath;
        ScriptedDialogs dialogs;
        LoadQuestionFiles(*m, dialogs);
        QCOMPARE(int(m->LoadFailed), 0);
        QCOMPARE(int(m->BankQuestionCount), lines / 3);
        QCOMPARE(m->QuestionBank(lines / 3).Answer, QString::number(lines));
    }
};

QTEST_GUILESS_MAIN(tst_limits_output)
#include "tst_limits_output.moc"
