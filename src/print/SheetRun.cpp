#include "print/SheetRun.h"

#include "platform/Dialogs.h"
#include "print/PrintRun.h"
#include "print/PrintSurface.h"
#include "shared/Module1.h"

#include <algorithm>
#include <exception>
#include <optional>

namespace sorario {
namespace {

void discard(PrintSurface &surface)
{
    try {
        surface.killDoc();
    } catch (const std::exception &) {
        // Nothing more can be done about a document that cannot even be dropped.
    }
}

SheetOutcome outcomeOf(const Module1 &m)
{
    return {m.QuestionCount, m.PrintMode, m.OverCapacity, m.FitCount, {}};
}

// The sheet numbers of a run carry the sheet only while it prints.
struct SheetIndexReset
{
    Module1 &m;
    ~SheetIndexReset() { m.SheetIndex = 0; }
};

int sheetCount(const Module1 &m)
{
    return std::clamp<int>(m.SheetCount, 1, MaxSheetCount);
}

} // namespace

bool PrintDocument(Module1 &m, PrintSurface &surface, Dialogs &dialogs, int sheets,
                   const DrawSheet &draw, QList<SheetOutcome> *outcomes)
{
    const SheetIndexReset reset{m};
    const std::int16_t asked = m.QuestionCount;
    std::optional<MessageAnswer> answer;
    std::optional<SheetOutcome> first;
    try {
        SetPrintMetrics(m, surface);
        for (int sheet = 1; sheet <= sheets; ++sheet) {
            if (sheet > 1) {
                // A Yes cut the count to what fitted the sheet before; this sheet draws the
                // count asked and fits its own.
                m.QuestionCount = asked;
                if (draw)
                    draw(sheet);
            }
            // A run of one sheet keeps the index it was given: a reprint of one sheet of a run.
            if (sheets > 1)
                m.SheetIndex = static_cast<std::int16_t>(sheet);
            if (!CheckCapacity(m, surface, dialogs, answer)) {
                discard(surface);
                return false;
            }
            if (sheet > 1)
                surface.newPage();
            const QDateTime printedAt = PrintSheetBody(m, surface);
            if (!first)
                first = outcomeOf(m);
            if (outcomes) {
                outcomes->append(outcomeOf(m));
                outcomes->last().PrintedAt = printedAt;
            }
        }
        surface.endDoc();
    } catch (const std::exception &) {
        // A printer error or a font the layout cannot use: drop what was drawn
        // rather than leave a partial document to come out later.
        discard(surface);
        return false;
    }
    if (sheets > 1 && first) {
        m.QuestionCount = first->QuestionCount;
        m.PrintMode = first->PrintMode;
        m.OverCapacity = first->OverCapacity;
        m.FitCount = first->FitCount;
    }
    return true;
}

bool PrintSheets(Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw,
                 QList<SheetOutcome> *outcomes)
{
    if (draw)
        draw(1);
    if (!dialogs.printDialog(surface, PrintDialogFlags))
        return false;
    return PrintDocument(m, surface, dialogs, sheetCount(m), draw, outcomes);
}


bool PreviewSheets(Module1 &m, PrintSurface &surface, Dialogs &dialogs, const DrawSheet &draw)
{
    if (draw)
        draw(1);
    if (!PrintDocument(m, surface, dialogs, sheetCount(m), draw))
        return false;
    return dialogs.printPreview(surface);
}

} // namespace sorario
