// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/ReviewRule.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <random>

namespace sorario {
namespace {

// One question over the class's tests.
struct Given
{
    QList<int> tests; // indexes into the tests, oldest first
    QList<QuestionResult> marks; // its marks on each of them
};

bool answeredWell(const QuestionResult &marks, int wellPermille)
{
    return marks.marked() > 0 && marks.correctPermille() >= wellPermille;
}

bool due(const Given &given, qsizetype testCount, int wellPermille)
{
    // Counted from its first wrong answer since the class last answered it well twice running.
    qsizetype firstWrong = -1;
    for (qsizetype i = 0; i < given.marks.size(); ++i) {
        const QuestionResult &m = given.marks[i];
        if (i > 0 && answeredWell(m, wellPermille) && answeredWell(given.marks[i - 1], wellPermille))
            firstWrong = -1;
        else if (firstWrong < 0 && m.wrong + m.partial > 0)
            firstWrong = i;
    }
    if (firstWrong < 0)
        return false;
    const qsizetype reviews = given.marks.size() - 1 - firstWrong;
    const int gap = ReviewGaps[static_cast<size_t>(std::min<qsizetype>(reviews, ReviewGaps.size() - 1))];
    // The test being drawn is one after the newest: a gap of 1 is the next test.
    return testCount - given.tests.last() >= gap;
}

} // namespace

QList<int> ReviewSlots(
    const QStringList &poolKeys, int count, const QList<ReviewTest> &tests, quint64 seed, int wellPermille)
{
    QHash<QString, int> slotOf;
    for (int slot = 1; slot <= poolKeys.size(); ++slot)
        if (!slotOf.contains(poolKeys[slot - 1]))
            slotOf.insert(poolKeys[slot - 1], slot);
    QHash<QString, Given> given;
    for (int t = 0; t < tests.size(); ++t) {
        for (const QuestionResult &q : tests[t].questions) {
            if (!slotOf.contains(q.key))
                continue;
            Given &g = given[q.key];
            if (!g.tests.isEmpty() && g.tests.last() == t) {
                g.marks.last().right += q.right;
                g.marks.last().wrong += q.wrong;
                g.marks.last().partial += q.partial;
            } else {
                g.tests.append(t);
                g.marks.append(q);
            }
        }
    }
    struct Candidate
    {
        int slot = 0;
        int permille = 0;
    };
    QList<Candidate> candidates;
    for (auto it = given.cbegin(); it != given.cend(); ++it) {
        if (!due(it.value(), tests.size(), wellPermille))
            continue;
        QuestionResult all;
        for (const QuestionResult &m : it.value().marks) {
            all.right += m.right;
            all.wrong += m.wrong;
            all.partial += m.partial;
        }
        candidates.append({slotOf.value(it.key()), all.correctPermille()});
    }
    // From pool order, so that the hash's order never shows; shuffled by hand, as
    // std::shuffle differs between standard libraries.
    std::sort(candidates.begin(), candidates.end(),
        [](const Candidate &a, const Candidate &b) { return a.slot < b.slot; });
    std::mt19937_64 random(seed);
    for (qsizetype i = candidates.size() - 1; i > 0; --i)
        std::swap(candidates[i], candidates[static_cast<qsizetype>(random() % static_cast<quint64>(i + 1))]);
    std::stable_sort(candidates.begin(), candidates.end(),
        [](const Candidate &a, const Candidate &b) { return a.permille < b.permille; });
    QList<int> slots;
    for (qsizetype i = 0; i < candidates.size() && i < count; ++i)
        slots.append(candidates[i].slot);
    return slots;
}

QList<int> MarkedPupils(const QList<ReviewTest> &tests)
{
    QSet<int> marked;
    for (const ReviewTest &test : tests)
        for (auto it = test.pupils.cbegin(); it != test.pupils.cend(); ++it)
            if (std::any_of(it->cbegin(), it->cend(), [](const QuestionResult &q) { return q.marked() > 0; }))
                marked.insert(it.key());
    QList<int> pupils(marked.cbegin(), marked.cend());
    std::sort(pupils.begin(), pupils.end());
    return pupils;
}

QList<int> PupilReviewSlots(const QStringList &poolKeys, int count, const QList<ReviewTest> &tests, int pupil,
    const QList<int> &classSlots, quint64 seed)
{
    // The pupil's tests are the class's, so that a question's gap counts the tests
    // the class sat; one the pupil missed holds nothing of the pupil's.
    QList<ReviewTest> own;
    for (const ReviewTest &test : tests)
        own.append({test.pupils.value(pupil), {}});
    QList<int> slots = ReviewSlots(poolKeys, count, own, seed);
    for (const int slot : classSlots)
        if (slots.size() < count && !slots.contains(slot))
            slots.append(slot);
    return slots;
}

} // namespace sorario
