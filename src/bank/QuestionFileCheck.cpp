#include "bank/QuestionFileCheck.h"

#include "bank/EncodedLines.h"
#include "bank/QuestionFiles.h"
#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <memory>
#include <utility>

namespace sorario {
namespace {

// A payload full of noise would otherwise give one line per group.
constexpr int MaxGroupsReported = 3;

// The payload starts after the three backslashes of line 1.
constexpr int PayloadFirstColumn = 4;

struct GroupFault
{
    int group = 0;  // 1-based
    int column = 0; // of the character giving the group's first digit
    QString digits;
    bool notHex = false;
};

// The groups the decoder stops at, found again with their places: the decoder
// itself only says that one failed.
QList<GroupFault> badGroups(QStringView payload, int *total)
{
    QList<GroupFault> faults;
    *total = 0;
    QHash<char16_t, QString> expansions;
    QString digits;
    int groupColumn = 0;
    int group = 0;
    auto close = [&] {
        ++group;
        unsigned value = 0;
        bool hex = true;
        for (const QChar d : std::as_const(digits)) {
            const int v = HexDigitValue(d.unicode());
            hex = hex && v >= 0;
            value = (value << 4) | unsigned(std::max(v, 0));
        }
        if (!hex || !cp932Character(value)) {
            if (++*total <= MaxGroupsReported)
                faults.append({group, groupColumn, digits, !hex});
        }
        digits.clear();
    };
    for (qsizetype i = 0; i < payload.size(); ++i) {
        const char16_t c = payload[i].unicode();
        auto it = expansions.constFind(c);
        if (it == expansions.constEnd())
            it = expansions.insert(c, ExpandSymbolsStepwise(QString(QChar(c))));
        for (const QChar d : *it) {
            if (digits.isEmpty())
                groupColumn = PayloadFirstColumn + int(i);
            digits.append(d);
            if (digits.size() == 4)
                close();
        }
    }
    // One or two digits left over are dropped; three are read as a number.
    if (digits.size() == 3)
        close();
    return faults;
}

QString shortened(const QString &text)
{
    constexpr qsizetype Max = 20;
    return text.size() <= Max ? text : text.left(Max) + u'…';
}

// What the file contributes once read, as the loader sees it.
struct FileFigures
{
    bool refused = false;
    int questions = 0;
    QString declaredParts; // header line 2 as read
};

class Checker
{
public:
    explicit Checker(QList<CheckProblem> &out) : m_out(out), m_m(std::make_unique<Module1>()) {}

    FileFigures checkFile(const QString &path);

private:
    FileFigures readFile(const QString &path);

    void add(const QString &file, int line, int column, CheckSeverity severity, const QString &message)
    {
        m_out.append({file, line, column, severity, message});
    }
    void error(const QString &file, int line, const QString &message, int column = 0)
    {
        add(file, line, column, CheckSeverity::Error, message);
    }
    void warning(const QString &file, int line, const QString &message)
    {
        add(file, line, 0, CheckSeverity::Warning, message);
    }
    void reportBadGroups(const QString &file, const QString &payload);

