// SPDX-License-Identifier: GPL-3.0-or-later
#include "export/OdfPackage.h"

#include <QList>
#include <QXmlStreamWriter>

#include <zlib.h>

#include <array>
#include <cstdint>

namespace sorario {
namespace {

constexpr std::uint32_t LocalSignature = 0x04034b50;
constexpr std::uint32_t CentralSignature = 0x02014b50;
constexpr std::uint32_t EndSignature = 0x06054b50;
constexpr int CentralFixedSize = 46;
constexpr int EndFixedSize = 22;
constexpr std::uint16_t ZipVersion = 20;
constexpr std::uint16_t DosDate1980 = 0x21;

const QString ManifestName = QStringLiteral("META-INF/manifest.xml");
const QString OfficeNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:office:1.0");
const QString StyleNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:style:1.0");
const QString FoNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:xsl-fo-compatible:1.0");
const QString ManifestNs = QStringLiteral("urn:oasis:names:tc:opendocument:xmlns:manifest:1.0");

std::uint32_t read32(const QByteArray &b, qsizetype at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(b.constData() + at);
    return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24);
}

std::uint16_t read16(const QByteArray &b, qsizetype at)
{
    const auto *p = reinterpret_cast<const unsigned char *>(b.constData() + at);
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

void put32(QByteArray &b, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        b.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void put16(QByteArray &b, std::uint16_t v)
{
    b.append(static_cast<char>(v & 0xFF));
    b.append(static_cast<char>(v >> 8));
}

struct CentralEntry
{
    QByteArray record; // the whole central directory record
    QString name;
};

// Appends a stored (uncompressed) entry's local header and data; returns its central record.
QByteArray addStored(QByteArray &out, const QString &name, const QByteArray &data)
{
    const QByteArray nameBytes = name.toUtf8();
    const auto crc = static_cast<std::uint32_t>(
        crc32_z(crc32_z(0, nullptr, 0), reinterpret_cast<const Bytef *>(data.constData()), data.size()));
    const auto size = static_cast<std::uint32_t>(data.size());
    const auto offset = static_cast<std::uint32_t>(out.size());
    const auto common = [&](QByteArray &b) {
        put16(b, 0); // flags
        put16(b, 0); // stored
        put16(b, 0); // time
        put16(b, DosDate1980);
        put32(b, crc);
        put32(b, size);
        put32(b, size);
        put16(b, static_cast<std::uint16_t>(nameBytes.size()));
        put16(b, 0); // extra
    };
    put32(out, LocalSignature);
    put16(out, ZipVersion);
    common(out);
    out += nameBytes + data;

    QByteArray central;
    put32(central, CentralSignature);
    put16(central, ZipVersion); // made by
    put16(central, ZipVersion); // needed
    common(central);
    put16(central, 0); // comment
    put16(central, 0); // disk
    put16(central, 0); // internal attributes
    put32(central, 0); // external attributes
    put32(central, offset);
    return central + nameBytes;
}

QString mm(double v)
{
    return QString::number(v) + QStringLiteral("mm");
}

QByteArray stylesXml(const PageFrame &frame)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeNamespace(OfficeNs, QStringLiteral("office"));
    w.writeNamespace(StyleNs, QStringLiteral("style"));
    w.writeNamespace(FoNs, QStringLiteral("fo"));
    w.writeStartDocument();
    w.writeStartElement(OfficeNs, QStringLiteral("document-styles"));
    w.writeAttribute(OfficeNs, QStringLiteral("version"), QStringLiteral("1.2"));
    w.writeStartElement(OfficeNs, QStringLiteral("automatic-styles"));
    w.writeStartElement(StyleNs, QStringLiteral("page-layout"));
    w.writeAttribute(StyleNs, QStringLiteral("name"), QStringLiteral("Sheet"));
    w.writeEmptyElement(StyleNs, QStringLiteral("page-layout-properties"));
    w.writeAttribute(FoNs, QStringLiteral("page-width"), mm(frame.paper.width()));
    w.writeAttribute(FoNs, QStringLiteral("page-height"), mm(frame.paper.height()));
    w.writeAttribute(StyleNs, QStringLiteral("print-orientation"), QStringLiteral("portrait"));
    w.writeAttribute(FoNs, QStringLiteral("margin-top"), mm(frame.top));
    w.writeAttribute(FoNs, QStringLiteral("margin-bottom"), mm(frame.bottom));
    w.writeAttribute(FoNs, QStringLiteral("margin-left"), mm(frame.left));
    w.writeAttribute(FoNs, QStringLiteral("margin-right"), mm(frame.right));
    w.writeEndElement(); // page-layout
    w.writeEndElement(); // automatic-styles
    w.writeStartElement(OfficeNs, QStringLiteral("master-styles"));
    // The page style every paragraph without one of its own is set on.
    w.writeEmptyElement(StyleNs, QStringLiteral("master-page"));
    w.writeAttribute(StyleNs, QStringLiteral("name"), QStringLiteral("Standard"));
    w.writeAttribute(StyleNs, QStringLiteral("page-layout-name"), QStringLiteral("Sheet"));
    w.writeEndElement(); // master-styles
    w.writeEndDocument();
    return xml;
}

QByteArray manifestXml(const QStringList &entries)
{
    QByteArray xml;
    QXmlStreamWriter w(&xml);
    w.writeNamespace(ManifestNs, QStringLiteral("manifest"));
    w.writeStartDocument();
    w.writeStartElement(ManifestNs, QStringLiteral("manifest"));
    w.writeAttribute(ManifestNs, QStringLiteral("version"), QStringLiteral("1.2"));
    const auto entry = [&](const QString &path, const QString &type) {
        w.writeEmptyElement(ManifestNs, QStringLiteral("file-entry"));
        w.writeAttribute(ManifestNs, QStringLiteral("full-path"), path);
        w.writeAttribute(ManifestNs, QStringLiteral("media-type"), type);
    };
    entry(QStringLiteral("/"), QStringLiteral("application/vnd.oasis.opendocument.text"));
    for (const QString &name : entries)
        entry(name, name.endsWith(QStringLiteral(".xml")) ? QStringLiteral("text/xml") : QString());
    w.writeEndDocument();
    return xml;
}

} // namespace

QByteArray withPageFrame(const QByteArray &package, const PageFrame &frame)
{
    // The end record is the last 22 bytes: the writer puts no archive comment.
    const qsizetype end = package.size() - EndFixedSize;
    if (end < 0 || read32(package, end) != EndSignature)
        return {};
    const std::uint16_t count = read16(package, end + 10);
    const std::uint32_t centralAt = read32(package, end + 16);
    if (centralAt > std::uint32_t(end))
        return {};

    QList<CentralEntry> kept;
    qsizetype at = centralAt;
    for (int i = 0; i < count; ++i) {
        if (at + CentralFixedSize > end || read32(package, at) != CentralSignature)
            return {};
        const qsizetype size = CentralFixedSize + read16(package, at + 28) + read16(package, at + 30)
            + read16(package, at + 32);
        if (at + size > end)
            return {};
        const QString name = QString::fromUtf8(package.mid(at + CentralFixedSize, read16(package, at + 28)));
        if (name != ManifestName)
            kept.append({package.mid(at, size), name});
        at += size;
    }

    QStringList listed;
    for (const CentralEntry &e : std::as_const(kept))
        if (e.name != QStringLiteral("mimetype"))
            listed.append(e.name);
    listed.append(QStringLiteral("styles.xml"));

    QByteArray out = package.left(centralAt);
    QByteArray central;
    for (const CentralEntry &e : std::as_const(kept))
        central += e.record;
    central += addStored(out, QStringLiteral("styles.xml"), stylesXml(frame));
    central += addStored(out, ManifestName, manifestXml(listed));

    const auto centralOffset = static_cast<std::uint32_t>(out.size());
    out += central;
    put32(out, EndSignature);
    put16(out, 0);
    put16(out, 0);
    put16(out, static_cast<std::uint16_t>(kept.size() + 2));
    put16(out, static_cast<std::uint16_t>(kept.size() + 2));
    put32(out, static_cast<std::uint32_t>(central.size()));
    put32(out, centralOffset);
    put16(out, 0); // comment
    return out;
}

} // namespace sorario
