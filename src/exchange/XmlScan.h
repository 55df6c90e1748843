// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/OnlineBank.h"

#include <QByteArrayView>

#include <optional>

namespace sorario {

// What an XML file's bytes show before a parser sees them, and why it refuses them.
struct XmlScanRefusal
{
    OnlineFault fault = OnlineFault::NotWellFormed;
    int line = 0;
};

// One linear pass over the bytes: a tag with more attributes than any bank writes
// (a parser checks them pairwise), a reference to a control character, and entities
// whose references together expand past maxCharacters are refused, with their line.
std::optional<XmlScanRefusal> scanXml(QByteArrayView bytes, qint64 maxCharacters);

} // namespace sorario
