// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CliSheetOptions.h"

#include "cli/CliCommon.h"

#include "settings/FontRule.h"
#include "settings/PrintOptionsFile.h"

#include <QCommandLineParser>

#include <optional>

namespace sorario::cli {
namespace {

ChoiceLabels choiceLabelsOption(const QCommandLineParser &parser)
{
    if (const std::optional<ChoiceLabels> labels
        = ChoiceLabelsNamed(parser.value(QStringLiteral("choice-labels"))))
        return *labels;
    throw UsageError(QStringLiteral("--choice-labels takes kana or digits"));
}

Paper paperOption(const QCommandLineParser &parser)
{
    if (const std::optional<Paper> paper = PaperNamed(parser.value(QStringLiteral("paper"))))
        return *paper;
    throw UsageError(QStringLiteral("--paper takes b5, a4, b4-2up or a3-2up"));
}

std::int16_t sizeOption(const QCommandLineParser &parser)
{
    bool number = false;
    const double points = parser.value(QStringLiteral("size")).toDouble(&number);
    const SettingsOutcome<std::int16_t> size = NormalizedFontSize(points);
    if (!number || !size.ok())
        throw UsageError(
            QStringLiteral("--size takes a size from %1 to %2 points").arg(MinFontSize).arg(MaxFontSize));
    return size.value;
}

std::int16_t layoutOption(const QCommandLineParser &parser, const QString &name)
{
    return static_cast<std::int16_t>(intOption(parser, name, 1, 2));
}

std::int16_t sheetsOption(const QCommandLineParser &parser)
{
    return static_cast<std::int16_t>(intOption(parser, QStringLiteral("sheets"), 1, MaxSheetCount));
}

bool named(const QCommandLineParser &parser, const char *name)
{
    return parser.isSet(QLatin1String(name));
}

} // namespace

void addDrawOptions(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("layout"), QStringLiteral("1 with answer column, 2 without."),
        QStringLiteral("1|2"), QStringLiteral("1")});
    parser.addOption(
        {QStringLiteral("seed"), QStringLiteral("Seed of the random draw."), QStringLiteral("s")});
    parser.addOption({QStringLiteral("sheets"), QStringLiteral("Number of sheets, each with its own draw."),
        QStringLiteral("n"), QStringLiteral("1")});
    parser.addOption(
        {QStringLiteral("choice-labels"), QStringLiteral("Label choices ア イ ウ エ or 1 2 3 4."),
            QStringLiteral("kana|digits"), QStringLiteral("kana")});
}

void addPrintSheetOptions(QCommandLineParser &parser)
{
    const auto valued
        = [&](const char *name, const char *help, const char *value, const char *def = nullptr) {
              QCommandLineOption option {
                  QString::fromLatin1(name), QString::fromLatin1(help), QString::fromLatin1(value)};
              if (def)
                  option.setDefaultValue(QString::fromLatin1(def));
              parser.addOption(option);
          };
    valued("answers", "1 attach an answer page, 2 none.", "1|2", "1");
    valued("font", "Question font name.", "NAME");
    valued("size", "Question font size, 8 to 40 points.", "N");
    valued("logo", "Sheet logo.", "TEXT");
    valued("paper", "The paper the B5 pages go onto.", "b5|a4|b4-2up|a3-2up", "b5");
    parser.addOption({QStringLiteral("keep-words"), QStringLiteral("Keep English words whole.")});
    parser.addOption({QStringLiteral("fit"), QStringLiteral("Shrink the font to fit the first page.")});
    parser.addOption({QStringLiteral("keep-questions"),
        QStringLiteral("Start a question on the next page rather than split it.")});
    parser.addOption(
        {QStringLiteral("answers-last"), QStringLiteral("Every answer page after every sheet.")});
    parser.addOption({QStringLiteral("duplex-pad"), QStringLiteral("A blank page after an odd page count.")});
}

void checkSheetOptions(const QCommandLineParser &parser, SheetOptionSet set)
{
    SheetOptions scratch;
    readSheetOptions(parser, set, scratch);
}

void readSheetOptions(const QCommandLineParser &parser, SheetOptionSet set, SheetOptions &options)
{
    options.AnswerLayout = layoutOption(parser, QStringLiteral("layout"));
    options.sheetCount = sheetsOption(parser);
    options.choiceLabels = choiceLabelsOption(parser);
    if (set == SheetOptionSet::Draw)
        return;
    options.AttachAnswers = layoutOption(parser, QStringLiteral("answers"));
    if (named(parser, "font"))
        options.FontName = NormalizedFontName(parser.value(QStringLiteral("font")));
    if (named(parser, "size"))
        options.FontSize = sizeOption(parser);
    if (named(parser, "logo"))
        options.SheetLogo = parser.value(QStringLiteral("logo"));
    options.paper = paperOption(parser);
    if (named(parser, "keep-words"))
        options.lineBreaks = WordBreaks::KeepWords;
    if (named(parser, "fit"))
        options.overflow = Overflow::ShrinkFirst;
    if (named(parser, "keep-questions"))
        options.pageBreaks = QuestionBreaks::KeepQuestions;
    if (named(parser, "answers-last"))
        options.answerPages = AnswerPlace::AllLast;
    if (named(parser, "duplex-pad"))
        options.duplex = DuplexPadding::BlankAfterOdd;
}

QJsonObject sheetOptionsJson(const SheetOptions &o)
{
    return {{QStringLiteral("AnswerLayout"), o.AnswerLayout},
        {QStringLiteral("AttachAnswers"), o.AttachAnswers}, {QStringLiteral("FontName"), o.FontName},
        {QStringLiteral("FontSize"), o.FontSize}, {QStringLiteral("SheetLogo"), o.SheetLogo},
        {QStringLiteral("SheetCount"), o.sheetCount}, {QStringLiteral("Paper"), PaperName(o.paper)},
        {QStringLiteral("KeepWords"), o.lineBreaks == WordBreaks::KeepWords},
        {QStringLiteral("Fit"), o.overflow == Overflow::ShrinkFirst},
        {QStringLiteral("AnswersLast"), o.answerPages == AnswerPlace::AllLast},
        {QStringLiteral("KeepQuestions"), o.pageBreaks == QuestionBreaks::KeepQuestions},
        {QStringLiteral("DuplexPad"), o.duplex == DuplexPadding::BlankAfterOdd},
        {QStringLiteral("ChoiceLabels"), ChoiceLabelsName(o.choiceLabels)}};
}

void addNowOption(QCommandLineParser &parser)
{
    parser.addOption({QStringLiteral("now"),
        QStringLiteral("Clock for the sheet number (the draw's seed reads the real time)."),
        QStringLiteral("YYYY-MM-DDTHH:MM")});
}

std::optional<QDateTime> nowOption(const QCommandLineParser &parser)
{
    if (!parser.isSet(QStringLiteral("now")))
        return std::nullopt;
    const QDateTime when
        = QDateTime::fromString(parser.value(QStringLiteral("now")), QStringLiteral("yyyy-MM-ddTHH:mm"));
    if (!when.isValid())
        throw UsageError(QStringLiteral("--now takes a local time as YYYY-MM-DDTHH:MM"));
    return when;
}

} // namespace sorario::cli
