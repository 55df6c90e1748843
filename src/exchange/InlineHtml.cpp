// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/InlineHtml.h"

#include <QList>

namespace sorario {
namespace {

constexpr char16_t LineBreakMark[] = u"\\/";

bool isEdgeBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString escaped(QChar c)
{
    switch (c.unicode()) {
    case u'&':
        return QStringLiteral("&amp;");
    case u'<':
        return QStringLiteral("&lt;");
    case u'>':
        return QStringLiteral("&gt;");
    default:
        return QString(c);
    }
}

// "&name;" or "&#n;" at `at`: the text it stands for and its length; nothing read
// when it is none of these.
std::pair<QString, qsizetype> reference(QStringView html, qsizetype at)
{
    // A reference is short: looking further for its ";" would make a run of "&" quadratic.
    const qsizetype end = html.sliced(at, std::min<qsizetype>(html.size() - at, 11)).indexOf(u';') + at;
    if (end < at)
        return {QString(u'&'), 1};
    const QStringView name = html.sliced(at + 1, end - at - 1);
    static const QList<std::pair<QStringView, QChar>> named
        = {{u"amp", u'&'}, {u"lt", u'<'}, {u"gt", u'>'}, {u"quot", u'"'}, {u"apos", u'\''}, {u"nbsp", u' '}};
    for (const auto &[n, c] : named)
        if (name == n)
            return {QString(c), end - at + 1};
    if (name.startsWith(u'#')) {
        bool ok = false;
        const bool hex = name.size() > 1 && (name[1] == u'x' || name[1] == u'X');
        const uint code = name.sliced(hex ? 2 : 1).toUInt(&ok, hex ? 16 : 10);
        if (ok && code > 0 && code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF))
            return {QString::fromUcs4(reinterpret_cast<const char32_t *>(&code), 1), end - at + 1};
    }
    return {QString(u'&'), 1};
}

} // namespace

QString lineToInlineHtml(QStringView line)
{
    qsizetype first = 0;
    while (first < line.size() && isEdgeBlank(line[first]))
        ++first;
    qsizetype last = line.size();
    while (last > first && isEdgeBlank(line[last - 1]))
        --last;
    const auto reference = [](QChar c) { return QStringLiteral("&#%1;").arg(c.unicode()); };
    QString html;
    for (qsizetype i = 0; i < first; ++i)
        html += reference(line[i]);
    bool bold = false;
    for (qsizetype i = first; i < last; ++i) {
        if (line.sliced(i).startsWith(LineBreakMark) && i + 1 < last) {
            html += QStringLiteral("<br>");
            ++i;
        } else if (line[i] == u'@' && (bold || line.sliced(i + 1, last - i - 1).contains(u'@'))) {
            html += bold ? QStringLiteral("</b>") : QStringLiteral("<b>");
            bold = !bold;
        } else {
            html += escaped(line[i]);
        }
    }
    for (qsizetype i = last; i < line.size(); ++i)
        html += reference(line[i]);
    return html;
}

QString inlineHtmlToLine(QStringView html)
{
    QString line;
    qsizetype nextClose = -1; // the first ">" at or after i once looked for; the size when none
    for (qsizetype i = 0; i < html.size(); ++i) {
        const QChar c = html[i];
        if (c == u'&') {
            const auto [text, length] = reference(html, i);
            line += text;
            i += length - 1;
            continue;
        }
        if (c == u'<' && nextClose < i) {
            nextClose = html.indexOf(u'>', i);
            nextClose = nextClose < 0 ? html.size() : nextClose;
        }
        const qsizetype close = c == u'<' && nextClose < html.size() ? nextClose : -1;
        const bool tag = close > i + 1 && (html[i + 1].isLetter() || html[i + 1] == u'/');
        if (!tag) {
            line += c == u'\r' || c == u'\n' ? QChar(u' ') : c;
            continue;
        }
        const QStringView inside = html.sliced(i + 1, close - i - 1);
        const QString name = inside.sliced(inside.startsWith(u'/') ? 1 : 0)
                                 .split(u' ')
                                 .first()
                                 .toString()
                                 .remove(u'/')
                                 .toLower();
        if (name == u"br" || (name == u"p" && !inside.startsWith(u'/') && !line.isEmpty()))
            line += LineBreakMark;
        else if (name == u"b" || name == u"strong")
            line += u'@';
        i = close;
    }
    return line;
}

QString plainTextToLine(QStringView text)
{
    const QString mark = QString::fromUtf16(LineBreakMark);
    QString line = text.toString();
    line.replace(QStringLiteral("\r\n"), mark).replace(u'\r', mark).replace(u'\n', mark);
    return line;
}

} // namespace sorario
