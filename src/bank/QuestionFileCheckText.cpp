// SPDX-License-Identifier: GPL-3.0-or-later
#include "bank/QuestionFileCheckText.h"

#include "bank/EmptyAnswers.h"
#include "shared/ProgramConstants.h"

#include <QFileInfo>

#include <cstdint>
#include <limits>

namespace sorario {
namespace {

QString shortened(const QString &text)
{
    constexpr qsizetype Max = 20;
    return text.size() <= Max ? text : text.left(Max) + u'…';
}

QString message(const CheckProblem &p)
{
    const QString after = p.decoded ? QStringLiteral("復号すると") : QString();
    switch (p.kind) {
    case CheckKind::Missing:
        return QStringLiteral("ファイルがありません。");
    case CheckKind::Folder:
        return QStringLiteral("ファイルではなくフォルダーです。");
    case CheckKind::Unreadable:
        return QStringLiteral("ファイルを読み込めません。");
    case CheckKind::TooManyLines:
        return QStringLiteral("行数が%1行あり、読み込める%2行をこえています。")
            .arg(p.number)
            .arg(MaxFileLines);
    case CheckKind::GroupNotHexadecimal:
        return QStringLiteral("符号化された第%1組「%2」は16進数ではありません。").arg(p.number).arg(p.text);
    case CheckKind::GroupNoCharacter:
        return QStringLiteral("符号化された第%1組「%2」はShift-JISの文字ではありません。")
            .arg(p.number)
            .arg(p.text);
    case CheckKind::MoreBadGroups:
        return QStringLiteral("ほかにも読めない組が%1組あります。").arg(p.number);
    case CheckKind::TooManyDecodedLines:
        return QStringLiteral("復号すると行数が%1行をこえます。読み込めるのは%1行までです。")
            .arg(MaxFileLines);
    case CheckKind::EmptyPayload:
        return QStringLiteral("符号化された内容が空です。");
    case CheckKind::LineTooLong:
        return QStringLiteral("%1この行は%2文字あり、1行に書ける%3文字をこえています。")
            .arg(after)
            .arg(p.number)
            .arg(MaxLineLength);
    case CheckKind::NotWholeQuestions: {
        const int n = int(p.number);
        const int lastWhole = LastWholeLine(n);
        const QString where = n < HeaderLineCount ? QStringLiteral("見出しの6行もそろっていません。")
            : lastWhole == HeaderLineCount
            ? QStringLiteral("見出しの6行のあと、そろった問題がありません。")
            : QStringLiteral("最後のそろった問題は%1行目で終わります。").arg(lastWhole);
        return QStringLiteral("%1行数が%2行で、3の倍数ではありません。").arg(after).arg(n) + where;
    }
    case CheckKind::TooManyFiles:
        return QStringLiteral("%1個目のファイルです。一度に読み込めるのは%2個までです。")
            .arg(p.number)
            .arg(MaxChosenFiles);
    case CheckKind::TooManyQuestions:
        return QStringLiteral("ここまでで問題数が合計%1問になり、読み込める%2問をこえます。")
            .arg(p.number)
            .arg(MaxBankQuestions);
    case CheckKind::PartsOutOfRange:
        return QStringLiteral("部の数「%1」を足すと、部の数の合計が%2～%3をはずれます。")
            .arg(shortened(p.text))
            .arg(std::numeric_limits<std::int16_t>::min())
            .arg(std::numeric_limits<std::int16_t>::max());
    case CheckKind::OldFormat:
        return QStringLiteral("旧形式（バージョン１用）の問題ファイルです。「sorario-cli convert %1」か、"
                              "ソラリオの「ファイル変換」で .qvn に変換して下さい。")
            .arg(QFileInfo(p.file).fileName());
    case CheckKind::UnendedLastLine:
        return QStringLiteral("復号した最後の行（%1行目）に行末がないため、その行は読まれません。")
            .arg(p.number);
    case CheckKind::UnusedLines:
        return QStringLiteral("符号化されたファイルの2行目からの%1行は読まれません。").arg(p.number);
    case CheckKind::DroppedDigits:
        return QStringLiteral("符号化された内容の最後の「%1」は4けたの組にならないため、読まれません。")
            .arg(p.text);
    case CheckKind::BadBytes:
        return QStringLiteral(
            "文字にならないバイトが%1個あります（最初はこの行）。「\uFFFD」として読みます。")
            .arg(p.number);
    case CheckKind::PartsNotANumber:
        return QStringLiteral("%1部の数「%2」が数ではないため、1部として数えます。")
            .arg(after, shortened(p.text));
    case CheckKind::PartsNotWhole:
        return QStringLiteral("%1部の数「%2」が数字だけで書かれていないため、%3部として数えます。")
            .arg(after, shortened(p.text))
            .arg(p.number);
    case CheckKind::LoneMark:
        return QStringLiteral("%1この「@」は対になっていないため、印刷では消えるか、行の残りを太字にします。")
            .arg(after);
    case CheckKind::NoQuestions:
        return QStringLiteral("問題が1問もありません。");
    case CheckKind::MorePartsThanQuestions:
        return QStringLiteral(
            "部の数%1が問題数%2より多いため、問題のない部ができます（白紙のテストになります）。")
            .arg(p.number)
            .arg(p.other);
    case CheckKind::EmptyAnswer:
        return after + EmptyAnswerMessage();
    case CheckKind::KindUnclosed:
        return QStringLiteral("%1この「{{」を閉じる「}}」がありません。").arg(after);
    case CheckKind::KindOneWord:
        return QStringLiteral("%1並べ替えの語が「%2」の1語だけです。「/」で2語以上に分けて下さい。")
            .arg(after, shortened(p.text));
    case CheckKind::KindEmptyWord:
        return QStringLiteral("%1ここに「/」で区切られた空の語があります。").arg(after);
    case CheckKind::KindOneChoice:
        return QStringLiteral("%1選択肢が「%2」の1つだけです。").arg(after, shortened(p.text));
    case CheckKind::KindTooManyChoices:
        return QStringLiteral("%1選択肢が多すぎます。選択肢は%2個までです。").arg(after).arg(p.number);
    case CheckKind::KindDuplicateChoice:
        return QStringLiteral("%1選択肢「%2」が2度あります。").arg(after, shortened(p.text));
    case CheckKind::KindAnswerNotAChoice:
        return QStringLiteral("%1解答「%2」が選択肢の中にありません。").arg(after, shortened(p.text));
    case CheckKind::KindNestedOpen:
        return QStringLiteral("%1「{{ … }}」の中に、もう一つの「{{」があります。").arg(after);
    case CheckKind::KindStrayClose:
        return QStringLiteral("%1この「}}」で閉じる「{{」がありません。").arg(after);
    case CheckKind::KindMisplaced:
        return QStringLiteral(
            "%1「{{」「}}」は、問題の行の並べ替えと、ヒントの行全体の選択肢にだけ書けます。")
            .arg(after);
    case CheckKind::KindBreakInGroup:
        return QStringLiteral("%1「{{ … }}」の中に改行の印「\\/」は書けません。").arg(after);
    case CheckKind::KindMarkInWord:
        return QStringLiteral("%1語「%2」の「@」が対になっていません。並べ替えると太字の範囲が変わります。")
            .arg(after, shortened(p.text));
    case CheckKind::ReadAsShiftJis:
        return QStringLiteral("Shift-JIS として読みました。");
    case CheckKind::ReadAsUtf8:
        return QStringLiteral("UTF-8（BOM 付き）として読みました。");
    case CheckKind::ReadAsUtf8WithoutMark:
        return QStringLiteral("UTF-8（BOM なし）として読みました。");
    case CheckKind::ReadAsUtf16Le:
        return QStringLiteral("UTF-16（リトルエンディアン、BOM 付き）として読みました。");
    case CheckKind::ReadAsUtf16Be:
        return QStringLiteral("UTF-16（ビッグエンディアン、BOM 付き）として読みました。");
    }
    return {};
}

// A file's name or text may hold escape sequences; a terminal would obey them.
QString withoutControls(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            out += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QChar(u'0'));
        else
            out += c;
    }
    return out;
}

} // namespace

QString ProblemMessage(const CheckProblem &problem)
{
    return message(problem);
}

QString ProblemText(const CheckProblem &problem)
{
    QString text = problem.file + u':';
    if (problem.line > 0) {
        text += QString::number(problem.line) + u':';
        if (problem.column > 0)
            text += QString::number(problem.column) + u':';
    }
    switch (SeverityOf(problem.kind)) {
    case CheckSeverity::Error:
        text += QStringLiteral(" エラー: ");
        break;
    case CheckSeverity::Warning:
        text += QStringLiteral(" 警告: ");
        break;
    case CheckSeverity::Note:
        text += QStringLiteral(" 注記: ");
        break;
    }
    return withoutControls(text + message(problem));
}

} // namespace sorario
