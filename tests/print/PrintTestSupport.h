// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintLog.h"
#include "print/PrintRun.h"
#include "print/RecordingSurface.h"
#include "setup/SheetPrinting.h"
#include "setup/SheetProcedures.h"
#include "shared/Module1.h"

#include "support/Fixtures.h"

#include <QList>
#include <QProcess>
#include <QStringList>

#include <algorithm>
#include <memory>

namespace sorario::test {

using namespace Qt::StringLiterals;

// A module with the given questions drawn, one file chosen, all parts, the
// fixed-metric font at 10 points: CharHeight 4, pitch 5 mm, 40 and 45 lines.
inline std::unique_ptr<Module1> moduleWith(
    const QList<QuestionRecord> &questions, int layout = 2, int attachAnswers = 2)
{
    auto m = std::make_unique<Module1>();
    m->ChosenFileCount = 1;
    m->FileHeaders(1, 1) = u"文法テスト"_s;
    m->AllPartsChosen = 1;
    m->options.AnswerLayout = static_cast<std::int16_t>(layout);
    m->options.AttachAnswers = static_cast<std::int16_t>(attachAnswers);
    m->options.FontName = u"ＭＳ Ｐ明朝"_s;
    m->options.FontSize = 10;
    m->QuestionCount = static_cast<std::int16_t>(questions.size());
    for (int i = 0; i < questions.size(); ++i)
        m->DrawnQuestions(i + 1) = questions[i];
    return m;
}

// "Q<n>" / "A<n>" with the given hint; question `n` (from 1) may take its own text.
inline QList<QuestionRecord> plainQuestions(
    int count, const QString &hint = {}, int n = 0, const QString &text = {})
{
    QList<QuestionRecord> q;
    for (int i = 1; i <= count; ++i)
        q.append({i == n ? text : u"Q%1"_s.arg(i), hint, u"A%1"_s.arg(i)});
    return q;
}

// What one pass prints on a fresh surface with the run's metrics.
template <typename Pass> PrintLog printed(Module1 &m, Pass pass)
{
    RecordingSurface s;
    SetPrintMetrics(m, s);
    pass(m, s);
    return s.log();
}

// Each text of a page (0: all) as "text|x,y", with "|E" when emphasised and "|end" at a line end.
inline QStringList placedOn(const PrintLog &log, int page = 0)
{
    QStringList out;
    for (const PrintOperation &op : log.texts(page))
        out.append(u"%1|%2,%3%4%5"_s.arg(op.text).arg(op.x).arg(op.y).arg(
            op.emphasis ? u"|E"_s : QString(), op.lineEnd ? u"|end"_s : QString()));
    return out;
}

inline QStringList textsOn(const PrintLog &log, int page = 0)
{
    QStringList out;
    for (const PrintOperation &op : log.texts(page))
        out.append(op.text);
    return out;
}

// The distinct line tops used on a page, in order.
inline QList<double> lineTops(const PrintLog &log, int page)
{
    QList<double> ys;
    for (const PrintOperation &op : log.texts(page))
        if (ys.isEmpty() || ys.last() != op.y)
            ys.append(op.y);
    return ys;
}

inline int countOps(const PrintLog &log, PrintOperation::Kind kind)
{
    return int(std::ranges::count(log.operations(), kind, &PrintOperation::kind));
}

// Runs a tool (poppler's, CUPS'); empty output when it fails or is missing.
inline QString tool(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace sorario::test