    QList<CheckProblem> &m_out;
    std::unique_ptr<Module1> m_m; // the decoder's buffers
};

void Checker::reportBadGroups(const QString &file, const QString &payload)
{
    int total = 0;
    const QList<GroupFault> faults = badGroups(payload, &total);
    for (const GroupFault &f : faults) {
        error(file, 1,
              f.notHex ? QStringLiteral("符号化された第%1組「%2」は16進数ではありません。").arg(f.group).arg(f.digits)
                       : QStringLiteral("符号化された第%1組「%2」はShift-JISの文字ではありません。")
                             .arg(f.group).arg(f.digits),
              f.column);
    }
    if (total > faults.size())
        error(file, 1, QStringLiteral("ほかにも読めない組が%1組あります。").arg(total - faults.size()));
    if (total == 0) // the decoder refused a group this scan let pass
        error(file, 1, QStringLiteral("符号化された内容を読めません。"));
}

FileFigures Checker::checkFile(const QString &path)
{
    const qsizetype first = m_out.size();
    FileFigures figures = readFile(path);
    std::stable_sort(m_out.begin() + first, m_out.end(),
                     [](const CheckProblem &a, const CheckProblem &b) { return a.line < b.line; });
    return figures;
}

FileFigures Checker::readFile(const QString &path)
{
    FileFigures figures;
    figures.refused = true;
    if (QFileInfo(path).isDir()) {
        error(path, 0, QStringLiteral("ファイルではなくフォルダーです。"));
        return figures;
    }
    LineFileRead read = readLineFile(path);
    if (read.status == LineFileRead::Status::Missing) {
        error(path, 0, QStringLiteral("ファイルがありません。"));
        return figures;
    }
    if (read.status == LineFileRead::Status::Unreadable) {
        error(path, 0, QStringLiteral("ファイルを読み込めません。"));
        return figures;
    }
    if (read.unmarkedUtf8)
        warning(path, 1,
                QStringLiteral("UTF-8 で保存されていますが、先頭に BOM がないため Shift-JIS として読みます。"
                               "BOM 付き UTF-8 か Shift-JIS で保存しなおして下さい。"));
    const qsizetype physical = read.lines.size();
    if (physical > MaxFileLines) {
        error(path, MaxFileLines + 1,
              QStringLiteral("行数が%1行あり、読み込める%2行をこえています。").arg(physical).arg(MaxFileLines));
        return figures;
    }

    const bool encoded = !read.lines.isEmpty() && read.lines.first().startsWith(QStringView(EncodedMark));
    QStringList lines; // the file's lines as the loader numbers them
    int n = 0;
    if (encoded) {
        Module1 &m = *m_m;
        m.EncodedText = read.lines.first().mid(3);
        DecodeEncodedLines(m);
        if (m.DecodeFailed) {
            reportBadGroups(path, m.EncodedText);
            return figures;
        }
        n = m.DecodedLineCount;
        const int stored = std::clamp(n + 1, 0, MaxFileLines);
        for (int i = 1; i <= stored; ++i)
            lines.append(std::exchange(m.FileLines(i), QString()));
        if (n > MaxFileLines) {
            error(path, 1, QStringLiteral("復号すると行数が%1行をこえます。読み込めるのは%1行までです。").arg(MaxFileLines));
            return figures;
        }
        if (n < 0) {
            error(path, 1, QStringLiteral("符号化された内容が空です。"));
            return figures;
        }
        if (lines.size() > n && !lines[n].isEmpty())
            warning(path, 1,
                    QStringLiteral("復号した最後の行（%1行目）に行末がないため、その行は読まれません。").arg(n + 1));
        lines.resize(n);
    } else {
        n = int(physical);
        lines = std::move(read.lines);
        if (read.badBytes > 0)
            warning(path, int(read.firstBadLine),
                    QStringLiteral("文字にならないバイトが%1個あります（最初はこの行）。「\uFFFD」として読みます。")
                        .arg(read.badBytes));
    }
    const QString after = encoded ? QStringLiteral("復号すると") : QString();

    if (n % 3 != 0) {
        const int lastWhole = n < HeaderLineCount ? 0 : HeaderLineCount + (n - HeaderLineCount) / 3 * 3;
        QString where;
        if (n < HeaderLineCount)
            where = QStringLiteral("見出しの6行もそろっていません。");
        else if (lastWhole == HeaderLineCount)
            where = QStringLiteral("見出しの6行のあと、そろった問題がありません。");
        else
            where = QStringLiteral("最後のそろった問題は%1行目で終わります。").arg(lastWhole);
        error(path, std::max(lastWhole + 1, 1),
              QStringLiteral("%1行数が%2行で、3の倍数ではありません。").arg(after).arg(n) + where);
    } else {
        figures.refused = false;
        figures.questions = n >= HeaderLineCount ? (n - HeaderLineCount) / 3 : 0;
    }

    figures.declaredParts = lines.size() >= 2 ? lines[1] : QString();
    const QString &declared = figures.declaredParts;
    if (!declared.isEmpty() && declared != u"0" && LeadingNumber(declared) == 0)
        warning(path, 2, QStringLiteral("%1部の数「%2」が数ではないため、1部として数えます。")
                             .arg(after, shortened(declared)));
    return figures;
}

// The loader's sum of declared parts: false once it leaves the 16-bit count.
bool addParts(int &sum, const QString &declaredText)
{
    double declared = 1;
    if (!declaredText.isEmpty() && declaredText != u"0") {
        declared = LeadingNumber(declaredText);
        if (declared == 0)
            declared = 1;
    }
    const double total = sum + declared;
    if (!(total > -40000.0 && total < 40000.0))
        return false;
    const std::int64_t rounded = RoundHalfEven(total);
    if (rounded < std::numeric_limits<std::int16_t>::min() || rounded > std::numeric_limits<std::int16_t>::max())
        return false;
    sum = int(rounded);
    return true;
}

} // namespace

QList<CheckProblem> CheckQuestionFiles(const QStringList &paths)
{
    QList<CheckProblem> problems;
    Checker checker(problems);
    int questions = 0;
    bool questionsReported = false;
    int parts = 0;
    for (qsizetype f = 0; f < paths.size(); ++f) {
        const QString &path = paths[f];
        if (f == MaxChosenFiles)
            problems.append({path, 0, 0, CheckSeverity::Error,
                             QStringLiteral("%1個目のファイルです。一度に読み込めるのは%2個までです。")
                                 .arg(f + 1).arg(MaxChosenFiles)});
        const FileFigures figures = checker.checkFile(path);
        if (figures.refused)
            continue;
        questions += figures.questions;
        if (questions > MaxBankQuestions && !questionsReported) {
            questionsReported = true;
            problems.append({path, 0, 0, CheckSeverity::Error,
                             QStringLiteral("ここまでで問題数が合計%1問になり、読み込める%2問をこえます。")
                                 .arg(questions).arg(MaxBankQuestions)});
        }
        if (!addParts(parts, figures.declaredParts))
            problems.append({path, 2, 0, CheckSeverity::Error,
                             QStringLiteral("部の数「%1」を足すと、部の数の合計が%2～%3をはずれます。")
                                 .arg(shortened(figures.declaredParts))
                                 .arg(std::numeric_limits<std::int16_t>::min())
                                 .arg(std::numeric_limits<std::int16_t>::max())});
    }
    return problems;
}

bool RefusedByLoader(const QList<CheckProblem> &problems)
{
    return std::any_of(problems.begin(), problems.end(),
                       [](const CheckProblem &p) { return p.severity == CheckSeverity::Error; });
}

QString ProblemText(const CheckProblem &problem)
{
    QString text = problem.file + u':';
    if (problem.line > 0) {
        text += QString::number(problem.line) + u':';
        if (problem.column > 0)
            text += QString::number(problem.column) + u':';
    }
    text += problem.severity == CheckSeverity::Error ? QStringLiteral(" エラー: ") : QStringLiteral(" 警告: ");
    return text + problem.message;
}

} // namespace sorario
