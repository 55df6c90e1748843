// SPDX-License-Identifier: GPL-3.0-or-later
// The settings and logo files: Vk.ini, then Vk.rog, from one input.
#include "FuzzSupport.h"

#include "platform/Cp932.h"
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QList<QByteArray> files = splitInput(data, size, 2);
    Module1 &m = module();
    m.SettingsFolder = scratchFolder();
    writeFile(SettingsFilePath(m), files[0]);
    if (files.size() > 1)
        writeFile(LogoFilePath(m), files[1]);
    else
        QFile::remove(LogoFilePath(m));

    m.FontName.clear();
    m.FontSize = -1;
    m.SheetLogo.clear();
    LoadFontSettings(m);
    LoadSheetLogo(m);
    const QString name = m.FontName;
    const std::int16_t fontSize = m.FontSize;
    const QString logo = m.SheetLogo;
    if (files.size() == 1)
        FUZZ_CHECK(logo == DefaultSheetLogo);

    // What was read is saved and read back unchanged, unless the code page cannot
    // hold it or a second "@" is left at the front of the face name.
    SaveFontSettings(m);
    SaveSheetLogo(m);
    m.FontName.clear();
    m.FontSize = -1;
    m.SheetLogo.clear();
    LoadFontSettings(m);
    LoadSheetLogo(m);
    if (survivesCodePage(name) && !name.startsWith(u'@')) {
        FUZZ_CHECK(m.FontName == name);
        FUZZ_CHECK(m.FontSize == fontSize);
    }
    if (survivesCodePage(logo))
        FUZZ_CHECK(m.SheetLogo == logo);
    return 0;
}
