// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/Reprint.h"

#include "history/HistoryRecord.h"
#include "history/QuestionKey.h"
#include "history/RunNumber.h"
#include "print/SheetHeader.h"
#include "shared/SheetTitle.h"
#include "shared/TextHelpers.h"

#include <QDir>
#include <QSet>

#include <algorithm>
#include <optional>

namespace sorario {

namespace {

// The files' headings as recorded; none when the record is older than them.
std::optional<TestNaming> recordedNaming(const RecordedRun &run)
{
    TestNaming naming;
    for (const RecordedFile &file : run.files) {
        if (!file.headings)
            return std::nullopt;
        naming.titles.append(file.headings->title);
    }
    naming.sheetCode = run.files.first().headings->sheetCode;
    return naming;
}

// The headings the files give as they load now.
TestNaming loadedNaming(const LoadedBank &bank)
{
    TestNaming naming;
    for (const std::array<QString, HeaderLineCount> &headers : bank.headers)
        naming.titles.append(headers[0]);
    naming.sheetCode = bank.headers.value(0)[2];
    return naming;
}

SheetOptions recordedOptions(const RecordedRun &run, const QList<int> &positions)
{
    SheetOptions options = run.options.sheet;
    // The sheets print at the size they were fitted to, whatever fitting them anew
    // would make of them; sheets fitted to different sizes are fitted anew, each
    // as it was.
    QSet<int> fitted;
    for (int k : positions)
        fitted.insert(run.sheets[k].fittedSize);
    if (fitted.size() == 1 && *fitted.cbegin() > 0) {
        options.FontSize = static_cast<std::int16_t>(*fitted.cbegin());
        options.overflow = Overflow::Ask;
    }
    options.sheetCount = static_cast<std::int16_t>(positions.size());
    return options;
}

QStringList recordedParts(const RunOptions &options)
{
    QStringList parts;
    for (int part : options.parts.first(std::min<qsizetype>(options.parts.size(), MaxChosenParts)))
        parts.append(FullWidthDigits(QString::number(part)));
    return parts;
}

SheetJob jobOf(const RecordedRun &run, const QList<int> &positions, TestNaming naming)
{
    SheetJob job;
    job.options = recordedOptions(run, positions);
    naming.allParts = run.options.allParts;
    naming.partNumbers = recordedParts(run.options);
    job.heading = sheetHeadingOf(naming, RunLettersOf(run.sheets.value(positions[0]).sheetNumber),
        job.options.SheetLogo, HeaderRangeLimit);
    // One sheet of a run keeps its place in the run on its sheet number.
    job.sheetIndex
        = static_cast<std::int16_t>(positions.size() == 1 && run.sheets.size() > 1 ? positions[0] + 1 : 0);
    job.sheets = job.options.sheets();
    QList<RecordedSheet> chosen;
    for (int k : positions)
        chosen.append(run.sheets[k]);
    job.sheetOf = [chosen](int sheet) {
        const RecordedSheet &recorded = chosen[sheet - 1];
        DrawnSheet drawn;
        drawn.questions
            = recorded.questions.first(std::min<qsizetype>(recorded.questions.size(), MaxDrawnQuestions));
        drawn.count = static_cast<std::int16_t>(drawn.questions.size());
        drawn.clock.setFixed(recorded.printedAt);
        drawn.pupil = static_cast<std::int16_t>(recorded.pupil);
        return drawn;
    };
    // A recorded sheet either fitted or was printed whole: whole, without asking.
    job.overflow = OverflowPolicy::PrintAll;
    return job;
}

} // namespace

ReprintOutcome reprintOf(const RecordedRun &run, const QList<int> &positions)
{
    const bool valid = std::all_of(
        positions.cbegin(), positions.cend(), [&](int k) { return k >= 0 && k < run.sheets.size(); });
    if (run.files.isEmpty() || run.files.size() > MaxChosenFiles || positions.isEmpty() || !valid)
        return ReprintOutcome::failed({ReprintProblem::NotPrintable});
    Reprint reprint;
    bool missing = false;
    for (const RecordedFile &file : run.files) {
        const std::optional<QString> digest = FileDigest(file.path);
        const QString name = QDir::toNativeSeparators(file.path);
        if (!digest)
            reprint.notes.append(QStringLiteral("記録された問題ファイルがありません。") + name);
        else if (*digest != file.digest)
            reprint.notes.append(QStringLiteral("問題ファイルが記録の後で変更されています。") + name);
        missing = missing || !digest;
        reprint.files.questionFiles.append(file.path);
    }
    const auto refuse = [&reprint](ReprintFault fault) {
        ReprintOutcome refused = ReprintOutcome::failed(std::move(fault));
        refused.value.notes = reprint.notes;
        return refused;
    };
    std::optional<TestNaming> naming = recordedNaming(run);
    if (!naming) {
        if (missing)
            return refuse({ReprintProblem::FilesMissing});
        LoadedBank bank;
        if (LoadOutcome loaded = loadBank(reprint.files.questionFiles, ReadQuestionFile, bank); !loaded.ok())
            return refuse({ReprintProblem::NotLoaded, std::move(loaded)});
        naming = loadedNaming(bank);
    }
    reprint.job = jobOf(run, positions, *naming);
    reprint.files = sheetFilesFor(reprint.job.heading.title, reprint.files.questionFiles);
    return reprint;
}

QString ReprintFailureMessage(const ReprintOutcome &refused)
{
    switch (refused.fault->problem) {
    case ReprintProblem::NotPrintable:
        break;
    case ReprintProblem::FilesMissing:
        return refused.value.notes.join(u'\n');
    case ReprintProblem::NotLoaded:
        // One message that says both why and what it stopped.
        return LoadStoppedMessage(refused.fault->loaded) + u'\n'
            + QStringLiteral("記録された問題ファイルを読み込めませんでした。");
    }
    return QStringLiteral("この記録からは印刷できません。");
}

} // namespace sorario
