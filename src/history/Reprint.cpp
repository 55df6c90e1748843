// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/Reprint.h"

#include "bank/QuestionFiles.h"
#include "history/HistoryRecord.h"
#include "history/QuestionKey.h"
#include "history/RunNumber.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QDir>

#include <algorithm>

namespace sorario {

QString PrepareReprint(Module1 &m, const RecordedRun &run, const QList<int> &positions, Dialogs &dialogs)
{
    if (run.files.isEmpty() || run.files.size() > MaxChosenFiles || positions.isEmpty())
        return QStringLiteral("この記録からは印刷できません。");
    m.ChosenFileCount = 0;
    for (const RecordedFile &file : run.files) {
        const std::optional<QString> digest = FileDigest(file.path);
        if (!digest)
            return QStringLiteral("記録された問題ファイルがありません。\n")
                + QDir::toNativeSeparators(file.path);
        if (*digest != file.digest)
            return QStringLiteral("問題ファイルが記録の後で変更されています。\n")
                + QDir::toNativeSeparators(file.path);
        ++m.ChosenFileCount;
        m.ChosenFileList(m.ChosenFileCount) = file.path;
    }
    m.LoadFailed = 0;
    LoadQuestionFiles(m, dialogs);
    if (m.LoadFailed == 1)
        return QStringLiteral("記録された問題ファイルを読み込めませんでした。");

    const RunOptions &o = run.options;
    m.AnswerLayout = static_cast<std::int16_t>(o.answerLayout);
    m.AttachAnswers = static_cast<std::int16_t>(o.attachAnswers);
    m.FontName = o.fontName;
    m.FontSize = static_cast<std::int16_t>(o.fontSize);
    m.SheetLogo = o.sheetLogo;
    m.AllPartsChosen = o.allParts ? 1 : 0;
    m.ChosenPartCount = 0;
    for (int part : o.parts.first(std::min<qsizetype>(o.parts.size(), MaxChosenParts))) {
        ++m.ChosenPartCount;
        m.ChosenPartNumbers(m.ChosenPartCount) = FullWidthDigits(QString::number(part));
    }
    m.SheetCount = static_cast<std::int16_t>(positions.size());
    m.SheetLetters = RunLettersOf(run.sheets.value(positions[0]).sheetNumber);
    // One sheet of a run keeps its place in the run on its sheet number.
    m.SheetIndex
        = static_cast<std::int16_t>(positions.size() == 1 && run.sheets.size() > 1 ? positions[0] + 1 : 0);
    return {};
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
    };
}

} // namespace sorario
