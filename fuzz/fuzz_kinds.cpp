// SPDX-License-Identifier: GPL-3.0-or-later
// The markers of the word-order and multiple-choice questions: the first byte names
// the sheet, the rest is the question's three lines (UTF-8, split at line feeds).
#include "FuzzSupport.h"

#include "bank/QuestionKinds.h"

#include <QSet>

using namespace sorario;

namespace {

void checkProblems(const QuestionRecord &q)
{
    const QString lines[] = {q.QuestionText, q.Hint, q.Answer};
    for (const KindProblem &p : KindProblems(q)) {
        FUZZ_CHECK(p.lineOffset >= 0 && p.lineOffset <= 2);
        FUZZ_CHECK(p.column >= 1 && p.column <= lines[p.lineOffset].size() + 1);
    }
}

// A group of two different words is never set in the answer's order.
void checkNotAsWritten(const QuestionRecord &q, const QuestionRecord &set)
{
    const KindGroups found = WordGroups(q.QuestionText);
    if (found.groups.size() != 1 || found.groups[0].lowerFirst)
        return;
    const KindGroup &g = found.groups[0];
    if (QSet<QString>(g.words.cbegin(), g.words.cend()).size() < 2)
        return;
    const QString written = q.QuestionText.left(g.start) + QStringLiteral("（ ")
        + g.words.join(QStringLiteral(" / ")) + QStringLiteral(" ）") + q.QuestionText.mid(g.end);
    FUZZ_CHECK(set.QuestionText != written);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int sheet = data[0] % (MaxChoices * 6 + 1);
    const QStringList lines
        = QString::fromUtf8(reinterpret_cast<const char *>(data + 1), qsizetype(size - 1)).split(u'\n');
    const QuestionRecord q {lines.value(0), lines.value(1), lines.value(2)};
    checkProblems(q);

    const ChoiceLabels labels = data[0] & 0x80 ? ChoiceLabels::Digits : ChoiceLabels::Kana;
    const SheetKey key {QStringLiteral("05010900"), sheet, labels};
    const QuestionRecord set = OnSheet(q, key);
    FUZZ_CHECK(set == OnSheet(q, key)); // a reprint sets the same
    const std::optional<KindGroup> choices = ChoiceGroup(q.Hint);
    if (WordGroups(q.QuestionText).groups.isEmpty() && !choices)
        FUZZ_CHECK(set == q);
    if (choices && choices->words.size() <= MaxChoices && set.Answer != q.Answer)
        FUZZ_CHECK(set.Hint.contains(set.Answer));
    checkNotAsWritten(q, set);
    // What the check passes prints no marker.
    if (KindProblems(q).isEmpty()) {
        for (const QString &line : {set.QuestionText, set.Hint, set.Answer})
            FUZZ_CHECK(!line.contains(KindOpen) && !line.contains(KindClose));
    }
    return 0;
}
