// The real dialogs, driven offscreen: titles, buttons and answers as the program needs them.
#include "app/QtDialogs.h"
#include "print/FontSubstitution.h"
#include "print/PrintRun.h"
#include "print/QtPrintTarget.h"
#include "shared/Module1.h"

#include "GuiTestSupport.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFontDatabase>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
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

QAbstractButton *buttonWithText(QMessageBox *box, const QString &text)
{
    for (QAbstractButton *b : box->buttons())
        if (b->text() == text)
            return b;
    return nullptr;
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
                                << QStringList{QStringLiteral("テキストファイル(*.txt) (*.txt)"),
                                               QStringLiteral("すべてのファイル(*.*) (*)")};
        QTest::newRow("several patterns") << QStringLiteral("問題|*.qvn;*.qvk")
                                          << QStringList{QStringLiteral("問題 (*.qvn *.qvk)")};
        QTest::newRow("description without pattern") << QStringLiteral("壊れた") << QStringList{};
    }
    void nameFilters()
    {
        QFETCH(QString, filter);
        QFETCH(QStringList, expected);
        QCOMPARE(qtNameFilters(filter), expected);
    }

    void messageTitles_data()
    {
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("shown");
        QTest::newRow("given") << QStringLiteral("問題ファイルの変換") << QStringLiteral("問題ファイルの変換");
        QTest::newRow("platform default") << QString() << ProgramTitle;
    }
    void messageTitles()
    {
        QFETCH(QString, title);
        QFETCH(QString, shown);
        QtDialogs dialogs;
        QString seenTitle, seenText;
        Qt::TextFormat format = Qt::AutoText;
        whenModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            seenTitle = box->windowTitle();
            seenText = box->text();
            format = box->textFormat();
            QCOMPARE(box->buttons().size(), 1);
            box->buttons().first()->click();
        });
        // A file name is never taken for markup.
        const QString text = QStringLiteral("<b>x</b>.qvk がこわれています。");
        QCOMPARE(dialogs.messageBox(text, MessageButtons::Ok, MessageIcon::None, title), MessageAnswer::Ok);
        QCOMPARE(seenTitle, shown);
        QCOMPARE(seenText, text);
        QCOMPARE(format, Qt::PlainText);
    }

    void yesNoCancel_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<MessageAnswer>("answer");
        QTest::newRow("yes") << QStringLiteral("はい(&Y)") << MessageAnswer::Yes;
        QTest::newRow("no") << QStringLiteral("いいえ(&N)") << MessageAnswer::No;
        QTest::newRow("escape") << QString() << MessageAnswer::Cancel;
    }
    void yesNoCancel()
    {
        QFETCH(QString, button);
        QFETCH(MessageAnswer, answer);
        QtDialogs dialogs;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        whenModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            icon = box->icon();
            QCOMPARE(box->buttons().size(), 3);
            if (button.isEmpty()) {
                QTest::keyClick(box, Qt::Key_Escape);
                return;
            }
            QAbstractButton *b = buttonWithText(box, button);
            QVERIFY(b);
            b->click();
        });
        QCOMPARE(dialogs.messageBox(QStringLiteral("どうしますか"), MessageButtons::YesNoCancel,
                                    MessageIcon::Question, ProgramTitle),
                 answer);
        QCOMPARE(icon, QMessageBox::Question);
    }

    void inputBox_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("own text, blanks kept") << true << QStringLiteral(" 三年 Ａ組 ")
                                               << QStringLiteral(" 三年 Ａ組 ");
        QTest::newRow("cancel") << false << QStringLiteral("捨てる") << QString();
    }
    void inputBox()
    {
        QFETCH(bool, accept);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        QtDialogs dialogs;
        QString title, prompt, initial;
        whenModal([&](QWidget *w) {
            auto *input = qobject_cast<QInputDialog *>(w);
            QVERIFY(input);
            title = input->windowTitle();
            prompt = input->labelText();
            initial = input->textValue();
            if (!typed.isEmpty())
                input->setTextValue(typed);
            accept ? input->accept() : input->reject();
        });
        QCOMPARE(dialogs.inputBox(QStringLiteral("シートロゴを入力して下さい。"), ProgramTitle,
                                  DefaultSheetLogo),
                 result);
        QCOMPARE(title, ProgramTitle);
        QCOMPARE(prompt, QStringLiteral("シートロゴを入力して下さい。"));
        QCOMPARE(initial, DefaultSheetLogo);
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
        const std::optional<FontChoice> choice = dialogs.fontDialog(DefaultFontName, 10, FontDialogFlags::fromInt(0x20002));
        QCOMPARE(initialFace, QStringLiteral("IPA P明朝"));
        QCOMPARE(choice.has_value(), !face.isEmpty());
        if (choice) {
            QCOMPARE(choice->face, face);
            QTEST(choice->size, "size");
        }
    }

    void saveDialogSettings()
    {
        QTemporaryDir dir;
        QtDialogs dialogs;
        FileDialogOptions options;
        options.title = QStringLiteral("テキストファイル保存");
        options.filter = QStringLiteral("テキストファイル(*.txt)|*.txt|すべてのファイル(*.*)|*.*");
        options.filterIndex = 1;
        options.defaultExt = QStringLiteral("txt");
        options.fileName = ProgramTitle;
        options.initialDir = dir.path();
        options.flags = FileDialogFlags::fromInt(2054);
        QString title, filter, suffix;
        bool confirmsOverwrite = false;
        whenModal([&](QWidget *w) {
            auto *fd = qobject_cast<QFileDialog *>(w);
            QVERIFY(fd);
            title = fd->windowTitle();
            filter = fd->selectedNameFilter();
            suffix = fd->defaultSuffix();
            confirmsOverwrite = !fd->testOption(QFileDialog::DontConfirmOverwrite);
            static_cast<QDialog *>(fd)->accept();
        });
        const QString previousDir = QDir::currentPath();
        const std::optional<QString> chosen = dialogs.saveDialog(options);
        const QString currentAfter = QDir::currentPath();
        QDir::setCurrent(previousDir);
        QCOMPARE(currentAfter, QDir(dir.path()).canonicalPath());
        QCOMPARE(title, QStringLiteral("テキストファイル保存"));
        QCOMPARE(filter, QStringLiteral("テキストファイル(*.txt)")); // shown as the program names it
        QCOMPARE(suffix, QStringLiteral("txt"));
        QVERIFY(confirmsOverwrite);
        QVERIFY(chosen.has_value());
        QCOMPARE(*chosen, dir.filePath(ProgramTitle + QStringLiteral(".txt")));
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

    void openDialogCancel()
    {
        QtDialogs dialogs;
        FileDialogOptions options;
        options.title = QStringLiteral("ファイル変換");
        options.filter = QStringLiteral("ソラリオ問題(*.qvk)|*.qvk");
        options.flags = FileDialogFlag::FileMustExist;
        QFileDialog::FileMode mode = QFileDialog::AnyFile;
        whenModal([&](QWidget *w) {
            auto *fd = qobject_cast<QFileDialog *>(w);
            QVERIFY(fd);
            mode = fd->fileMode();
            fd->reject();
        });
        QVERIFY(!dialogs.openDialog(options).has_value());
        QCOMPARE(mode, QFileDialog::ExistingFile);
    }
};

QTEST_MAIN(TestQtDialogs)
#include "tst_qtdialogs.moc"
