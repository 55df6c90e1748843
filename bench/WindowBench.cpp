// SPDX-License-Identifier: GPL-3.0-or-later
// How soon the windows show something: the main window's first paint after the
// program starts, and the first page of 「プレビュー」 after the click. Offscreen,
// with the real dialogs; a message box is answered "No" (print everything), as
// the command line does.
//
//   sorario-window-bench QUESTIONS.qvn COUNT
#include "app/AppSetup.h"
#include "bank/QuestionFiles.h"
#include "platform/ProgramFolder.h"
#include "setup/LoadQuestionFiles.h"
#include "shared/Module1.h"
#include "ui/QtDialogs.h"
#include "ui/frmMain.h"
#include "ui/frmSettei.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QGraphicsView>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <memory>

using namespace sorario;

namespace {

class AnsweringDialogs : public QtDialogs
{
public:
    MessageAnswer messageBox(const QString &, MessageButtons, MessageIcon, const QString &) override
    {
        return MessageAnswer::No;
    }
};

// Notes the first paint of a widget that `matches`, then runs `then` once.
class FirstPaint : public QObject
{
public:
    FirstPaint(std::function<bool(QWidget *)> matches, std::function<void(QWidget *)> then)
        : m_matches(std::move(matches))
        , m_then(std::move(then))
    {
        qApp->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (!m_done && event->type() == QEvent::Paint && watched->isWidgetType()
            && m_matches(static_cast<QWidget *>(watched))) {
            m_done = true;
            m_then(static_cast<QWidget *>(watched));
        }
        return false;
    }

    bool done() const { return m_done; }

private:
    std::function<bool(QWidget *)> m_matches;
    std::function<void(QWidget *)> m_then;
    bool m_done = false;
};

void waitFor(const FirstPaint &paint)
{
    while (!paint.done())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s QUESTIONS.qvn COUNT\n", argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QTranslator qtTranslator;
    setUpApplication(qtTranslator);

    auto module = std::make_unique<Module1>();
    InitialiseFolders(*module);
    AnsweringDialogs dialogs;
    qint64 mainShown = 0;
    {
        frmMain window(*module, dialogs);
        FirstPaint painted([&](QWidget *w) { return w->window() == &window; },
            [&](QWidget *) { mainShown = sinceStart.elapsed(); });
        window.show();
        waitFor(painted);
    }
    std::printf("main window: first paint %lld ms after start\n", static_cast<long long>(mainShown));

    Module1 &m = *module;
    m.ChosenFileList(1) = QString::fromLocal8Bit(argv[1]);
    m.ChosenFileCount = 1;
    if (!LoadBank(m).ok()) {
        std::fprintf(stderr, "cannot load %s\n", argv[1]);
        return 1;
    }
    frmSettei settei(m, dialogs);
    settei.show();
    settei.findChild<QPushButton *>(QStringLiteral("Command5"))->click();
    auto *counts = settei.findChild<QListWidget *>(QStringLiteral("List2"));
    const QString wanted = QString::fromLocal8Bit(argv[2]);
    for (int row = 0; row < counts->count(); ++row) {
        if (counts->item(row)->text().trimmed().startsWith(wanted + u'題'))
            counts->item(row)->setSelected(true);
    }
    if (counts->selectedItems().isEmpty()) {
        std::fprintf(stderr, "no count of %s offered\n", argv[2]);
        return 1;
    }
    QElapsedTimer sinceClick;
    qint64 pageShown = -1;
    // The pages of a preview are painted in a graphics view's viewport.
    FirstPaint page(
        [&](QWidget *w) {
            return w->window() != &settei && qobject_cast<QGraphicsView *>(w->parentWidget());
        },
        [&](QWidget *w) {
            pageShown = sinceClick.elapsed();
            QTimer::singleShot(0, w->window(), &QWidget::close);
        });
    sinceClick.start();
    settei.findChild<QPushButton *>(QStringLiteral("cmdPreview"))->click();
    if (pageShown < 0) {
        std::fprintf(stderr, "the preview showed no page\n");
        return 1;
    }
    std::printf("preview of %s questions: first page %lld ms after the click\n", argv[2],
        static_cast<long long>(pageShown));
    return 0;
}
