// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFiles.h"
#include "shared/Outcome.h"

#include <QString>
#include <QStringList>

namespace sorario {

// Why a question file was not encoded or decoded.
enum class CodecFault {
    NotLoadable, // the loader refuses the input: the detail is its message
    NotEncoded,
    Empty, // an empty payload reads as broken, so an empty file has no encoded form
    Unwritable, // a character Shift-JIS cannot hold, on the line the detail numbers
    OutputIsInput, // writing would replace the only plain copy
    WriteFailed,
};

using CodecOutcome = Outcome<CodecFault>;

QString CodecFailureMessage(const CodecOutcome &failed, const QString &path, const QString &outPath = {});

// Writes `path`, which must load on its own, as an encoded file that loads to the
// same lines; an encoded input is written again as it decodes.
CodecOutcome EncodeQuestionFile(const QString &path, const QString &outPath);

struct DecodedLines
{
    int lineCount = -1; // the decoder's count
    QStringList pieces; // the uncounted last piece included
};
using DecodedFile = Outcome<CodecFault, DecodedLines>;

DecodedFile DecodeQuestionFile(const QString &path);

// The decoded lines of `path` as a plain question file.
CodecOutcome WriteDecodedFile(const QString &path, const QString &outPath);

} // namespace sorario
