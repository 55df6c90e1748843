#include "bank/QuestionFileCheck.h"
#include "bank/QuestionFiles.h"
#include "platform/Cp932.h"
#include "shared/Module1.h"

#include "support/ScriptedDialogs.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sorario;

// Teachers' editors now save UTF-8; with its mark such a file must load exactly
// as its Shift-JIS twin, and without it the check must say why it reads garbled.
class tst_Utf8Files : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
        return path;
    }

    static QString text()
    {
        return QStringLiteral("英語　文法\r\n2\r\nEG\r\n\r\n\r\n\r\n"
                              "彼は毎日学校へ（　）。\r\n「行く」\r\ngoes\r\n"
                              "I @have@ lived here.\\/現在完了\r\n*\r\nhave\r\n");
    }

    static QList<QuestionRecord> load(const QString &path, test::ScriptedDialogs &dialogs, Module1 &m)
    {
        m.ChosenFileCount = 1;
        m.ChosenFileList(1) = path;
        m.LoadFailed = 0;
        LoadQuestionFiles(m, dialogs);
        QList<QuestionRecord> bank;
        for (int i = 1; i <= m.BankQuestionCount; ++i)
            bank.append(m.QuestionBank(i));
        return bank;
    }

private Q_SLOTS:
    void encodings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("sameAsShiftJis");
        QTest::addColumn<bool>("checkWarnsUtf8");
        const QByteArray utf8 = text().toUtf8();
        QTest::newRow("Shift-JIS") << encodeCp932(text()).bytes << true << false;
        QTest::newRow("UTF-8 with its mark") << (QByteArray("\xEF\xBB\xBF") + utf8) << true << false;
        QTest::newRow("UTF-8 without the mark") << utf8 << false << true;
    }

    void encodings()
    {
        QFETCH(QByteArray, bytes);
        test::ScriptedDialogs dialogs;
        auto reference = std::make_unique<Module1>();
        const auto expected = load(write(QStringLiteral("sjis.qvn"), encodeCp932(text()).bytes), dialogs, *reference);
        QCOMPARE(expected.size(), 2);

        auto m = std::make_unique<Module1>();
        const QString path = write(QStringLiteral("file.qvn"), bytes);
        const auto bank = load(path, dialogs, *m);
        QCOMPARE(int(m->LoadFailed), 0);
        QTEST(bank == expected && m->FileHeaders(1, 1) == reference->FileHeaders(1, 1), "sameAsShiftJis");

        bool warnsUtf8 = false;
        for (const CheckProblem &p : CheckQuestionFiles({path}))
            warnsUtf8 |= p.message.contains(QStringLiteral("UTF-8"));
        QTEST(warnsUtf8, "checkWarnsUtf8");
    }
};

QTEST_GUILESS_MAIN(tst_Utf8Files)
#include "tst_Utf8Files.moc"
