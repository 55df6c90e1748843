#pragma once

#include "platform/Cp932.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace sorario::test {

// Writes lines as Shift-JIS with CR LF after each; returns the path.
inline QString writeSjisLines(const QString &path, const QStringList &lines)
{
    QByteArray bytes;
    for (const QString &line : lines) {
        bytes += encodeCp932(line).bytes;
        bytes += "\r\n";
    }
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

inline QByteArray readBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline QByteArray sjis(const QString &text) { return encodeCp932(text).bytes; }

} // namespace sorario::test
