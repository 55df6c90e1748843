// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"

using namespace sorario::test;

struct Refused
{
    const char *name, *button;
    QString message;
};
const Refused refusedRows[] = {
    {.name = "print",
        .button = "cmdSetOK",
        .message = u"個別復習プリントを作れません。クラス「2B」には出席番号つきの採点の記録がありません。"_s},
    {.name = "document",
        .button = "cmdDocument",
        .message = u"個別復習プリントは印刷するだけで、テキストファイルや文書ファイルには書き出せません。"_s},
};

class TestPupilReview : public QObject // 「個別復習プリント」: refusals told, nothing run; its class
{
    Q_OBJECT

private Q_SLOTS:
    void refused_data() { addRows(refusedRows); }
    void refused()
    {
        QFETCH(int, row);
        SetupFixture f(200, 1);
        qputenv("SORARIO_HISTORY", f.dir.filePath(u"h.sqlite"_s).toUtf8());
        recordedSheet(HistoryStore(f.dir.filePath(u"h.sqlite"_s)), 3); // 2B's sheet, not marked
        f.open();
        control<QComboBox>(f.w.get(), "cboClass")->setEditText(u"2B"_s);
        control<QAbstractButton>(f.w.get(), "chkPupilReview")->setChecked(true);
        f.press("Command5");
        f.press(refusedRows[row].button);
        QCOMPARE(f.dialogs.kinds(), QStringList {u"message"_s}); // no print, no save
        QCOMPARE(f.dialogs.shown[0].text, refusedRows[row].message);
        QCOMPARE(f.dialogs.shown[0].title, u"ソラリオ"_s);
    }

    // A review ticked for 2B is off for another class, and 2B's again when 2B is back.
    void belongsToItsClass()
    {
        SetupFixture f(20, 1);
        f.open();
        auto *className = control<QComboBox>(f.w.get(), "cboClass");
        auto *review = control<QAbstractButton>(f.w.get(), "chkPupilReview");
        className->setEditText(u"2B"_s);
        review->setChecked(true);
        className->setEditText(QString());
        QVERIFY(!review->isChecked());
        className->setEditText(u"3C"_s);
        QVERIFY(!review->isChecked());
        className->setEditText(u"2B"_s);
        QVERIFY(review->isChecked());
    }
};

QTEST_MAIN(TestPupilReview)
#include "tst_pupilreview.moc"
