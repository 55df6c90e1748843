// SPDX-License-Identifier: GPL-3.0-or-later
// What importing must keep: the lines an import writes load as those lines, and a
// question file the program exports to a learning system's format reads back as
// the question file the loader sees.
#pragma once

#include "FuzzSupport.h"

#include "bank/QuestionFileRead.h"
#include "bank/QuestionKinds.h"
#include "exchange/OnlineBank.h"
#include "platform/Cp932.h"
#include "platform/SafeWrite.h"

#include <QStringList>

#include <fuzzer/FuzzedDataProvider.h>

namespace sorario::fuzz {

using namespace Qt::Literals::StringLiterals;

// Lines an import took, written as the import writes them and loaded again.
inline void checkWrittenLoads(const QStringList &lines)
{
    const std::optional<QByteArray> bytes = lineFileBytes(lines);
    if (!bytes)
        return; // refused before writing, with its message
    const QuestionFileRead loaded = ReadQuestionBytes(*bytes);
    FUZZ_CHECK(loaded.fault == LoadFault::None);
    FUZZ_CHECK(loaded.countedLines() == lines);
}

// Pieces of text that mean something to GIFT, XML, HTML, the question file or the
// kinds' marks, and a few that mean nothing.
inline const QStringList &textPieces()
{
    static const QStringList pieces {u"~"_s, u"="_s, u"#"_s, u"{"_s, u"}"_s, u":"_s, u"\\"_s, u"\\\\"_s,
        u"<"_s, u">"_s, u"&"_s, u"\""_s, u"'"_s, u"]]>"_s, u"<![CDATA["_s, u"@"_s, u"\\/"_s, u"\\n"_s,
        u"//"_s, u"$CATEGORY:"_s, u"::"_s, u"[html]"_s, u"%50%"_s, u"%100%"_s, u"%"_s, u"->"_s, u"####"_s,
        u" "_s, u"  "_s, u"\u3000"_s, u"\t"_s, u"a"_s, u"He"_s, u"is"_s, u"I"_s, u"全角"_s, u"（　）"_s,
        u"{{"_s, u"}}"_s, u" / "_s, u"/"_s, u"_"_s, u"&amp;"_s, u"&#1;"_s, u"&lt;"_s, u"<br>"_s, u"<b>"_s,
        u"</p>"_s, u"1"_s, u"-"_s, u"."_s, u"?"_s, u"#タイトル"_s, u"*"_s, u"**"_s};
    return pieces;
}

inline QString textFrom(FuzzedDataProvider &in, int maxPieces)
{
    QString text;
    const int count = in.ConsumeIntegralInRange(0, maxPieces);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i)
        text += textPieces()[in.ConsumeIntegralInRange<qsizetype>(0, textPieces().size() - 1)];
    return text;
}

// Words as a group holds them: without "/", braces, "_" or blanks at either end,
// which would move the group's own marks.
inline QStringList wordsFrom(FuzzedDataProvider &in, int most)
{
    QStringList words;
    const int count = in.ConsumeIntegralInRange(2, most);
    for (int i = 0; i < count; ++i)
        words.append(textFrom(in, 3).remove(u'/').remove(u'{').remove(u'}').remove(u'_').trimmed());
    return words;
}

// A text that makes no word order by accident.
inline QString withoutGroups(QString text)
{
    while (text.contains(KindOpen))
        text.replace(KindOpen, u"{"_s);
    return text;
}

// One question of each kind the exporters know, or one whose marks make none. What
// the exporters do not promise to keep is left out: an answer's blanks at either
// end (GIFT trims them, a sheet ignores them), and a word order whose answer is not
// its words in order (it comes back as the fill-the-blank question a learning
// system shows, its words set).
inline void appendQuestion(FuzzedDataProvider &in, QStringList &lines)
{
    switch (in.ConsumeIntegralInRange(0, 3)) {
    case 0: {
        const QStringList words = wordsFrom(in, 5);
        const QString group
            = KindOpen + (in.ConsumeBool() ? u"_"_s : QString()) + words.join(SetSeparator) + KindClose;
        const QString text = textFrom(in, 3) + group + textFrom(in, 3);
        // The text around may add or change groups: the answer is theirs as the file reads.
        QStringList sentence;
        for (const KindGroup &g : WordGroups(text).groups)
            sentence.append(g.words.join(u' '));
        lines << text << textFrom(in, 3)
              << (textFrom(in, 1) + sentence.join(u' ') + textFrom(in, 1)).trimmed();
        break;
    }
    case 1: {
        const QStringList choices = wordsFrom(in, MaxChoices + 1);
        const QString answer = choices.value(in.ConsumeIntegralInRange<qsizetype>(0, choices.size()));
        lines << textFrom(in, 6) << GroupText(choices)
              << (textFrom(in, 1) + answer + textFrom(in, 1)).trimmed();
        break;
    }
    default:
        lines << withoutGroups(textFrom(in, 8)) << textFrom(in, 6) << textFrom(in, 6).trimmed();
    }
}

// The line with each group written as a file writes one ("{{a / b}}"): the blanks
// around a group's "/" are no part of what the loader sees, and an export sets them so.
// A first word is compared as lowered: a learner sees it so, and its capital comes back
// from the answer.
inline QString groupsAsWritten(const QString &line)
{
    QString written;
    qsizetype from = 0;
    for (KindGroup g : WordGroups(line).groups) {
        if (!g.words.isEmpty() && !g.words.first().isEmpty())
            g.words.first()[0] = g.words.first()[0].toLower();
        written += line.mid(from, g.start - from) + KindOpen + g.words.join(SetSeparator) + KindClose;
        from = g.end;
    }
    return written + line.mid(from);
}

// The lines so written, and the hints "*" and "**" as none: they only shape a sheet.
inline QStringList groupsAsWritten(QStringList lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const bool hint = i >= HeaderLineCount && (i - HeaderLineCount) % 3 == 1;
        if (hint && (lines[i] == u"*"_s || lines[i] == u"**"_s))
            lines[i].clear();
        lines[i] = groupsAsWritten(lines[i]);
    }
    return lines;
}

// A question file of the input's header and questions, exported to `format` and
// read back: the bank comes back as the loader sees the file, unless the exporter
// refused it, or the loader or the code page would refuse the file itself.
inline void checkRoundTrip(OnlineFormat format, const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    QStringList lines;
    for (int i = 0; i < HeaderLineCount; ++i)
        lines << textFrom(in, 3);
    const int questions = in.ConsumeIntegralInRange(0, 4);
    for (int q = 0; q < questions; ++q)
        appendQuestion(in, lines);
    const QuestionFileRead original = ReadQuestionLines(lines);
    if (original.fault != LoadFault::None || original.encoded || original.lineCount != lines.size())
        return;
    const OnlineBankWrite written = onlineBankBytes(format, {lines});
    if (written.notHeld != OnlineBankWrite::NotHeld::None)
        return;
    const OnlineBankRead back = readOnlineBank(format, written.bytes);
    FUZZ_CHECK(back.ok());
    FUZZ_CHECK(groupsAsWritten(back.value.lines) == groupsAsWritten(lines));
}

} // namespace sorario::fuzz
