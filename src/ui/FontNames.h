// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace sorario {

// The family name that an installed font gives itself in Japanese ("IPA明朝" for
// IPAMincho), or empty when it has none. Qt resolves that name to the same font.
QString japaneseFamilyName(const QString &family);

} // namespace sorario
