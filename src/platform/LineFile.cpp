#include "platform/LineFile.h"

#include "platform/Cp932.h"

#include <QFile>
#include <QFileInfo>

namespace sorario {

QStringList splitLines(const QString &text)
{
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

QString joinCrLf(const QStringList &lines)
{
    QString text;
    qsizetype size = 0;
    for (const QString &line : lines)
        size += line.size() + 2;
    text.reserve(size);
    for (const QString &line : lines) {
        text.append(line);
        text.append(QStringLiteral("\r\n"));
    }
    return text;
}

LineFileRead readLineFile(const QString &path)
{
    LineFileRead result;
    QFile file(path);
    if (!file.exists() || QFileInfo(path).isDir()) {
        result.status = LineFileRead::Status::Missing;
        return result;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = LineFileRead::Status::Unreadable;
        return result;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        result.status = LineFileRead::Status::Unreadable;
        return result;
    }
    file.close();
    const Cp932Decoded decoded = decodeCp932(bytes);
    result.lines = splitLines(decoded.text);
    result.badBytes = decoded.badCount;
    if (decoded.firstBadOffset >= 0) {
        const QByteArrayView before(bytes.constData(), decoded.firstBadOffset);
        result.firstBadLine = before.count('\n') + 1;
    }
    return result;
}

} // namespace sorario
