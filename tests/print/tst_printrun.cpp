// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrintTestSupport.h"

#include "support/ScriptedDialogs.h"

#include "print/PrintRun.h"
#include "print/PrintTarget.h"

#include <QFile>
#include <QTemporaryDir>

#include <QTest>

using namespace sorario;
using namespace Qt::StringLiterals;
using namespace sorario::test;

Q_DECLARE_METATYPE(sorario::MessageAnswer)

class TestPrintRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void metrics_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("charHeight");
        QTest::addColumn<int>("firstPageLines");
        QTest::addColumn<int>("nextPageLines");
        QTest::newRow("8: no line below 242 mm") << 8 << 3 << 52 << 57;
        QTest::newRow("12 rounds 4.5 to even") << 12 << 4 << 40 << 45;
        QTest::newRow("20 rounds 7.5 to even") << 20 << 8 << 20 << 22;
    }
    void metrics()
    {
        QFETCH(int, size);
        auto m = moduleWith({});
        m->FontSize = static_cast<std::int16_t>(size);
        RecordingSurface s;
        SetPrintMetrics(*m, s);
        QCOMPARE(s.fontSize(), double(size));
        QTEST(int(m->CharHeight), "charHeight");
        QTEST(int(m->FirstPageLines), "firstPageLines");
        QTEST(int(m->NextPageLines), "nextPageLines");
        QCOMPARE(int(m->LineWidth), 175);
    }

    void fittingQuestionsNeedNoPrompt()
    {
        auto m = moduleWith(plainQuestions(10), 1, 1);
        RecordingSurface s;
        ScriptedDialogs d;
        QVERIFY(PrintSheet(*m, s, d).printed());
        QCOMPARE(d.kinds(), QStringList {u"print"_s});
        QCOMPARE(int(m->PrintMode), 1);
        QCOMPARE(s.log().pagesDelivered(), 2);
        // Both pages carry the header; the answer page its own answers.
        QCOMPARE(s.log().texts(2)[7].text, u"すべてのはんい"_s);
        QCOMPARE(s.log().texts(2).last().text, u"　■　A10"_s);
        QCOMPARE(s.log().operations().last().kind, PrintOperation::Kind::EndDoc);
    }

    // 42 one-line questions: 41 fit; a cancelled print dialog asks nothing more.
    void capacityAnswers_data()
    {
        QTest::addColumn<bool>("dialogOk");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("printed");
        QTest::addColumn<int>("questionCount");
        QTest::addColumn<int>("printMode");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QString>("lastAnswer");
        QTest::newRow("yes") << true << MessageAnswer::Yes << true << 41 << 1 << 3 << u"　■　A41"_s;
        QTest::newRow("no") << true << MessageAnswer::No << true << 42 << 2 << 4 << u"　■　A42"_s;
        QTest::newRow("cancel") << true << MessageAnswer::Cancel << false << 42 << 1 << 0 << QString();
        QTest::newRow("print dialog cancelled")
            << false << MessageAnswer::Yes << false << 42 << 1 << 0 << QString();
    }
    void capacityAnswers()
    {
        QFETCH(bool, dialogOk);
        QFETCH(MessageAnswer, answer);
        QFETCH(bool, printed);
        QFETCH(QString, lastAnswer);
        auto m = moduleWith(plainQuestions(42), 2, 1);
        RecordingSurface s;
        ScriptedDialogs d;
        d.printAnswers.enqueue(dialogOk);
        d.messageAnswers.enqueue(answer);
        QCOMPARE(PrintSheet(*m, s, d).printed(), printed);
        QTEST(int(m->QuestionCount), "questionCount");
        QTEST(int(m->PrintMode), "printMode");
        QTEST(s.log().pagesDelivered(), "pages");
        if (!dialogOk) {
            QCOMPARE(d.kinds(), QStringList {u"print"_s});
            QVERIFY(s.log().operations().isEmpty());
            return;
        }
        QCOMPARE(d.kinds(), (QStringList {u"print"_s, u"message"_s}));
        QCOMPARE(d.shown[1].text, CapacityPromptText(41, 42));
        QCOMPARE(int(m->FitCount), 41);
        if (printed)
            QCOMPARE(s.log().texts().last().text, lastAnswer);
        else
            QCOMPARE(s.log().operations().last().kind, PrintOperation::Kind::KillDoc);
    }

    // Printing to a file: the sheet's title beside the question files is offered, and
    // a file already there is replaced only after a Yes.
    void replacingAFile_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::addColumn<bool>("printed");
        QTest::newRow("new file") << false << MessageAnswer::No << true;
        QTest::newRow("replace: yes") << true << MessageAnswer::Yes << true;
        QTest::newRow("replace: no") << true << MessageAnswer::No << false;
    }
    void replacingAFile()
    {
        QFETCH(bool, exists);
        QFETCH(MessageAnswer, answer);
        QTemporaryDir dir;
        struct ToFile : SurfaceTarget
        {
            using SurfaceTarget::SurfaceTarget;
            void proposeFile(const QString &path) override { file = path; }
            QString settleDestination() override { return file; }
            QString file;
        };
        auto m = moduleWith(plainQuestions(2));
        m->ChosenFileList(1) = dir.filePath(u"drill.qvn"_s);
        RecordingSurface s;
        ToFile target(s);
        const QString pdf = dir.filePath(u"文法テスト.pdf"_s);
        if (exists)
            QVERIFY(QFile(pdf).open(QIODevice::WriteOnly));
        ScriptedDialogs d;
        d.messageAnswers.enqueue(answer);
        QTEST(PrintSheets(*m, target, d, {}).printed(), "printed");
        QCOMPARE(target.file, pdf);
        QCOMPARE(d.messages().size(), exists ? 1 : 0);
        QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), s.log().operations().isEmpty() ? 0 : 1);
    }

    // Whatever goes wrong, the run discards its document instead of ending it, and
    // a font too large for a line ends instead of looping.
    void failedRunsDiscardTheDocument_data()
    {
        QTest::addColumn<int>("fontSize");
        QTest::addColumn<int>("failAt");
        QTest::newRow("size 0") << 0 << 0;
        QTest::newRow("printer error on the answer page") << 10 << 40;
        QTest::newRow("printer error at the end") << 10 << 58;
        QTest::newRow("too large for one character") << 1000 << 0;
        QTest::newRow("only the indent fits") << 240 << 0;
    }
    void failedRunsDiscardTheDocument()
    {
        QFETCH(int, fontSize);
        QFETCH(int, failAt);
        auto m = moduleWith(plainQuestions(10), 2, 1);
        m->FontSize = static_cast<std::int16_t>(fontSize);
        RecordingSurface s;
        s.failAtOperation(failAt);
        ScriptedDialogs d;
        d.messageAnswers.enqueue(MessageAnswer::No);
        QVERIFY(!PrintSheet(*m, s, d).printed());
        QCOMPARE(s.log().operations().last().kind, PrintOperation::Kind::KillDoc);
        QCOMPARE(countOps(s.log(), PrintOperation::Kind::EndDoc), 0);
    }

    // The measuring pass counts the lines of a too large font without stopping:
    // Yes at the prompt prints no question, so the run can finish.
    void tooLargeFontStillPrintsTheFittedHeader()
    {
        auto m = moduleWith(plainQuestions(2), 2, 2);
        m->FontSize = 1000;
        RecordingSurface s;
        ScriptedDialogs d;
        d.messageAnswers.enqueue(MessageAnswer::Yes);
        QVERIFY(PrintSheet(*m, s, d).printed());
        QCOMPARE(int(m->QuestionCount), 0);
        QCOMPARE(s.log().texts().size(), 8);
    }
};

QTEST_GUILESS_MAIN(TestPrintRun)
#include "tst_printrun.moc"
