// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs driven offscreen: the font choice and the print preview.
#include "print/FontSubstitution.h"
#include "print/PrintRun.h"
#include "setup/SheetPrinting.h"
#include "setup/SheetProcedures.h"
#include "ui/QtDialogs.h"
#include "ui/QtJapanese.h"

#include "GuiTestSupport.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTimer>

using namespace sorario::test;

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
    QString pick = {}, typed = {}, face = {};
    double size = 0;
} fontRows[] = {
    {.name = "confirmed as shown", .face = u"ＭＳ Ｐ明朝"_s, .size = 10.0},
    {.name = "another font, half a point",
        .pick = u"IPAゴシック"_s,
        .typed = u"10.5"_s,
        .face = u"IPAゴシック"_s,
        .size = 10.5},
    {.name = "typed in full width", .typed = u"１１．５"_s, .face = u"ＭＳ Ｐ明朝"_s, .size = 11.5},
    {.name = "no number: no choice", .typed = u""_s},
};

// The preview printed from, or its own print button cancelled at the print dialog.
const struct PreviewRow
{
    const char *name;
    bool cancelled;
    int pagesPrinted;
    bool printed;
} previewRows[] = {
    {.name = "printed", .cancelled = false, .pagesPrinted = 6, .printed = true},
    {.name = "print dialog cancelled", .cancelled = true, .pagesPrinted = 0, .printed = false},
};

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // No English word on a button or a frame of Qt's own print dialog.
    void printDialogInJapanese()
    {
        installQtJapanese(*QCoreApplication::instance());
        QPrinter printer;
        QPrintDialog dialog(&printer);
        const QRegularExpression word(u"[A-Za-z]{2}"_s);
        QStringList english;
        for (const QAbstractButton *button : dialog.findChildren<QAbstractButton *>())
            english << button->text();
        for (const QGroupBox *box : dialog.findChildren<QGroupBox *>())
            english << box->title();
        english.removeIf([&word](const QString &text) { return !text.contains(word); });
        QCOMPARE(english, QStringList());
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
        const std::optional<FontChoice> choice = QtDialogs().fontDialog(u"ＭＳ Ｐ明朝"_s, 10, {});
        QCOMPARE(initialFace, u"IPA P明朝"_s);
        QCOMPARE(choice.has_value(), !r.face.isEmpty());
        if (choice) {
            QCOMPARE(choice->face, r.face);
            QCOMPARE(choice->size, r.size);
        }
    }

    // The preview shows every page of the kept document (questions and answers of each
    // sheet); its print button prints that document, unless the print dialog is cancelled.
    void printPreview_data() { addRows(previewRows); }
    void printPreview()
    {
        QFETCH(int, row);
        const PreviewRow &r = previewRows[row];
        QTemporaryDir dir;
        const QString pdf = dir.filePath(u"preview.pdf"_s);
        Module1 m;
        fillBank(m, 5, 1);
        m.QuestionCount = 5;
        const DrawSheet draw = [&m](int) { std::copy_n(&m.QuestionBank(1), 5, &m.DrawnQuestions(1)); };
        draw(1);
        QtPrintTarget target(PrintPurpose::Preview);
        QtPrintSurface &paper = target.paper();
        ScriptedDialogs script;
        QVERIFY(PrintDocument(SheetJobOf(m, 3, draw, capacityQuestion(script), OverflowPolicy::Ask), paper)
                    .printed());
        QVERIFY(target.preview());
        QCOMPARE(paper.pagesPrinted(), 0);
        paper.setPdfOutput(pdf); // where its print button prints here
        int shownPages = -1;
        whenModal([&](QWidget *w) {
            auto *view = w->findChild<QPrintPreviewWidget *>();
            QVERIFY(view);
            shownPages = view->pageCount();
            if (r.cancelled) {
                whenModal([](QWidget *printDialog) { static_cast<QDialog *>(printDialog)->reject(); });
                click(w, "cmdPrint");
            } else {
                view->print(); // what the print button does once the printer is chosen
            }
            static_cast<QDialog *>(w)->reject();
        });
        struct : PreviewQuestions
        {
            QList<QList<QuestionRecord>> sheets() const override { return {{{u"Q1"_s, {}, {}}}}; }
            bool swap(int, int) override { return false; }
        } questions;
        // The window with 「入れ替え」 has a print button of its own.
        const bool printed = r.cancelled ? QtDialogs().printPreview(*target.preview(), questions)
                                         : QtDialogs().printPreview(*target.preview());
        QCOMPARE(shownPages, 6);
        QCOMPARE(paper.pagesPrinted(), r.pagesPrinted);
        QCOMPARE(printed, r.printed);
        QCOMPARE(readBytes(pdf).startsWith("%PDF"), r.printed);
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
