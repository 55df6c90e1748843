// SPDX-License-Identifier: GPL-3.0-or-later
#include "setup/ClassRun.h"

#include "history/HistoryStore.h"
#include "history/QuestionKey.h"
#include "history/RunNumber.h"
#include "print/SheetHeader.h"
#include "shared/Module1.h"

#include <algorithm>
#include <memory>

namespace sorario {
namespace {

QList<int> chosenParts(const Module1 &m)
{
    QList<int> parts;
    for (int i = 1; i <= std::clamp<int>(m.ChosenPartCount, 0, MaxChosenParts); ++i) {
        int number = 0;
        for (const QChar c : m.ChosenPartNumbers(i))
            number = number * 10 + std::max(c.digitValue(), 0);
        parts.append(number);
    }
    return parts;
}

// The review's questions first, then what the draw drew, up to the drawn table.
void putFirst(Module1 &m, const QList<int> &review, const decltype(Module1::RangePool) &range)
{
    const int drawn = std::clamp<int>(m.QuestionCount, 0, MaxDrawnQuestions);
    const int first = static_cast<int>(review.size());
    const int total = std::min(drawn + first, MaxDrawnQuestions);
    for (int i = total; i > first; --i)
        m.DrawnQuestions(i) = m.DrawnQuestions(i - first);
    for (int i = 1; i <= first; ++i)
        m.DrawnQuestions(i) = range(review[i - 1]);
    m.QuestionCount = static_cast<std::int16_t>(total);
}

} // namespace

QList<SheetOutcome> ExportedSheets(const Module1 &m)
{
    SheetOutcome whole;
    whole.QuestionCount = m.QuestionCount;
    whole.PrintedAt = m.clock.now();
    return QList<SheetOutcome>(m.options.sheets(), whole);
}

ClassRun::ClassRun(
    Module1 &module, const HistoryStore &store, QString className, int avoidRecent, ReviewDraw review)
    : m_module(module)
    , m_store(store)
    , m_className(std::move(className))
    , m_avoidRecent(avoidRecent)
    , m_review(review)
{
}

ClassRun::~ClassRun()
{
    if (!m_reserved.isEmpty())
        m_store.releaseNumber(m_reserved);
    if (m_clockBefore) {
        m_module.clock = *m_clockBefore;
        m_module.SheetLetters.clear();
    }
    if (m_sheetCountBefore)
        m_module.options.sheetCount = *m_sheetCountBefore;
    m_module.SheetPupil = 0;
}

int ClassRun::repeats() const
{
    int most = 0;
    for (const SheetPlan &plan : m_plans)
        most = std::max(most, plan.pool.repeats);
    return most;
}

ClassRun::SheetPlan ClassRun::planFor(const QStringList &keys, QList<int> review, int pupil) const
{
    // The rest of the sheet is drawn as ever, from the range less the review.
    SheetPlan plan {pupil, std::move(review), {}};
    QList<int> rest;
    QStringList restKeys;
    for (int slot = 1; slot <= keys.size(); ++slot)
        if (!plan.reviewSlots.contains(slot)) {
            rest.append(slot);
            restKeys.append(keys[slot - 1]);
        }
    plan.pool
        = avoidRecent(restKeys, m_module.QuestionCount - static_cast<int>(plan.reviewSlots.size()), m_use);
    for (int &slot : plan.pool.slots)
        slot = rest[slot - 1];
    return plan;
}

const ClassRun::SheetPlan *ClassRun::planOf(int sheet) const
{
    if (m_plans.isEmpty())
        return nullptr;
    return &m_plans[std::clamp<qsizetype>(sheet, 1, m_plans.size()) - 1];
}

ClassRunOutcome<QStringList> ClassRun::prepare(quint64 seed)
{
    // The files as this run reads them, and what the header prints of them: a
    // reprint needs no file.
    m_files.clear();
    for (int f = 1;
         !m_className.isEmpty() && f <= std::clamp<int>(m_module.ChosenFileCount, 0, MaxChosenFiles); ++f)
        m_files.append(
            {m_module.ChosenFileList(f), FileDigest(m_module.ChosenFileList(f)).value_or(QString()),
                FileHeadings {m_module.FileHeaders(f, 1), m_module.FileHeaders(f, 3)}});
    m_shrink = false;
    m_plans.clear();
    if (m_className.isEmpty())
        return {};
    // One failure, told once: the run then prints without the history, except a
    // review for pupils, which has no sheet without it.
    const auto failed = [this](const auto &outcome) -> ClassRunOutcome<QStringList> {
        m_withoutHistory = true;
        if (m_review != ReviewDraw::Pupils)
            return QStringList {HistoryFailureMessage(m_store.path(), outcome)
                + QStringLiteral("\nこの印刷は履歴に記録しません。")};
        return ClassRunOutcome<QStringList>::failed(
            {ClassRunProblem::HistoryUnusable, *outcome.fault}, outcome.detail);
    };
    if (m_avoidRecent > 0) {
        const HistoryOutcome<RecentUse> use = m_store.recentUse(m_className, m_avoidRecent);
        if (!use.ok())
            return failed(use);
        m_use = use.value;
    }
    QList<ReviewTest> tests;
    if (m_review != ReviewDraw::None) {
        HistoryOutcome<QList<ReviewTest>> read = m_store.reviewTests(m_className, m_review);
        if (!read.ok())
            return failed(read);
        tests = std::move(read.value);
    }
    const QList<int> pupils = m_review == ReviewDraw::Pupils ? MarkedPupils(tests) : QList<int> {};
    if (m_review == ReviewDraw::Pupils && pupils.isEmpty())
        return ClassRunOutcome<QStringList>::failed({ClassRunProblem::NoMarkedPupil}, m_className);
    const QDateTime now = m_module.clock.now();
    const HistoryOutcome<QString> number = m_store.reserveNumber(now);
    if (!number.ok())
        return failed(number);
    m_reserved = number.value;
    m_clockBefore = m_module.clock;
    m_module.clock.setFixed(now);
    m_module.SheetLetters = RunLettersOf(m_reserved);
    if (m_avoidRecent <= 0 && m_review == ReviewDraw::None)
        return {};
    QStringList keys;
    for (int slot = 1; slot <= std::clamp<int>(m_module.RangeQuestionCount, 0, MaxBankQuestions); ++slot)
        keys.append(QuestionKey(m_module.RangePool(slot)));
    const int count = std::clamp<int>(m_module.QuestionCount, 0, MaxDrawnQuestions);
    if (m_review == ReviewDraw::Pupils) {
        m_sheetCountBefore = m_module.options.sheetCount;
        m_module.options.sheetCount
            = static_cast<std::int16_t>(std::min<qsizetype>(pupils.size(), MaxSheetCount));
        // The class's review is the same for every pupil's sheet.
        const QList<int> classSlots = ReviewSlots(keys, count, tests, seed);
        for (const int pupil : pupils.first(m_module.options.sheetCount))
            m_plans.append(
                planFor(keys, PupilReviewSlots(keys, count, tests, pupil, classSlots, seed), pupil));
    } else {
        m_plans.append(planFor(
            keys, m_review == ReviewDraw::Class ? ReviewSlots(keys, count, tests, seed) : QList<int> {}, 0));
    }
    m_shrink = true;
    if (repeats() > 0)
        return QStringList {RepeatNotice(repeats())};
    return {};
}

DrawSheet ClassRun::wrap(DrawSheet draw)
{
    m_drawn.clear();
    return [this, draw = std::move(draw)](int sheet) {
        const SheetPlan *plan = planOf(sheet);
        m_module.SheetPupil = static_cast<std::int16_t>(plan ? plan->pupil : 0);
        if (m_shrink && plan) {
            // The draw reads the range pool: it gets the shrunk one while it draws, and
            // the range stays as decided for whatever comes after.
            const auto range = std::make_unique<decltype(m_module.RangePool)>(m_module.RangePool);
            const std::int16_t rangeCount = m_module.RangeQuestionCount;
            for (qsizetype i = 0; i < plan->pool.slots.size(); ++i)
                m_module.RangePool(static_cast<int>(i + 1)) = (*range)(plan->pool.slots[i]);
            m_module.RangeQuestionCount = static_cast<std::int16_t>(plan->pool.slots.size());
            const int review = static_cast<int>(plan->reviewSlots.size());
            if (review > 0)
                m_module.QuestionCount
                    = static_cast<std::int16_t>(std::max(m_module.QuestionCount - review, 0));
            if (draw)
                draw(sheet);
            if (review > 0)
                putFirst(m_module, plan->reviewSlots, *range);
            m_module.RangePool = *range;
            m_module.RangeQuestionCount = rangeCount;
        } else if (draw) {
            draw(sheet);
        }
        QList<QuestionRecord> drawn;
        for (int i = 1; i <= std::clamp<int>(m_module.QuestionCount, 0, MaxDrawnQuestions); ++i)
            drawn.append(m_module.DrawnQuestions(i));
        if (m_drawn.size() < sheet)
            m_drawn.resize(sheet);
        m_drawn[sheet - 1] = drawn;
    };
}

void ClassRun::replace(int sheet, int position, const QuestionRecord &question)
{
    if (sheet >= 1 && sheet <= m_drawn.size() && position >= 1 && position <= m_drawn[sheet - 1].size())
        m_drawn[sheet - 1][position - 1] = question;
}

HistoryOutcome<> ClassRun::record(RunOutput output, quint64 seed, const QList<SheetOutcome> &sheets)
{
    if (m_className.isEmpty())
        return {};
    RecordedRun run;
    run.className = m_className;
    run.when = m_module.clock.now();
    run.output = output;
    run.files = m_files;
    RunOptions &o = run.options;
    o.sheet = m_module.options;
    o.sheet.sheetCount = static_cast<std::int16_t>(sheets.size());
    o.allParts = m_module.AllPartsChosen == 1;
    o.parts = chosenParts(m_module);
    o.seed = seed;
    m_numbers.clear();
    for (qsizetype k = 0; k < sheets.size() && k < m_drawn.size(); ++k) {
        const int index = sheets.size() > 1 ? static_cast<int>(k + 1) : 0;
        const QString number = SheetNumber(sheets[k].PrintedAt, index, m_module.SheetLetters);
        const SheetPlan *plan = planOf(static_cast<int>(k + 1));
        run.sheets.append({number, sheets[k].PrintedAt,
            m_drawn[k].first(std::clamp<qsizetype>(sheets[k].QuestionCount, 0, m_drawn[k].size())),
            sheets[k].FittedSize, plan ? plan->pupil : 0});
        m_numbers.append(number);
    }
    if (m_reserved.isEmpty())
        return {};
    const HistoryOutcome<> recorded = m_store.record(run, m_reserved);
    if (recorded.ok())
        m_reserved.clear();
    return recorded;
}

} // namespace sorario
