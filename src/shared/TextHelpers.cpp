// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/TextHelpers.h"

#include <cmath>

namespace sorario {

QString NumberText(std::int64_t value)
{
    const QString digits = QString::number(value);
    return value < 0 ? digits : QLatin1Char(' ') + digits;
}

std::int64_t RoundHalfEven(double value)
{
    // nearbyint follows the default rounding mode, which is to-nearest-even.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

double LeadingNumber(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    const qsizetype start = i;
    if (i < n && (text[i] == u'+' || text[i] == u'-'))
        ++i;
    bool seenDigit = false;
    bool seenPoint = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c >= u'0' && c <= u'9') {
            seenDigit = true;
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double v = text.mid(start, i - start).toDouble(&ok);
    if (ok && std::isfinite(v))
        return v;
    // Only a number too long for a double gets here: it is huge, not absent.
    return text[start] == u'-' ? -HUGE_VAL : HUGE_VAL;
}

QString FullWidthDigits(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c >= u'0' && c <= u'9')
            out.append(QChar(char16_t(u'０' + (c.unicode() - u'0'))));
        else
            out.append(c);
    }
    return out;
}

} // namespace sorario
