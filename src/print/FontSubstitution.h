// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace sorario {

// Maps the Windows face names that settings files carry ("ＭＳ Ｐ明朝" and the
// others, in full-width and ASCII spelling) to installed metric-compatible fonts.
// Idempotent; called by QtPrintSurface and by the windows. Nothing on Windows.
void installFontSubstitutions();

// The installed face that plain text of a stored name prints in: the name itself, its
// stand-in, or the system's own choice where neither is installed.
QString printedFace(const QString &storedName);

// The face emphasis is printed in: the IPA fonts have no bold, and Qt's emboldened
// strokes are not those of a bold face, so the Mincho faces take Noto Serif CJK JP
// Bold and the Gothic ones Noto Sans CJK JP Bold where installed; any other face,
// or without Noto, its own bold.
QString emphasisFace(const QString &storedName);

// The line height, in ems, of the Windows face a stored name stands for, where it
// differs from what its stand-in reports: the MS Mincho and Gothic faces are exactly
// one em high, their IPA stand-ins about 1.1 em. Line pitch and page capacity are
// worked out from this height, so it has to be the original's.
std::optional<double> originalLineHeightEm(const QString &storedName);

} // namespace sorario
