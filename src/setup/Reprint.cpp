// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/Reprint.h"

#include "bank/QuestionFiles.h"
#include "history/HistoryRecord.h"
#include "history/QuestionKey.h"
#include "history/RunNumber.h"
#include "setup/LoadQuestionFiles.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QDir>
#include <QSet>

#include <algorithm>

namespace sorario {

namespace {

// The files' headings as recorded; false when the record is older than them.
bool useRecordedHeadings(Module1 &m, const RecordedRun &run)
{
    for (const RecordedFile &file : run.files) {
        if (!file.headings)
            return false;
    }
    for (int f = 1; f <= run.files.size(); ++f) {
        m.FileHeaders(f, 1) = run.files[f - 1].headings->title;
        m.FileHeaders(f, 3) = run.files[f - 1].headings->sheetCode;
    }
    return true;
}

void useRecordedOptions(Module1 &m, const RecordedRun &run, const QList<int> &positions)
{
    const RunOptions &o = run.options;
    m.options = o.sheet;
    // The sheets print at the size they were fitted to, whatever fitting them anew
    // would make of them; sheets fitted to different sizes are fitted anew, each
    // as it was.
    QSet<int> fitted;
    for (int k : positions)
        fitted.insert(run.sheets[k].fittedSize);
    if (fitted.size() == 1 && *fitted.cbegin() > 0) {
        m.options.FontSize = static_cast<std::int16_t>(*fitted.cbegin());
        m.options.overflow = Overflow::Ask;
    }
    m.AllPartsChosen = o.allParts ? 1 : 0;
    m.ChosenPartCount = 0;
    for (int part : o.parts.first(std::min<qsizetype>(o.parts.size(), MaxChosenParts))) {
        ++m.ChosenPartCount;
        m.ChosenPartNumbers(m.ChosenPartCount) = FullWidthDigits(QString::number(part));
    }
    m.options.sheetCount = static_cast<std::int16_t>(positions.size());
    m.SheetLetters = RunLettersOf(run.sheets.value(positions[0]).sheetNumber);
    // One sheet of a run keeps its place in the run on its sheet number.
    m.SheetIndex
        = static_cast<std::int16_t>(positions.size() == 1 && run.sheets.size() > 1 ? positions[0] + 1 : 0);
}

} // namespace

ReprintOutcome prepareReprint(Module1 &m, const RecordedRun &run, const QList<int> &positions)
{
    const bool valid = std::all_of(
        positions.cbegin(), positions.cend(), [&](int k) { return k >= 0 && k < run.sheets.size(); });
    if (run.files.isEmpty() || run.files.size() > MaxChosenFiles || positions.isEmpty() || !valid)
        return ReprintOutcome::failed({ReprintProblem::NotPrintable});
    QStringList notes;
    bool missing = false;
    m.ChosenFileCount = 0;
    for (const RecordedFile &file : run.files) {
        const std::optional<QString> digest = FileDigest(file.path);
        const QString name = QDir::toNativeSeparators(file.path);
        if (!digest)
            notes.append(QStringLiteral("記録された問題ファイルがありません。") + name);
        else if (*digest != file.digest)
            notes.append(QStringLiteral("問題ファイルが記録の後で変更されています。") + name);
        missing = missing || !digest;
        ++m.ChosenFileCount;
        m.ChosenFileList(m.ChosenFileCount) = file.path;
    }
    const auto refuse = [&notes](ReprintFault fault) {
        ReprintOutcome refused = ReprintOutcome::failed(std::move(fault));
        refused.value = notes;
        return refused;
    };
    if (!useRecordedHeadings(m, run)) {
        if (missing)
            return refuse({ReprintProblem::FilesMissing});
        m.LoadFailed = 0;
        if (LoadOutcome loaded = LoadBank(m); !loaded.ok()) {
            m.LoadFailed = 1;
            return refuse({ReprintProblem::NotLoaded, std::move(loaded)});
        }
    }
    useRecordedOptions(m, run, positions);
    return {notes};
}

DrawSheet ReprintDraw(Module1 &m, const RecordedRun &run, const QList<int> &positions)
{
    return [&m, run, positions](int sheet) {
        const RecordedSheet &recorded = run.sheets[positions[sheet - 1]];
        m.clock.setFixed(recorded.printedAt);
        const int count = std::min<int>(recorded.questions.size(), MaxDrawnQuestions);
        for (int i = 1; i <= count; ++i)
            m.DrawnQuestions(i) = recorded.questions[i - 1];
        m.QuestionCount = static_cast<std::int16_t>(count);
        m.SheetPupil = static_cast<std::int16_t>(recorded.pupil);
    };
}

QString ReprintFailureMessage(const ReprintOutcome &refused)
{
    switch (refused.fault->problem) {
    case ReprintProblem::NotPrintable:
        break;
    case ReprintProblem::FilesMissing:
        return refused.value.join(u'\n');
    case ReprintProblem::NotLoaded:
        // One message that says both why and what it stopped.
        return LoadStoppedMessage(refused.fault->loaded) + u'\n'
            + QStringLiteral("記録された問題ファイルを読み込めませんでした。");
    }
    return QStringLiteral("この記録からは印刷できません。");
}

} // namespace sorario
