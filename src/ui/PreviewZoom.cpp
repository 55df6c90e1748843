// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/PreviewZoom.h"

#include <QAbstractScrollArea>
#include <QBoxLayout>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QShortcut>
#include <QWheelEvent>

namespace sorario {
namespace {

constexpr double ZoomStep = 1.25;

// Ctrl+wheel zooms; the wheel alone still scrolls the pages.
class WheelZoom : public QObject
{
public:
    explicit WheelZoom(QPrintPreviewWidget &pages)
        : QObject(&pages)
        , m_pages(pages)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Wheel)
            return QObject::eventFilter(watched, event);
        const auto *wheel = static_cast<QWheelEvent *>(event);
        if (!(wheel->modifiers() & Qt::ControlModifier) || wheel->angleDelta().y() == 0)
            return QObject::eventFilter(watched, event);
        wheel->angleDelta().y() > 0 ? m_pages.zoomIn(ZoomStep) : m_pages.zoomOut(ZoomStep);
        return true;
    }

private:
    QPrintPreviewWidget &m_pages;
};

} // namespace

void addPreviewZoom(QPrintPreviewWidget &pages)
{
    auto *wheel = new WheelZoom(pages);
    for (QAbstractScrollArea *area : pages.findChildren<QAbstractScrollArea *>())
        area->viewport()->installEventFilter(wheel);
    QWidget *window = pages.window();
    const auto zoom = [&pages, window](const QKeySequence &keys, bool in) {
        auto *shortcut = new QShortcut(keys, window);
        QObject::connect(shortcut, &QShortcut::activated, &pages,
            [&pages, in] { in ? pages.zoomIn(ZoomStep) : pages.zoomOut(ZoomStep); });
    };
    zoom(QKeySequence::ZoomIn, true);
    zoom(QKeySequence(Qt::CTRL | Qt::Key_Equal), true); // "+" wants Shift on many keyboards
    zoom(QKeySequence::ZoomOut, false);
}

void addFitButtons(QPrintPreviewWidget &pages, QBoxLayout &into)
{
    const auto button = [&](const QString &text, void (QPrintPreviewWidget::*fit)()) {
        auto *b = new QPushButton(text);
        b->setMinimumSize(110, 34);
        QObject::connect(b, &QPushButton::clicked, &pages, fit);
        into.addWidget(b);
    };
    button(QStringLiteral("幅に合わせる"), &QPrintPreviewWidget::fitToWidth);
    button(QStringLiteral("ページに合わせる"), &QPrintPreviewWidget::fitInView);
}

} // namespace sorario
