// SPDX-License-Identifier: GPL-3.0-or-later
// The real dialogs, driven offscreen: the font choice and the preview as the program needs them.
#include "app/QtDialogs.h"
#include "print/FontSubstitution.h"
#include "print/PrintRun.h"
#include "print/QtPrintTarget.h"
#include "shared/Module1.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QListWidget>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace sorario;

namespace {

// Runs `act` on the modal dialog once it is up.
void whenModal(std::function<void(QWidget *)> act)
{
    QTimer::singleShot(0, [act] {
        QWidget *w = QApplication::activeModalWidget();
        if (!w) {
            QTimer::singleShot(10, [act] { act(QApplication::activeModalWidget()); });
            return;
        }
        act(w);
    });
}

} // namespace

class TestQtDialogs : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void nameFilters_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("export") << QStringLiteral("テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*")
                                << QStringList {QStringLiteral("テキストファイル(*.txt) (*.txt)"),
                                       QStringLiteral("すべてのファイル(*.*) (*)")};
        QTest::newRow("several patterns")
            << QStringLiteral("問題|*.qvn;*.qvk") << QStringList {QStringLiteral("問題 (*.qvn *.qvk)")};
        QTest::newRow("description without pattern") << QStringLiteral("壊れた") << QStringList {};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    // The font choice lists the faces under their own Japanese names and takes sizes
    // with a decimal. A stored face that is not installed opens on the font that prints
    // in its place, and confirming that keeps the stored name.
    void fontChoice_data()
    {
        QTest::addColumn<QString>("pick");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("face");
        QTest::addColumn<double>("size");
        QTest::newRow("confirmed as shown")
            << QString() << QString() << QStringLiteral("ＭＳ Ｐ明朝") << 10.0;
        QTest::newRow("another font, half a point") << QStringLiteral("IPAゴシック") << QStringLiteral("10.5")
                                                    << QStringLiteral("IPAゴシック") << 10.5;
        QTest::newRow("typed in full width")
            << QString() << QStringLiteral("１１．５") << QStringLiteral("ＭＳ Ｐ明朝") << 11.5;
        QTest::newRow("no number: no choice") << QString() << QStringLiteral("") << QString() << 0.0;
    }
    void fontChoice()
    {
        QFETCH(QString, pick);
        QFETCH(QString, typed);
        QFETCH(QString, face);
        installFontSubstitutions();
        if (!QFontDatabase::families().contains(QStringLiteral("IPAPMincho"))
            || !QFontDatabase::families().contains(QStringLiteral("IPAGothic")))
            QSKIP("the IPA fonts are not installed");
        QString initialFace;
        whenModal([&](QWidget *w) {
            auto *faces = w->findChild<QListWidget *>(QStringLiteral("lstFaces"));
            auto *size = w->findChild<QComboBox *>(QStringLiteral("cboSize"));
            QVERIFY(faces && size);
            initialFace = faces->currentItem()->text();
            if (!pick.isEmpty())
                faces->setCurrentItem(faces->findItems(pick, Qt::MatchExactly).value(0));
            if (!typed.isNull())
                size->setEditText(typed);
            QTest::keyClick(w, Qt::Key_Return);
            if (w->isVisible())
                static_cast<QDialog *>(w)->reject();
        });
        QtDialogs dialogs;
        const std::optional<FontChoice> choice
            = dialogs.fontDialog(DefaultFontName, 10, FontDialogFlags::fromInt(0x20002));
        QCOMPARE(initialFace, QStringLiteral("IPA P明朝"));
        QCOMPARE(choice.has_value(), !face.isEmpty());
        if (choice) {
            QCOMPARE(choice->face, face);
            QTEST(choice->size, "size");
        }
    }

    // The preview shows every page of the kept document; its print button prints
    // that document, and closing it prints nothing.
    void printPreview()
    {
        const int sheets = 3;
        const bool print = true;
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("preview.pdf"));
        Module1 m;
        sorario::test::fillBank(m, 5, 1);
        m.QuestionCount = 5;
        const DrawSheet draw = [&m](int) {
            for (int k = 1; k <= 5; ++k)
                m.DrawnQuestions(k) = sorario::test::question(k);
        };
        draw(1);
        QtPrintTarget target(PrintPurpose::Preview);
        QtPrintSurface &paper = target.paper();
        sorario::test::ScriptedDialogs script;
        QVERIFY(PrintDocument(m, paper, script, sheets, draw).printed());
        QVERIFY(target.preview());
        QCOMPARE(paper.pagesPrinted(), 0);
        paper.setPdfOutput(pdf); // where its print button prints here

        int shownPages = -1;
        QString title;
        whenModal([&](QWidget *w) {
            auto *dialog = qobject_cast<QPrintPreviewDialog *>(w);
            QVERIFY(dialog);
            title = dialog->windowTitle();
            auto *view = dialog->findChild<QPrintPreviewWidget *>();
            QVERIFY(view);
            shownPages = view->pageCount();
            if (print)
                view->print(); // what the print button does once the printer is chosen
            dialog->reject();
        });
        QtDialogs dialogs;
        QCOMPARE(dialogs.printPreview(*target.preview()), print);
        QCOMPARE(title, QStringLiteral("印刷プレビュー"));
        QCOMPARE(shownPages, 2 * sheets); // questions and answers of each sheet
        QCOMPARE(QFile::exists(pdf), print);
        QCOMPARE(paper.pagesPrinted(), print ? 2 * sheets : 0);
        if (print)
            QVERIFY(sorario::test::readBytes(pdf).startsWith("%PDF"));
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
