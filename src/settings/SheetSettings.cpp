// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SheetSettings.h"

#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "settings/FontRule.h"
#include "settings/ItemReader.h"
#include "settings/TextItemLine.h"
#include "shared/Module1.h"
#include "shared/TextHelpers.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace sorario {
namespace {

// An unknown folder must not turn into the file-system root.
QString fileInSettingsFolder(const Module1 &m, QLatin1String name)
{
    const QString &folder = m.SettingsFolder.isEmpty() ? m.ProgramFolder : m.SettingsFolder;
    if (folder.isEmpty())
        return {};
    QString path = folder;
    if (!path.endsWith(u'/'))
        path += u'/';
    return path + name;
}

std::optional<ItemReader> itemsOf(const LineFileRead &read)
{
    if (read.status != LineFileRead::Status::Ok)
        return std::nullopt;
    return ItemReader(joinCrLf(read.lines));
}

LineFileRead readSettingsFile(const QString &path)
{
    if (!path.isEmpty())
        return readLineFile(path);
    LineFileRead none;
    none.status = LineFileRead::Status::Missing;
    return none;
}

// An installed copy's settings folder exists only once something was saved.
// A failed save is not reported; the old file stays whole.
void writeSettingsFile(const QString &path, const QStringList &lines)
{
    if (path.isEmpty())
        return;
    QDir().mkpath(QFileInfo(path).absolutePath());
    (void)writeLineFileAtomically(path, lines);
}

} // namespace

QString SettingsFilePath(const Module1 &m)
{
    return fileInSettingsFolder(m, QLatin1String("Vk.ini"));
}

QString LogoFilePath(const Module1 &m)
{
    return fileInSettingsFolder(m, QLatin1String("Vk.rog"));
}

void LoadFontSettings(Module1 &m)
{
    LoadFontSettings(m, readSettingsFile(SettingsFilePath(m)));
}

void LoadFontSettings(Module1 &m, const LineFileRead &file)
{
    if (std::optional<ItemReader> items = itemsOf(file)) {
        const std::optional<QString> name = items->readText();
        const std::optional<std::int16_t> read = name ? items->readNumber() : std::nullopt;
        // A size the sheet cannot print counts as no size at all.
        const std::optional<std::int16_t> size = read ? NormalizedFontSize(*read) : std::nullopt;
        if (name && size) {
            m.FontName = NormalizedFontName(*name);
            m.FontSize = *size;
            return;
        }
    }
    m.FontName = DefaultFontName;
    m.FontSize = DefaultFontSize;
}

QStringList FontSettingsLines(const Module1 &m)
{
    return {TextItemLine(m.FontName), NumberText(m.FontSize) + u' '};
}

void SaveFontSettings(const Module1 &m)
{
    writeSettingsFile(SettingsFilePath(m), FontSettingsLines(m));
}

void LoadSheetLogo(Module1 &m)
{
    LoadSheetLogo(m, readSettingsFile(LogoFilePath(m)));
}

void LoadSheetLogo(Module1 &m, const LineFileRead &file)
{
    if (std::optional<ItemReader> items = itemsOf(file)) {
        if (const std::optional<QString> logo = items->readText()) {
            m.SheetLogo = *logo;
            return;
        }
    }
    m.SheetLogo = DefaultSheetLogo;
}

QStringList SheetLogoLines(const Module1 &m)
{
    return {TextItemLine(m.SheetLogo)};
}

void SaveSheetLogo(const Module1 &m)
{
    writeSettingsFile(LogoFilePath(m), SheetLogoLines(m));
}

} // namespace sorario
