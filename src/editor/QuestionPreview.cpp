// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/QuestionPreview.h"

#include "print/FontSubstitution.h"
#include "print/PrintRun.h"
#include "print/QuestionLayouts.h"
#include "print/RecordingSurface.h"
#include "print/SheetHeader.h"
#include "print/SheetLayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace sorario {
namespace {

// The part of the sheet's width where question lines go, with a little room either side.
constexpr double LeftMm = 5;
constexpr double WidthMm = 175;
constexpr double MarginMm = 2;
constexpr double MmPerPoint = 25.4 / 72;

} // namespace

QuestionPreview::QuestionPreview() = default;

QuestionPreview::~QuestionPreview() = default;

QImage QuestionPreview::render(const QuestionRecord &question, int answerLayout, const QString &fontName,
    int fontSize, double pixelsPerMm, ChoiceLabels labels)
{
    SheetLayout layout;
    layout.options.FontName = fontName;
    layout.options.FontSize = static_cast<std::int16_t>(fontSize);
    layout.options.AnswerLayout = static_cast<std::int16_t>(answerLayout);
    layout.options.choiceLabels = labels;
    // Word groups and choices as a sheet printed now would set them.
    layout.questions = {OnSheet(question, KindsKey(m_clock.now(), {}, 0, labels))};
    RecordingSurface surface;
    try {
        layout.metrics = setPrintMetrics(layout.options.FontName, questionFontSize(layout), surface);
        printQuestionsFitted(layout, surface);
    } catch (const PrintFailure &) {
        return {};
    }
    const QList<PrintOperation> texts = surface.log().texts();
    if (texts.isEmpty())
        return {};
    double top = texts.first().y;
    double bottom = top;
    for (const PrintOperation &op : texts) {
        top = std::min(top, op.y);
        bottom = std::max(bottom, op.y + op.size * MmPerPoint);
    }
    const QSize size(qRound(WidthMm * pixelsPerMm), qRound((bottom - top + 2 * MarginMm) * pixelsPerMm));
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setPen(Qt::black);
    for (const PrintOperation &op : texts) {
        QFont font(op.emphasis ? emphasisFace(op.font) : op.font);
        font.setPixelSize(std::max(1, qRound(op.size * MmPerPoint * pixelsPerMm)));
        font.setBold(op.emphasis);
        painter.setFont(font);
        const double baseline = (op.y - top + MarginMm) * pixelsPerMm + QFontMetricsF(font).ascent();
        painter.drawText(QPointF((op.x - LeftMm) * pixelsPerMm, baseline), op.text);
    }
    return image;
}

} // namespace sorario
