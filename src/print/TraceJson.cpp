// SPDX-License-Identifier: GPL-3.0-or-later
// Written by hand: QJsonObject would sort the keys out of their fixed order, write
// -0 as 0 and escape \b and \f by name.
#include "print/TraceJson.h"

#include "print/PrintLog.h"

#include <charconv>

namespace sorario {
namespace {

void appendNumber(QByteArray &out, double v)
{
    char buf[32];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr - buf);
}

void appendString(QByteArray &out, const QString &s)
{
    out += '"';
    const QByteArray utf8 = s.toUtf8();
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        default:
            if (c < 0x20) {
                static const char hex[] = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 0xF];
            } else {
                out += ch;
            }
        }
    }
    out += '"';
}

void appendBool(QByteArray &out, bool b)
{
    out += b ? "true" : "false";
}

void appendOperation(QByteArray &out, const PrintOperation &op)
{
    using K = PrintOperation::Kind;
    switch (op.kind) {
    case K::Text:
        out += "{\"op\":\"text\",\"page\":";
        out += QByteArray::number(op.page);
        out += ",\"x\":";
        appendNumber(out, op.x);
        out += ",\"y\":";
        appendNumber(out, op.y);
        out += ",\"font\":";
        appendString(out, op.font);
        out += ",\"size\":";
        appendNumber(out, op.size);
        out += ",\"emphasis\":";
        appendBool(out, op.emphasis);
        out += ",\"text\":";
        appendString(out, op.text);
        out += ",\"lineEnd\":";
        appendBool(out, op.lineEnd);
        out += '}';
        break;
    case K::Line:
        out += "{\"op\":\"line\",\"page\":";
        out += QByteArray::number(op.page);
        out += ",\"x1\":";
        appendNumber(out, op.x1);
        out += ",\"y1\":";
        appendNumber(out, op.y1);
        out += ",\"x2\":";
        appendNumber(out, op.x2);
        out += ",\"y2\":";
        appendNumber(out, op.y2);
        out += ",\"box\":";
        appendBool(out, op.box);
        out += ",\"color\":";
        out += QByteArray::number(op.color);
        out += '}';
        break;
    case K::NewPage:
        out += "{\"op\":\"newPage\"}";
        break;
    case K::EndDoc:
        out += "{\"op\":\"endDoc\"}";
        break;
    case K::KillDoc:
        out += "{\"op\":\"killDoc\"}";
        break;
    }
}

} // namespace

QByteArray TraceJson(const PrintLog &log)
{
    QByteArray out = "[";
    bool first = true;
    for (const PrintOperation &op : log.operations()) {
        out += first ? "\n" : ",\n";
        first = false;
        appendOperation(out, op);
    }
    out += "\n]\n";
    return out;
}

} // namespace sorario
