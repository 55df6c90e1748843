// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MarkingWindow.h"
#include "ui_MarkingWindow.h"

#include "history/HistoryStore.h"
#include "history/RunNumber.h"
#include "history/WrongLine.h"
#include "platform/Dialogs.h"
#include "shared/Module1.h"
#include "ui/MarkingChanges.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <algorithm>
#include <cmath>

namespace sorario {
namespace {

constexpr int PupilColumn = 0;
constexpr int SheetColumn = 1;
constexpr int FirstQuestionColumn = 2;

// A run of many sheets is named by its first and last: "05010900-1 … -40（40 枚）".
QString sheetsText(const QList<RecordedSheet> &sheets)
{
    if (sheets.size() <= 2) {
        QStringList numbers;
        for (const RecordedSheet &s : sheets)
            numbers.append(s.sheetNumber);
        return numbers.join(u'、');
    }
    const QString &first = sheets.first().sheetNumber;
    return QStringLiteral("%1 … %2（%3 枚）")
        .arg(first, sheets.last().sheetNumber.mid(RunNumberOf(first).size()))
        .arg(sheets.size());
}

QString noPupilMessage()
{
    return QStringLiteral("出席番号のない行は、表では変えられません。");
}

// Only a question's cell is chosen for a mark; a sheet's missing questions show none.
enum class Cell { Mark, Shown, Missing };

QTableWidgetItem *cell(const QString &text, Cell kind)
{
    auto *item = new QTableWidgetItem(text);
    item->setTextAlignment(Qt::AlignCenter);
    if (kind != Cell::Mark)
        item->setFlags(kind == Cell::Shown ? Qt::ItemIsEnabled : Qt::NoItemFlags);
    return item;
}

} // namespace

MarkingWindow::MarkingWindow(
    const HistoryStore &store, Dialogs &dialogs, RecordedRun run, int sheet, QWidget *parent)
    : QDialog(parent)
    , m_ui(std::make_unique<Ui::MarkingWindow>())
    , m_store(store)
    , m_dialogs(dialogs)
    , m_run(std::move(run))
{
    m_ui->setupUi(this);
    int columns = 0;
    for (const RecordedSheet &s : m_run.sheets)
        columns = std::max(columns, static_cast<int>(s.questions.size()));
    m_ui->lblRun->setText(
        QStringLiteral("%1　%2　%3").arg(m_run.className, RunTimeText(m_run.when), sheetsText(m_run.sheets)));
    // The sheet is typed as its k, after the run's number; a run of one sheet has no k.
    const int sheets = std::max<int>(static_cast<int>(m_run.sheets.size()), 1);
    m_ui->spnSheet->setMaximum(sheets);
    if (sheets > 1)
        m_ui->spnSheet->setPrefix(RunNumberOf(m_run.sheets.first().sheetNumber) + u'-');
    else
        m_ui->spnSheet->setSpecialValueText(m_run.sheets.value(0).sheetNumber);
    m_ui->spnSheet->setValue(sheet + 1);
    m_ui->spnSheet->setEnabled(sheets > 1);
    QStringList headers {QStringLiteral("出席番号"), QStringLiteral("用紙")};
    for (int q = 1; q <= columns; ++q)
        headers.append(QString::number(q));
    headers.append(QStringLiteral("得点"));
    m_ui->tblMarks->setColumnCount(static_cast<int>(headers.size()));
    m_ui->tblMarks->setHorizontalHeaderLabels(headers);
    m_ui->tblMarks->verticalHeader()->hide();
    m_ui->tblMarks->installEventFilter(this);
    m_ui->spnPupil->installEventFilter(this);
    m_ui->spnSheet->installEventFilter(this);
    m_ui->txtWrong->installEventFilter(this);

    connect(m_ui->txtWrong, &QLineEdit::returnPressed, this, &MarkingWindow::txtWrong_Enter);
    connect(m_ui->txtWrong, &QLineEdit::textChanged, this, &MarkingWindow::showMeaning);
    connect(m_ui->spnPupil, &QSpinBox::valueChanged, this, &MarkingWindow::showMeaning);
    connect(m_ui->spnSheet, &QSpinBox::valueChanged, this, &MarkingWindow::spnSheet_Change);
    m_ui->spnPoints->setRange(MinPointsTenths / 10.0, MaxPointsTenths / 10.0);
    connect(m_ui->spnPoints, &QDoubleSpinBox::valueChanged, this, &MarkingWindow::spnPoints_Change);
    connect(m_ui->cmdDefaultPoints, &QPushButton::clicked, this, &MarkingWindow::cmdDefaultPoints_Click);
    connect(m_ui->cmdUndo, &QPushButton::clicked, &m_undo, &QUndoStack::undo);
    connect(m_ui->cmdRedo, &QPushButton::clicked, &m_undo, &QUndoStack::redo);
    connect(&m_undo, &QUndoStack::canUndoChanged, m_ui->cmdUndo, &QWidget::setEnabled);
    connect(&m_undo, &QUndoStack::canRedoChanged, m_ui->cmdRedo, &QWidget::setEnabled);
    connect(m_ui->cmdClose, &QPushButton::clicked, this, &QDialog::accept);
    m_ui->cmdUndo->setEnabled(false);
    m_ui->cmdRedo->setEnabled(false);

    connect(m_ui->cmdReload, &QPushButton::clicked, this, &MarkingWindow::cmdReload_Click);

    cmdReload_Click();
    proposePupil(1);
    m_ui->txtWrong->setFocus();
}

MarkingWindow::~MarkingWindow() = default;

// What the history holds now, a colleague's rows included: the later entry of a row wins.
void MarkingWindow::cmdReload_Click()
{
    const HistoryOutcome<QList<MarkedSheet>> marks = m_store.marks(m_run);
    const HistoryOutcome<std::optional<int>> points = m_store.runPoints(m_run);
    if (!marks.ok())
        m_dialogs.message(HistoryFailureMessage(m_store.path(), marks), ProgramTitle);
    else if (!points.ok())
        m_dialogs.message(HistoryFailureMessage(m_store.path(), points), ProgramTitle);
    if (marks.ok())
        m_rows = marks.value;
    if (points.ok())
        m_setPoints = points.value;
    showRows();
    spnSheet_Change();
}

int MarkingWindow::rowOf(int pupil) const
{
    const auto row = std::find_if(
        m_rows.cbegin(), m_rows.cend(), [&](const MarkedSheet &r) { return r.pupil == pupil; });
    return row != m_rows.cend() ? static_cast<int>(row - m_rows.cbegin()) : -1;
}

// The first pupil from `from` on without a row is the one to mark next.
void MarkingWindow::proposePupil(int from)
{
    for (int pupil = from; pupil <= MaxPupil; ++pupil)
        if (rowOf(pupil) < 0) {
            m_ui->spnPupil->setValue(pupil);
            return;
        }
}

int MarkingWindow::questionCount(int sheet) const
{
    return static_cast<int>(m_run.sheets.value(sheet - 1).questions.size());
}

int MarkingWindow::points(int sheet) const
{
    return PointsTenths(m_setPoints, questionCount(sheet));
}

void MarkingWindow::spnSheet_Change()
{
    const QSignalBlocker block(m_ui->spnPoints);
    m_ui->spnPoints->setValue(points(m_ui->spnSheet->value()) / 10.0);
    m_ui->cmdDefaultPoints->setEnabled(m_setPoints.has_value());
    showMeaning();
}

// What the line will store, read by the same rule Enter uses.
void MarkingWindow::showMeaning()
{
    const WrongLineOutcome typed
        = ParseWrongLine(m_ui->txtWrong->text(), questionCount(m_ui->spnSheet->value()));
    const int pupil = m_ui->spnPupil->value();
    const QString replacing
        = rowOf(pupil) >= 0 ? QStringLiteral("　（%1 番の行を置き換えます）").arg(pupil) : QString();
    m_ui->lblMeaning->setText(
        typed.ok() ? WrongLineReading(typed.value) + replacing : WrongLineMessage(typed));
}

void MarkingWindow::spnPoints_Change()
{
    const int tenths = static_cast<int>(std::lround(m_ui->spnPoints->value() * 10));
    if (std::optional(tenths) != m_setPoints)
        changePoints(tenths);
}

void MarkingWindow::cmdDefaultPoints_Click()
{
    changePoints(std::nullopt);
}

void MarkingWindow::changePoints(std::optional<int> after)
{
    const std::optional<int> before = m_setPoints;
    if (savePoints(after))
        m_undo.push(new PointsChange(*this, before, after));
}

bool MarkingWindow::savePoints(std::optional<int> tenths)
{
    const HistoryOutcome<> saved = m_store.setRunPoints(m_run, tenths);
    if (saved.ok())
        m_setPoints = tenths;
    else
        m_dialogs.message(HistoryFailureMessage(m_store.path(), saved), ProgramTitle);
    spnSheet_Change(); // what the history holds, also after a failure
    showRows();
    return saved.ok();
}

bool MarkingWindow::save(int pupil, const std::optional<MarkedSheet> &row)
{
    const HistoryOutcome<> saved
        = row ? m_store.recordMarks(m_run, {*row}) : m_store.removeMarks(m_run, pupil);
    if (!saved.ok()) {
        m_dialogs.message(HistoryFailureMessage(m_store.path(), saved), ProgramTitle);
        return false;
    }
    const HistoryOutcome<QList<MarkedSheet>> marks = m_store.marks(m_run);
    if (marks.ok())
        m_rows = marks.value;
    showRows();
    return true;
}

bool MarkingWindow::change(int pupil, const std::optional<MarkedSheet> &after)
{
    const int earlier = rowOf(pupil);
    const std::optional<MarkedSheet> before = earlier >= 0 ? std::optional(m_rows[earlier]) : std::nullopt;
    if (!save(pupil, after))
        return false;
    m_undo.push(new RowChange(*this, pupil, before, after));
    return true;
}

void MarkingWindow::txtWrong_Enter()
{
    const int pupil = m_ui->spnPupil->value();
    const int sheet = m_ui->spnSheet->value();
    const WrongLineOutcome typed = ParseWrongLine(m_ui->txtWrong->text(), questionCount(sheet));
    if (!typed.ok()) {
        m_dialogs.message(WrongLineMessage(typed), ProgramTitle);
        return;
    }
    // A refused row stays typed, to be entered again.
    if (!change(pupil, MarkedSheet {pupil, sheet, typed.value}))
        return;
    m_ui->txtWrong->clear();
    // The row just stored stays in sight, and is where ↓ goes to change it.
    if (rowOf(pupil) >= 0)
        m_ui->tblMarks->setCurrentCell(rowOf(pupil), FirstQuestionColumn);
    proposePupil(pupil + 1);
    // Sheets are mostly handed out in pupil order: the next pupil has the next sheet.
    m_ui->spnSheet->setValue(sheet + 1);
}

void MarkingWindow::showRows()
{
    std::stable_sort(m_rows.begin(), m_rows.end(), [](const MarkedSheet &a, const MarkedSheet &b) {
        return (a.pupil == 0 ? MaxPupil + 1 : a.pupil) < (b.pupil == 0 ? MaxPupil + 1 : b.pupil);
    });
    QTableWidget &table = *m_ui->tblMarks;
    const int column = table.currentColumn();
    const int currentPupil = m_rows.value(table.currentRow()).pupil;
    table.setRowCount(static_cast<int>(m_rows.size()));
    const int scoreColumn = table.columnCount() - 1;
    for (int r = 0; r < m_rows.size(); ++r) {
        const MarkedSheet &row = m_rows[r];
        table.setItem(
            r, PupilColumn, cell(row.pupil > 0 ? QString::number(row.pupil) : QString(), Cell::Shown));
        table.setItem(r, SheetColumn, cell(m_run.sheets.value(row.sheet - 1).sheetNumber, Cell::Shown));
        for (int q = 0; q < scoreColumn - FirstQuestionColumn; ++q) {
            const bool asked = q < row.marks.size();
            const QString text
                = asked && row.marks[q] != Mark::Unmarked ? QString(MarkSymbol(row.marks[q])) : QString();
            table.setItem(r, FirstQuestionColumn + q, cell(text, asked ? Cell::Mark : Cell::Missing));
        }
        table.setItem(
            r, scoreColumn, cell(PointsText(ScoreTenths(row.marks, points(row.sheet))), Cell::Shown));
    }
    table.resizeColumnsToContents();
    if (rowOf(currentPupil) >= 0 && column >= 0)
        table.setCurrentCell(rowOf(currentPupil), column);
    showMeaning(); // the pupil's row may have come or gone
}

bool MarkingWindow::markCell(Mark mark)
{
    QTableWidget &table = *m_ui->tblMarks;
    const int r = table.currentRow();
    const int q = table.currentColumn() - FirstQuestionColumn;
    if (r < 0 || r >= m_rows.size() || q < 0 || q >= m_rows[r].marks.size())
        return false;
    if (m_rows[r].pupil == 0) {
        m_dialogs.message(noPupilMessage(), ProgramTitle);
        return true;
    }
    MarkedSheet after = m_rows[r];
    after.marks[q] = mark;
    change(after.pupil, after);
    if (q + 1 < after.marks.size())
        table.setCurrentCell(table.currentRow(), table.currentColumn() + 1);
    return true;
}

bool MarkingWindow::removeRow()
{
    const int r = m_ui->tblMarks->currentRow();
    if (r < 0 || r >= m_rows.size())
        return false;
    if (m_rows[r].pupil == 0)
        m_dialogs.message(noPupilMessage(), ProgramTitle);
    else
        change(m_rows[r].pupil, std::nullopt);
    return true;
}

bool MarkingWindow::undoKey(const QKeyEvent &key)
{
    if (key.matches(QKeySequence::Undo))
        m_undo.undo();
    else if (key.matches(QKeySequence::Redo))
        m_undo.redo();
    else
        return false;
    return true;
}

bool MarkingWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto &key = static_cast<const QKeyEvent &>(*event);
    if (watched == m_ui->spnPupil || watched == m_ui->spnSheet)
        return (key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter) && focusNextChild();
    // Tab keeps to the three fields of a row; the table is below them.
    if (watched == m_ui->txtWrong && key.key() == Qt::Key_Tab && key.modifiers() == Qt::NoModifier) {
        m_ui->spnPupil->setFocus(Qt::TabFocusReason);
        return true;
    }
    if (watched == m_ui->txtWrong && key.key() == Qt::Key_Down) {
        m_ui->tblMarks->setFocus(Qt::OtherFocusReason);
        if (m_ui->tblMarks->currentRow() < 0)
            m_ui->tblMarks->setCurrentCell(0, FirstQuestionColumn);
        return true;
    }
    // While a row is being typed, Ctrl+Z takes back the typing, not the saved rows.
    if (watched == m_ui->txtWrong)
        return m_ui->txtWrong->text().isEmpty() && undoKey(key);
    if (undoKey(key))
        return true;
    // On a question the key takes its mark away; on the pupil or the sheet, the whole row.
    if (key.key() == Qt::Key_Delete || key.key() == Qt::Key_Backspace)
        return m_ui->tblMarks->currentColumn() < FirstQuestionColumn ? removeRow() : markCell(Mark::Unmarked);
    const std::optional<Mark> mark = key.text().size() == 1 ? MarkOf(key.text().front()) : std::nullopt;
    return mark && markCell(*mark);
}

} // namespace sorario
