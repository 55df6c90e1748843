// SPDX-License-Identifier: GPL-3.0-or-later
// The settings and logo files: Vk.ini, then Vk.rog, from one input, read and
// saved as the files hold them.
#include "FuzzSupport.h"

#include "platform/Cp932.h"
#include "platform/LineFile.h"
#include "platform/SafeWrite.h"
#include "settings/SheetSettings.h"
#include "shared/Module1.h"

#include <memory>

using namespace sorario;
using namespace sorario::fuzz;

namespace {

// Whether the code page writes the text so that it reads back the same.
bool survivesCodePage(const QString &text)
{
    for (const QChar c : text) {
        const std::optional<unsigned> code = cp932Code(c);
        if (!code || cp932Character(*code) != c)
            return false;
    }
    return true;
}

Module1 &module()
{
    static auto m = std::make_unique<Module1>();
    return *m;
}

// A file as the settings read it: missing, or these bytes.
LineFileRead fileOf(const QList<QByteArray> &files, int i)
{
    if (i < files.size())
        return readLineBytes(files[i]);
    LineFileRead none;
    none.status = LineFileRead::Status::Missing;
    return none;
}

// What a save leaves on disk: the new lines, or the old file when they cannot be written.
LineFileRead saved(const QStringList &lines, const LineFileRead &old)
{
    const std::optional<QByteArray> bytes = lineFileBytes(lines);
    return bytes ? readLineBytes(*bytes) : old;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> files = splitInput(data, size, 2);
    const LineFileRead ini = fileOf(files, 0);
    const LineFileRead rog = fileOf(files, 1);
    Module1 &m = module();
    m.options.FontName.clear();
    m.options.FontSize = -1;
    m.options.SheetLogo.clear();
    readFontSettings(ini, m.options);
    readSheetLogo(rog, m.options);
    const QString name = m.options.FontName;
    const std::int16_t fontSize = m.options.FontSize;
    const QString logo = m.options.SheetLogo;
    if (files.size() == 1)
        FUZZ_CHECK(logo == DefaultSheetLogo);

    // What was read is saved and read back unchanged, unless the code page cannot
    // hold it, a second "@" is left at the front of the face name, or it holds a
    // double quote (the file's items have no way to write one in every place).
    const LineFileRead iniAgain = saved(FontSettingsLines(m.options), ini);
    const LineFileRead rogAgain = saved(SheetLogoLines(m.options), rog);
    m.options.FontName.clear();
    m.options.FontSize = -1;
    m.options.SheetLogo.clear();
    readFontSettings(iniAgain, m.options);
    readSheetLogo(rogAgain, m.options);
    if (survivesCodePage(name) && !name.startsWith(u'@') && !name.contains(u'"')) {
        FUZZ_CHECK(m.options.FontName == name);
        FUZZ_CHECK(m.options.FontSize == fontSize);
    }
    if (survivesCodePage(logo) && !logo.contains(u'"'))
        FUZZ_CHECK(m.options.SheetLogo == logo);
    return 0;
}
