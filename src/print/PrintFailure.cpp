// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintFailure.h"

namespace sorario {
namespace {

QString sentence(PrintFailureKind kind)
{
    switch (kind) {
    case PrintFailureKind::NoPrinter:
        return QStringLiteral("印刷できるプリンターがありません。");
    case PrintFailureKind::PdfFolderMissing:
        return QStringLiteral("PDFファイルを保存するフォルダーがありません。");
    case PrintFailureKind::PdfNameIsFolder:
        return QStringLiteral("PDFファイルと同じ名前のフォルダーがあります。");
    case PrintFailureKind::PdfNotPlaced:
        return QStringLiteral("PDFファイルを保存できませんでした。");
    case PrintFailureKind::DocumentRefused:
        return QStringLiteral("プリンターが印刷を始められませんでした。");
    case PrintFailureKind::PageRefused:
        return QStringLiteral("プリンターが次のページを始められませんでした。");
    case PrintFailureKind::PdfTargetRefused:
        return QStringLiteral("PDFファイルをその名前では保存できません。");
    case PrintFailureKind::OutputRefused:
        return QStringLiteral("プリンターが印刷を受け付けませんでした。");
    case PrintFailureKind::FontSizeInvalid:
        return QStringLiteral("文字のサイズが正しくありません。");
    case PrintFailureKind::FontWithoutHeight:
        return QStringLiteral("問題のフォントの高さが測れません。");
    case PrintFailureKind::FontTooSmall:
        return QStringLiteral("問題のフォントが小さすぎて印刷できません。");
    case PrintFailureKind::FontWithoutWidth:
        return QStringLiteral("問題のフォントの幅が測れません。");
    case PrintFailureKind::FontTooLarge:
        return QStringLiteral("フォントが大きすぎて、１行に１文字も入りません。");
    case PrintFailureKind::TraceNotWritten:
        return QStringLiteral("トレースファイルを書き込めませんでした。");
    case PrintFailureKind::Cancelled:
    case PrintFailureKind::Unexpected:
        break;
    }
    return QStringLiteral("印刷できませんでした。");
}

} // namespace

QString PrintFailureMessage(PrintFailureKind kind, const QString &detail)
{
    return detail.isEmpty() ? sentence(kind) : sentence(kind) + u'\n' + detail;
}

PrintFailure::PrintFailure(PrintFailureKind kind, const QString &detail)
    : std::runtime_error(PrintFailureMessage(kind, detail).toStdString())
    , m_kind(kind)
    , m_detail(detail)
{
}

} // namespace sorario
