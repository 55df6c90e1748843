// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs, driven offscreen: the font choice and the preview as the program needs them.
#include "app/QtDialogs.h"
#include "print/FontSubstitution.h"
#include "print/PrintRun.h"

#include "GuiTestSupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>

using namespace sorario;
using namespace sorario::test;
using namespace Qt::StringLiterals;

namespace {

// Runs `act` on the modal dialog once it is up.
void whenModal(const std::function<void(QWidget *)> &act)
{
    QTimer::singleShot(0, [act] {
        if (QWidget *w = QApplication::activeModalWidget())
            return act(w);
        QTimer::singleShot(10, [act] { act(QApplication::activeModalWidget()); });
    });
}

// A stored face that is not installed opens on the font that prints in its place,
// and confirming that keeps the stored name; sizes take a decimal, in full width too.
const struct FontRow
{
    const char *name;
    QString pick, typed, face;
    double size;
} fontRows[] = {
    {"confirmed as shown", {}, {}, u"ＭＳ Ｐ明朝"_s, 10.0},
    {"another font, half a point", u"IPAゴシック"_s, u"10.5"_s, u"IPAゴシック"_s, 10.5},
    {"typed in full width", {}, u"１１．５"_s, u"ＭＳ Ｐ明朝"_s, 11.5},
    {"no number: no choice", {}, u""_s, {}, 0.0},
};

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameFilters()
    {
        QCOMPARE(qtNameFilters(u"テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*"_s),
            (QStringList {u"テキストファイル(*.txt) (*.txt)"_s, u"すべてのファイル(*.*) (*)"_s}));
        QCOMPARE(qtNameFilters(u"問題|*.qvn;*.qvk"_s), QStringList {u"問題 (*.qvn *.qvk)"_s});
        QCOMPARE(qtNameFilters(u"壊れた"_s), QStringList {});
    }

    void fontChoice_data() { addRows(fontRows); }
    void fontChoice()
    {
        QFETCH(int, row);
        const FontRow &r = fontRows[row];
        installFontSubstitutions();
        if (!QFontDatabase::families().contains(u"IPAPMincho"_s)
            || !QFontDatabase::families().contains(u"IPAGothic"_s))
            QSKIP("the IPA fonts are not installed");
        QString initialFace;
        whenModal([&](QWidget *w) {
            auto *faces = control<QListWidget>(w, "lstFaces");
            initialFace = faces->currentItem()->text();
            if (!r.pick.isEmpty())
                faces->setCurrentItem(faces->findItems(r.pick, Qt::MatchExactly).value(0));
            if (!r.typed.isNull())
                control<QComboBox>(w, "cboSize")->setEditText(r.typed);
            QTest::keyClick(w, Qt::Key_Return);
            if (w->isVisible())
                static_cast<QDialog *>(w)->reject();
        });
        const std::optional<FontChoice> choice = QtDialogs().fontDialog(DefaultFontName, 10, {});
        QCOMPARE(initialFace, u"IPA P明朝"_s);
        QCOMPARE(choice.has_value(), !r.face.isEmpty());
        if (choice)
            QCOMPARE((std::pair {choice->face, choice->size}), (std::pair {r.face, r.size}));
    }

    // The preview shows every page of the kept document (questions and answers of each
    // sheet); its print button prints that document.
    void printPreview()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"preview.pdf"_s);
        Module1 m;
        fillBank(m, 5, 1);
        m.QuestionCount = 5;
        const DrawSheet draw = [&m](int) {
            for (int k = 1; k <= 5; ++k)
                m.DrawnQuestions(k) = question(k);
        };
        draw(1);
        QtPrintTarget target(PrintPurpose::Preview);
        QtPrintSurface &paper = target.paper();
        ScriptedDialogs script;
        QVERIFY(PrintDocument(m, paper, script, 3, draw).printed());
        QVERIFY(target.preview());
        QCOMPARE(paper.pagesPrinted(), 0);
        paper.setPdfOutput(pdf); // where its print button prints here
        int shownPages = -1;
        whenModal([&](QWidget *w) {
            auto *view = w->findChild<QPrintPreviewWidget *>();
            QVERIFY(qobject_cast<QPrintPreviewDialog *>(w) && view);
            shownPages = view->pageCount();
            view->print(); // what the print button does once the printer is chosen
            static_cast<QDialog *>(w)->reject();
        });
        QVERIFY(QtDialogs().printPreview(*target.preview()));
        QCOMPARE((QList<int> {shownPages, paper.pagesPrinted()}), (QList<int> {6, 6}));
        QVERIFY(readBytes(pdf).startsWith("%PDF"));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
