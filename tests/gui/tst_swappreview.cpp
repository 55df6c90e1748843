// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiTestSupport.h"

#include "ui/SwapPreview.h"

#include <QPrinter>
#include <QTreeWidget>

using namespace Qt::StringLiterals;

namespace sorario::test {
namespace {

class Pages : public PreviewDocument
{
public:
    QPrinter &previewPrinter() override { return m_printer; }
    bool paintRequested() override { return false; }

private:
    QPrinter m_printer;
};

// Two sheets of three and two questions; remembers what was asked to be swapped.
class Questions : public PreviewQuestions
{
public:
    QList<QList<QuestionRecord>> sheets() const override
    {
        const auto q = [](const QString &text) { return QuestionRecord {text, {}, u"x"_s}; };
        return {{q(u"a"_s), q(u"b"_s), q(u"c"_s)}, {q(u"d"_s), q(u"e"_s)}};
    }
    bool swap(int sheet, int position) override
    {
        swapped = {sheet, position};
        return true;
    }
    std::pair<int, int> swapped {-1, -1};
};

// The chosen line of the list is the question of that sheet at that place; a sheet's
// own heading swaps nothing.
const struct
{
    const char *name;
    int sheet, child; // child -1: the sheet's heading
    std::pair<int, int> swapped;
} swapRows[] = {
    {.name = "first question", .sheet = 0, .child = 0, .swapped = {0, 0}},
    {.name = "last of sheet 1", .sheet = 0, .child = 2, .swapped = {0, 2}},
    {.name = "second of sheet 2", .sheet = 1, .child = 1, .swapped = {1, 1}},
    {.name = "sheet heading", .sheet = 1, .child = -1, .swapped = {-1, -1}},
};

} // namespace

class TestSwapPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void swapsTheChosenQuestion_data() { addRows(swapRows); }
    void swapsTheChosenQuestion()
    {
        QFETCH(int, row);
        const auto &r = swapRows[row];
        Pages pages;
        Questions questions;
        SwapPreview preview(pages, questions);
        auto *list = control<QTreeWidget>(&preview, "lstDrawn");
        QTreeWidgetItem *sheet = list->topLevelItem(r.sheet);
        list->setCurrentItem(r.child < 0 ? sheet : sheet->child(r.child));
        click(&preview, "cmdSwap");
        QCOMPARE(questions.swapped, r.swapped);
    }
};

} // namespace sorario::test

QTEST_MAIN(sorario::test::TestSwapPreview)
#include "tst_swappreview.moc"
