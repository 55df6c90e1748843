// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/PrintOptionsFile.h"

#include "platform/SafeWrite.h"
#include "settings/SheetSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <algorithm>
#include <array>
#include <utility>

namespace sorario {
namespace {

const std::array<std::pair<Paper, QLatin1String>, 4> PaperNames {{
    {Paper::B5, QLatin1String("b5")},
    {Paper::A4, QLatin1String("a4")},
    {Paper::B4TwoUp, QLatin1String("b4-2up")},
    {Paper::A3TwoUp, QLatin1String("a3-2up")},
}};

const QString PaperKey = QStringLiteral("print/paper");
const QString KeepWordsKey = QStringLiteral("print/keepWords");
const QString FitKey = QStringLiteral("print/fitFirstPage");
const QString KeepQuestionsKey = QStringLiteral("print/keepQuestions");
const QString AnswersLastKey = QStringLiteral("print/answersLast");
const QString DuplexPadKey = QStringLiteral("print/duplexPad");
const QString ChoiceLabelsKey = QStringLiteral("print/choiceLabels");

// Only what a save writes switches an option on: any other word reads as not set.
bool savedOn(const QSettings &file, const QString &key)
{
    return file.value(key).toString() == QLatin1String("true");
}

#ifdef Q_OS_WIN
// QSettings on Windows ends lines with CR LF and keeps keys in the order they came;
// the file beside the program is the same bytes on every system: LF, the General
// section first, sections and keys sorted as QSettings sorts them elsewhere.
QByteArray sortedAsElsewhere(const QByteArray &written)
{
    using Section = std::pair<QByteArray, QList<QByteArray>>;
    QList<Section> sections;
    for (const QByteArray &line : written.split('\n')) {
        const QByteArray text = line.endsWith('\r') ? line.chopped(1) : line;
        if (text.startsWith('['))
            sections.append({text, {}});
        else if (!text.isEmpty() && !sections.isEmpty())
            sections.last().second.append(text);
    }
    const auto rank = [](const Section &s) { return std::pair(s.first != "[General]", s.first); };
    std::stable_sort(sections.begin(), sections.end(),
        [&rank](const Section &a, const Section &b) { return rank(a) < rank(b); });
    QByteArray bytes;
    for (auto &[header, keys] : sections) {
        if (keys.isEmpty())
            continue;
        std::stable_sort(keys.begin(), keys.end(), [](const QByteArray &a, const QByteArray &b) {
            return a.left(a.indexOf('=')) < b.left(b.indexOf('='));
        });
        if (!bytes.isEmpty())
            bytes += '\n';
        bytes += header + '\n' + keys.join('\n') + '\n';
    }
    return bytes;
}
#endif

} // namespace

QString PaperName(Paper paper)
{
    for (const auto &[known, name] : PaperNames) {
        if (known == paper)
            return name;
    }
    return PaperNames.front().second;
}

std::optional<Paper> PaperNamed(const QString &name)
{
    for (const auto &[paper, known] : PaperNames) {
        if (name == known)
            return paper;
    }
    return std::nullopt;
}

QString ChoiceLabelsName(ChoiceLabels labels)
{
    return labels == ChoiceLabels::Digits ? QStringLiteral("digits") : QStringLiteral("kana");
}

std::optional<ChoiceLabels> ChoiceLabelsNamed(const QString &name)
{
    for (const ChoiceLabels labels : {ChoiceLabels::Kana, ChoiceLabels::Digits}) {
        if (name == ChoiceLabelsName(labels))
            return labels;
    }
    return std::nullopt;
}

QSettings readSettingsFile(const QString &path)
{
    return QSettings(IsReadableSettingsFile(path) ? path : QString(), QSettings::IniFormat);
}

QString PrintOptionsFilePath(const SettingsFolders &folders)
{
    const QString besideVk = SettingsFilePath(folders);
    if (besideVk.isEmpty())
        return {};
    return QFileInfo(besideVk).dir().filePath(QStringLiteral("Sorario.ini"));
}

void loadPrintOptions(const SettingsFolders &folders, SheetOptions &options)
{
    const QString path = PrintOptionsFilePath(folders);
    if (path.isEmpty() || !QFileInfo::exists(path)) {
        // A teacher's first sheet has no word split mid-word and no rule alone atop a page.
        options.lineBreaks = WordBreaks::KeepWords;
        options.pageBreaks = QuestionBreaks::KeepQuestions;
        return;
    }
    const QSettings file = readSettingsFile(path);
    options.paper = PaperNamed(file.value(PaperKey).toString()).value_or(Paper::B5);
    options.lineBreaks = savedOn(file, KeepWordsKey) ? WordBreaks::KeepWords : WordBreaks::Anywhere;
    options.overflow = savedOn(file, FitKey) ? Overflow::ShrinkFirst : Overflow::Ask;
    options.pageBreaks
        = savedOn(file, KeepQuestionsKey) ? QuestionBreaks::KeepQuestions : QuestionBreaks::Anywhere;
    options.answerPages = savedOn(file, AnswersLastKey) ? AnswerPlace::AllLast : AnswerPlace::AfterEachSheet;
    options.duplex = savedOn(file, DuplexPadKey) ? DuplexPadding::BlankAfterOdd : DuplexPadding::None;
    options.choiceLabels
        = ChoiceLabelsNamed(file.value(ChoiceLabelsKey).toString()).value_or(ChoiceLabels::Kana);
}

void savePrintOptions(const SettingsFolders &folders, const SheetOptions &options)
{
    updateOptionsFile(folders, [&options](QSettings &file) {
        file.setValue(PaperKey, PaperName(options.paper));
        file.setValue(KeepWordsKey, options.lineBreaks == WordBreaks::KeepWords);
        file.setValue(FitKey, options.overflow == Overflow::ShrinkFirst);
        // Written only once chosen, so a file from before the choice keeps its bytes.
        const auto setOrRemove = [&file](const QString &key, bool on) {
            if (on)
                file.setValue(key, true);
            else
                file.remove(key);
        };
        setOrRemove(KeepQuestionsKey, options.pageBreaks == QuestionBreaks::KeepQuestions);
        setOrRemove(AnswersLastKey, options.answerPages == AnswerPlace::AllLast);
        setOrRemove(DuplexPadKey, options.duplex == DuplexPadding::BlankAfterOdd);
        if (options.choiceLabels == ChoiceLabels::Digits)
            file.setValue(ChoiceLabelsKey, ChoiceLabelsName(options.choiceLabels));
        else
            file.remove(ChoiceLabelsKey);
    });
}

void updateOptionsFile(const SettingsFolders &folders, const std::function<void(QSettings &)> &update)
{
    const QString path = PrintOptionsFilePath(folders);
    if (path.isEmpty())
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    // QSettings reads the old file first to keep what else it holds; a broken one is
    // first replaced, whole, by an empty one.
    if (QFileInfo::exists(path) && !IsReadableSettingsFile(path) && !writeBytesAtomically(path, {}).ok())
        return;
    {
        // QSettings writes the file through a temporary one renamed into place.
        QSettings file(path, QSettings::IniFormat);
        update(file);
        file.sync();
    }
#ifdef Q_OS_WIN
    QFile written(path);
    if (IsReadableSettingsFile(path) && written.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = written.readAll();
        written.close();
        const QByteArray sorted = sortedAsElsewhere(bytes);
        // Not put in place, the file QSettings wrote still reads the same.
        if (sorted != bytes)
            (void)writeBytesAtomically(path, sorted);
    }
#endif
}

} // namespace sorario
