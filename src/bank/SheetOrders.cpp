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
// Characters and indexes the kept orders may hold before they are let go.
constexpr qsizetype KeptLimit = qsizetype(1) << 24;

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
qint64 arrangements(const QStringList &words)
{
    constexpr qint64 Cap = qint64(1) << 20;
    QHash<QString, int> seen;
    qint64 count = 1;
    for (qsizetype i = 0; i < words.size() && count < Cap; ++i)
        count = count * (i + 1) / ++seen[words[i]];
    return std::min(count, Cap);
}

// One shuffle of a question on the sheets of one run, and what the sheets so far
// found: each sheet's order by the attempt that gave it (-1 the fixed one), and
// each text once, by its hash; a long group costs its words, not a copy a sheet.
struct SlotRun
{
    OrderSlot slot;
    quint64 seed = 0; // the hash of the run, the question and the salt
    bool alike = false; // words all alike have no other order to look for
    QString written;
    qint64 orders = 0; // how many there are, the written one left out when avoided
    qint64 usedCount = 0;
    QMultiHash<size_t, int> used; // a text's hash, and the sheet that had it
    QList<int> found; // of sheets 1, 2, …
};

SlotRun slotRun(quint64 questionSeed, const OrderSlot &slot)
{
    SlotRun s;
    s.slot = slot;
    s.seed = fnv1a(QString(slot.salt + OrderSeparator), questionSeed);
    const QStringList &words = slot.words;
    s.alike = words.size() < 2 || words.count(words[0]) == words.size();
    if (!s.alike) {
        s.written = words.join(OrderSeparator);
        s.orders = arrangements(words) - (slot.avoidWritten ? 1 : 0);
    }
    return s;
}

quint64 sheetSeed(const SlotRun &s, int sheet)
{
    return fnv1a(QString(QString::number(sheet) + OrderSeparator), s.seed);
}

QList<int> attemptOrder(const SlotRun &s, quint64 seed, int attempt)
{
    const qsizetype n = s.slot.words.size();
    return attempt < 0 ? shuffled(n, 0) : shuffled(n, fnv1a(QString::number(attempt), seed));
}

bool isUsed(const SlotRun &s, const QString &text)
{
    const size_t hash = qHash(text);
    for (auto it = s.used.find(hash); it != s.used.end() && it.key() == hash; ++it) {
        const int sheet = it.value();
        if (OrderText(s.slot.words, attemptOrder(s, sheetSeed(s, sheet), s.found[sheet - 1])) == text)
            return true;
    }
    return false;
}

// The attempt that gives one sheet's order: not the written one when avoided, and
// one no earlier sheet had while an untried one can be found.
int pick(const SlotRun &s, int sheet, bool avoidUsed)
{
    const quint64 seed = sheetSeed(s, sheet);
    int fallback = -1;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        const QString text = OrderText(s.slot.words, attemptOrder(s, seed, attempt));
        if (s.slot.avoidWritten && text == s.written)
            continue;
        if (fallback < 0)
            fallback = attempt;
        if (!avoidUsed || !isUsed(s, text))
            return attempt;
    }
    return fallback;
}

// The order of `sheet`, the run's sheets before it searched once, each avoiding
// the orders of those before it. Once every order has been used, the sheets after
// take repeats without looking back.
QList<int> orderOn(SlotRun &s, int sheet, qsizetype &kept)
{
    if (s.alike)
        return shuffled(s.slot.words.size(), 0);
    while (sheet > s.found.size() && s.usedCount < s.orders) {
        const int next = int(s.found.size()) + 1;
        const int attempt = pick(s, next, true);
        const QString text = OrderText(s.slot.words, attemptOrder(s, sheetSeed(s, next), attempt));
        const bool fresh = !isUsed(s, text);
        s.found.append(attempt);
        if (fresh) {
            s.used.insert(qHash(text), next);
            ++s.usedCount;
        }
        kept += 4;
    }
    if (sheet >= 1 && sheet <= s.found.size())
        return attemptOrder(s, sheetSeed(s, sheet), s.found[sheet - 1]);
    return attemptOrder(s, sheetSeed(s, sheet), pick(s, sheet, false));
}

} // namespace

QList<QList<int>> SheetOrders(
    const QString &run, const QString &question, const QList<OrderSlot> &shuffles, int sheet)
{
    thread_local QHash<std::pair<QString, QString>, QList<SlotRun>> runs;
    thread_local qsizetype kept = 0;
    QList<SlotRun> &slotRuns = runs[{run, question}];
    const bool same = slotRuns.size() == shuffles.size()
        && std::equal(shuffles.cbegin(), shuffles.cend(), slotRuns.cbegin(),
            [](const OrderSlot &slot, const SlotRun &s) { return slot == s.slot; });
    if (!same) {
        const quint64 questionSeed = fnv1a(QString(run + OrderSeparator + question));
        slotRuns.clear();
        for (const OrderSlot &slot : shuffles) {
            slotRuns.append(slotRun(questionSeed, slot));
            kept += slot.salt.size() + slot.words.size() * 8 + slot.words.join(QString()).size();
        }
        kept += run.size() + question.size();
    }
    QList<QList<int>> orders;
    for (SlotRun &s : slotRuns)
        orders.append(orderOn(s, sheet, kept));
    if (kept > KeptLimit) {
        runs.clear();
        kept = 0;
    }
    return orders;
}

QString OrderText(const QStringList &words, const QList<int> &order)
{
    qsizetype size = order.size();
    for (const int i : order)
        size += words[i].size();
    QString text;
    text.reserve(size);
    for (qsizetype p = 0; p < order.size(); ++p) {
        if (p > 0)
            text += OrderSeparator;
        text += words[order[p]];
    }
    return text;
}

} // namespace sorario
