// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/SheetOrders.h"

#include <QHash>
#include <QSet>

#include <algorithm>
#include <numeric>
#include <utility>

namespace sorario {
namespace {

// Tries at an order no earlier sheet had; past them a repeat is taken.
constexpr int Attempts = 64;
// Bytes, about, the kept orders may take before they are let go.
constexpr qsizetype KeptLimit = qsizetype(1) << 26;

// Taken from the seed's text the same on every machine, unlike qHash. `h` goes on
// from the text before, so that a long question is hashed once, not per search.
quint64 fnv1a(QStringView text, quint64 h = 14695981039346656037ULL)
{
    for (const QChar c : text) {
        for (const quint64 byte : {quint64(c.unicode() & 0xff), quint64(c.unicode() >> 8)}) {
            h ^= byte;
            h *= 1099511628211ULL;
        }
    }
    return h;
}

quint64 splitMix(quint64 &state)
{
    quint64 z = (state += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

QList<int> shuffled(qsizetype n, quint64 seed)
{
    QList<int> order(n);
    std::iota(order.begin(), order.end(), 0);
    for (qsizetype i = n - 1; i > 0; --i)
        std::swap(order[i], order[qsizetype(splitMix(seed) % quint64(i + 1))]);
    return order;
}

// How many different orders the words have, counted up to a cap.
qint64 arrangements(const QList<QStringView> &words)
{
    constexpr qint64 Cap = qint64(1) << 20;
    QHash<QStringView, int> seen;
    qint64 count = 1;
    for (qsizetype i = 0; i < words.size() && count < Cap; ++i)
        count = count * (i + 1) / ++seen[words[i]];
    return std::min(count, Cap);
}

// One shuffle of a question on the sheets of one run, and what the sheets so far
// found: each sheet's order by the attempt that gave it (-1 the fixed one), and
// each text once, by its hash. The words are the caller's, so that a long group
// costs a few numbers a sheet here, not a copy of its text.
struct SlotRun
{
    quint64 seed = 0; // the hash of the run, the question and the salt
    bool avoidWritten = false;
    bool alike = false; // words all alike have no other order to look for
    qint64 orders = 0; // how many there are, the written one left out when avoided
    qint64 usedCount = 0;
    QMultiHash<size_t, int> used; // a text's hash, and the sheet that had it
    QList<int> found; // of sheets 1, 2, …
};

SlotRun slotRun(quint64 questionSeed, const OrderSlot &slot)
{
    SlotRun s;
    s.seed = fnv1a(QString(slot.salt + OrderSeparator), questionSeed);
    s.avoidWritten = slot.avoidWritten;
    const QList<QStringView> &words = slot.words;
    s.alike = words.size() < 2 || words.count(words[0]) == words.size();
    if (!s.alike)
        s.orders = arrangements(words) - (slot.avoidWritten ? 1 : 0);
    return s;
}

quint64 sheetSeed(const SlotRun &s, int sheet)
{
    return fnv1a(QString(QString::number(sheet) + OrderSeparator), s.seed);
}

QList<int> attemptOrder(qsizetype n, quint64 seed, int attempt)
{
    return attempt < 0 ? shuffled(n, 0) : shuffled(n, fnv1a(QString::number(attempt), seed));
}

// The words of one slot on one search: texts are built into buffers kept from
// attempt to attempt rather than allocated for each.
struct Search
{
    const QList<QStringView> &words;
    SlotRun &run;
    QString written;
    QString text;
    QString other;
};

void setOrderText(QString &out, const QList<QStringView> &words, const QList<int> &order)
{
    qsizetype size = order.isEmpty() ? 0 : order.size() - 1;
    for (const int i : order)
        size += words[i].size();
    out.resize(size);
    QChar *at = out.data();
    for (qsizetype p = 0; p < order.size(); ++p) {
        if (p > 0)
            *at++ = OrderSeparator;
        const QStringView word = words[order[p]];
        at = std::copy(word.cbegin(), word.cend(), at);
    }
}

bool isUsed(Search &s, const QString &text)
{
    const size_t hash = qHash(text);
    const qsizetype n = s.words.size();
    for (auto it = s.run.used.find(hash); it != s.run.used.end() && it.key() == hash; ++it) {
        const int sheet = it.value();
        setOrderText(s.other, s.words, attemptOrder(n, sheetSeed(s.run, sheet), s.run.found[sheet - 1]));
        if (s.other == text)
            return true;
    }
    return false;
}

struct Pick
{
    int attempt = -1;
    bool fresh = false; // no earlier sheet had its text (s.text)
};

// The attempt that gives one sheet's order: not the written one when avoided, and
// one no earlier sheet had while an untried one can be found.
Pick pick(Search &s, int sheet, bool avoidUsed)
{
    const quint64 seed = sheetSeed(s.run, sheet);
    const qsizetype n = s.words.size();
    if (s.run.avoidWritten && s.written.isEmpty()) {
        QList<int> written(n);
        std::iota(written.begin(), written.end(), 0);
        setOrderText(s.written, s.words, written);
    }
    int fallback = -1;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        setOrderText(s.text, s.words, attemptOrder(n, seed, attempt));
        if (s.run.avoidWritten && s.text == s.written)
            continue;
        if (fallback < 0)
            fallback = attempt;
        if (!avoidUsed || !isUsed(s, s.text))
            return {attempt, true};
    }
    setOrderText(s.text, s.words, attemptOrder(n, seed, fallback));
    return {fallback, !isUsed(s, s.text)};
}

// The order of `sheet`, the run's sheets before it searched once, each avoiding
// the orders of those before it. Once every order has been used, the sheets after
// take repeats without looking back.
QList<int> orderOn(const QList<QStringView> &words, SlotRun &run, int sheet, qsizetype &kept)
{
    const qsizetype n = words.size();
    if (run.alike)
        return shuffled(n, 0);
    Search s {words, run, {}, {}, {}};
    while (sheet > run.found.size() && run.usedCount < run.orders) {
        const int next = int(run.found.size()) + 1;
        const Pick picked = pick(s, next, true);
        run.found.append(picked.attempt);
        if (picked.fresh) {
            run.used.insert(qHash(s.text), next);
            ++run.usedCount;
        }
        kept += 32; // the attempt, and the text's hash with its sheet
    }
    if (sheet >= 1 && sheet <= run.found.size())
        return attemptOrder(n, sheetSeed(run, sheet), run.found[sheet - 1]);
    return attemptOrder(n, sheetSeed(run, sheet), pick(s, sheet, false).attempt);
}

// A run's question is known by two hashes of its texts, taken with different
// seeds, and its slots' shape: keeping the texts themselves let a bank of long
// questions outgrow the kept orders, and each sheet after that searched the earlier
// sheets again.
struct QuestionKey
{
    size_t first = 0;
    size_t second = 0;
    QList<qsizetype> shape; // each slot's word count

    friend bool operator==(const QuestionKey &, const QuestionKey &) = default;
};

size_t qHash(const QuestionKey &key, size_t seed = 0)
{
    return qHashMulti(seed, key.first, key.second);
}

QuestionKey questionKey(const QString &run, const QString &question, const QList<OrderSlot> &shuffles)
{
    QuestionKey key {qHashMulti(0x5bd1e995, run, question), qHashMulti(0x27d4eb2f, run, question), {}};
    for (const OrderSlot &slot : shuffles)
        key.shape.append(slot.words.size());
    return key;
}

} // namespace

QList<QList<int>> SheetOrders(
    const QString &run, const QString &question, const QList<OrderSlot> &shuffles, int sheet)
{
    thread_local QHash<QuestionKey, QList<SlotRun>> runs;
    thread_local qsizetype kept = 0;
    QList<SlotRun> &slotRuns = runs[questionKey(run, question, shuffles)];
    if (slotRuns.size() != shuffles.size()) {
        const quint64 questionSeed = fnv1a(QString(run + OrderSeparator + question));
        slotRuns.clear();
        for (const OrderSlot &slot : shuffles)
            slotRuns.append(slotRun(questionSeed, slot));
        kept += 128 * (shuffles.size() + 1);
    }
    QList<QList<int>> orders;
    for (qsizetype i = 0; i < shuffles.size(); ++i)
        orders.append(orderOn(shuffles[i].words, slotRuns[i], sheet, kept));
    if (kept > KeptLimit) {
        runs.clear();
        kept = 0;
    }
    return orders;
}

} // namespace sorario
