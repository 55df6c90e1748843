// SPDX-License-Identifier: GPL-3.0-or-later
// The editor's save: a question file opened, edited through the table model as the
// window edits it, saved plain or encoded, and opened again.
//
// Input: the file's bytes, the separator, then the edits (an operation byte and its
// values each; texts are UTF-8 up to a NUL).
#include "FuzzSupport.h"

#include "bank/QuestionFileRead.h"
#include "editor/EditorCheck.h"
#include "editor/EditorSave.h"
#include "editor/QuestionTableModel.h"
#include "platform/Cp932.h"

#include <QUndoStack>

#include <fuzzer/FuzzedDataProvider.h>

#include <memory>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

struct Editor
{
    QUndoStack undo;
    QuestionTableModel model {undo};
};

Editor &editor()
{
    static auto e = std::make_unique<Editor>();
    return *e;
}

QString textFrom(FuzzedDataProvider &in)
{
    std::string bytes;
    while (in.remaining_bytes() > 0) {
        const char c = in.ConsumeIntegral<char>();
        if (c == '\0')
            break;
        bytes += c;
    }
    return QString::fromStdString(bytes);
}

void edit(Editor &e, FuzzedDataProvider &in)
{
    QuestionTableModel &model = e.model;
    const int rows = model.questionCount();
    switch (in.ConsumeIntegralInRange(0, 7)) {
    case 0: {
        const int row = in.ConsumeIntegralInRange(0, std::max(rows - 1, 0));
        const int column = in.ConsumeIntegralInRange(0, int(QuestionTableModel::ColumnCount) - 1);
        model.setData(model.index(row, column), textFrom(in), Qt::EditRole);
        break;
    }
    case 1: {
        const int line = in.ConsumeIntegralInRange(-1, 6);
        model.editHeaderLine(line, textFrom(in));
        break;
    }
    case 2: {
        const int row = in.ConsumeIntegralInRange(-1, rows + 1);
        QList<QuestionRecord> records(in.ConsumeIntegralInRange(0, 3));
        for (QuestionRecord &r : records)
            r = {textFrom(in), textFrom(in), textFrom(in)};
        model.insertRecords(row, records);
        break;
    }
    case 3: {
        const int row = in.ConsumeIntegralInRange(-1, rows);
        model.removeRecords(row, in.ConsumeIntegralInRange(-1, rows + 1));
        break;
    }
    case 4: {
        const int row = in.ConsumeIntegralInRange(-1, rows);
        const int count = in.ConsumeIntegralInRange(-1, rows + 1);
        model.moveRecords(row, count, in.ConsumeIntegralInRange(-rows - 1, rows + 1));
        break;
    }
    case 5: {
        const QString find = textFrom(in);
        static_cast<void>(model.replaceAll(find, textFrom(in))); // a refusal is one more state to go on from
        break;
    }
    case 6:
        e.undo.undo();
        break;
    default:
        e.undo.redo();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> pieces = splitInput(data, size, 2);
    const QuestionFileRead opened = ReadQuestionBytes(pieces[0]);
    // The editor opens only what the loader takes.
    if (opened.fault != LoadFault::None)
        return 0;

    Editor &e = editor();
    e.model.setLines(opened.countedLines());
    const QByteArray script = pieces.value(1);
    FuzzedDataProvider in(reinterpret_cast<const std::uint8_t *>(script.data()), std::size_t(script.size()));
    const auto form = in.ConsumeBool() ? QuestionFileForm::Encoded : QuestionFileForm::Plain;
    for (int step = 0; step < 64 && in.remaining_bytes() > 0; ++step)
        edit(e, in);

    const QStringList lines = e.model.lines();
    const Outcome<EditorSaveFault, QByteArray> saved = editorSaveBytes(lines, form);
    if (!saved.ok()) {
        // Refused: nothing is written, and the teacher is told why.
        FUZZ_CHECK(saved.value.isEmpty());
        FUZZ_CHECK(!editorSaveMessage(*saved.fault, saved.detail).isEmpty());
        if (saved.fault == EditorSaveFault::Unwritable)
            FUZZ_CHECK(holdsUnwritable(lines));
        return 0;
    }
    // Saved: opened again, the file holds the lines the table held, each as the
    // code page writes it.
    const QuestionFileRead reopened = ReadQuestionBytes(saved.value);
    FUZZ_CHECK(reopened.fault == LoadFault::None);
    FUZZ_CHECK(reopened.encoded == (form == QuestionFileForm::Encoded));
    QStringList written;
    for (const QString &line : lines)
        written.append(decodeCp932(encodeCp932(line).bytes).text);
    FUZZ_CHECK(reopened.countedLines() == written);
    return 0;
}
