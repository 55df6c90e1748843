// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/SheetSettings.h"

#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "settings/FontRule.h"
#include "settings/ItemReader.h"
#include "settings/TextItemLine.h"
#include "shared/TextHelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace sorario {
namespace {

// An unknown folder must not turn into the file-system root.
QString fileInSettingsFolder(const SettingsFolders &folders, QLatin1String name)
{
    const QString &folder = folders.settingsFolder.isEmpty() ? folders.programFolder : folders.settingsFolder;
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
    LineFileRead broken;
    broken.status = LineFileRead::Status::Unreadable;
    QFile file(path);
    if (!IsReadableSettingsFile(path) || !file.open(QIODevice::ReadOnly))
        return broken;
    // Read past the limit by one byte only, in case the file grew since it was looked at.
    const QByteArray bytes = file.read(MaxSettingsFileBytes + 1);
    if (bytes.size() > MaxSettingsFileBytes || file.error() != QFileDevice::NoError)
        return broken;
    return readLineBytes(bytes);
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

QString SettingsFilePath(const SettingsFolders &folders)
{
    return fileInSettingsFolder(folders, QLatin1String("Vk.ini"));
}

QString LogoFilePath(const SettingsFolders &folders)
{
    return fileInSettingsFolder(folders, QLatin1String("Vk.rog"));
}

bool IsReadableSettingsFile(const QString &path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.isFile() && info.size() <= MaxSettingsFileBytes;
}

void readFontSettings(const SettingsFolders &folders, SheetOptions &options)
{
    readFontSettings(readSettingsFile(SettingsFilePath(folders)), options);
}

void readFontSettings(const LineFileRead &file, SheetOptions &options)
{
    if (std::optional<ItemReader> items = itemsOf(file)) {
        const std::optional<QString> name = items->readText();
        const std::optional<std::int16_t> read = name ? items->readNumber() : std::nullopt;
        // A size the sheet cannot print counts as no size at all, an empty face (which
        // prints in some fallback face) as no face.
        const SettingsOutcome<std::int16_t> size = NormalizedFontSize(read.value_or(0));
        const QString face = name ? NormalizedFontName(*name) : QString();
        if (!face.isEmpty() && read && size.ok()) {
            options.FontName = face;
            options.FontSize = size.value;
            return;
        }
    }
    options.FontName = DefaultFontName;
    options.FontSize = DefaultFontSize;
}

QStringList FontSettingsLines(const SheetOptions &options)
{
    return {TextItemLine(options.FontName), NumberText(options.FontSize) + u' '};
}

void saveFontSettings(const SettingsFolders &folders, const SheetOptions &options)
{
    writeSettingsFile(SettingsFilePath(folders), FontSettingsLines(options));
}

SettingsOutcome<> CheckSheetLogo(const QString &logo)
{
    if (logo.size() > MaxSheetLogoLength)
        return SettingsOutcome<>::failed(SettingsFault::SheetLogoLength);
    return {};
}

void readSheetLogo(const SettingsFolders &folders, SheetOptions &options)
{
    readSheetLogo(readSettingsFile(LogoFilePath(folders)), options);
}

void readSheetLogo(const LineFileRead &file, SheetOptions &options)
{
    if (std::optional<ItemReader> items = itemsOf(file)) {
        if (const std::optional<QString> logo = items->readText(); logo && CheckSheetLogo(*logo).ok()) {
            options.SheetLogo = *logo;
            return;
        }
    }
    options.SheetLogo = DefaultSheetLogo;
}

QStringList SheetLogoLines(const SheetOptions &options)
{
    return {TextItemLine(options.SheetLogo)};
}

void saveSheetLogo(const SettingsFolders &folders, const SheetOptions &options)
{
    writeSettingsFile(LogoFilePath(folders), SheetLogoLines(options));
}

} // namespace sorario
