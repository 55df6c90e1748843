// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "bank/QuestionFiles.h"

#include <QString>
#include <QStringList>

namespace sorario {

// Why a question file was not encoded or decoded.
enum class CodecFault {
    None,
    NotLoadable, // the loader refuses the input: `load` says why
    NotEncoded,
    Empty, // an empty payload reads as broken, so an empty file has no encoded form
    Unwritable, // a character Shift-JIS cannot hold, on `line`
    OutputIsInput, // writing would replace the only plain copy
    WriteFailed,
};

struct CodecOutcome
{
    CodecFault fault = CodecFault::None;
    LoadOutcome load;
    int line = 0;
    QString path; // the input
    QString output;
};

QString CodecFailureMessage(const CodecOutcome &outcome);

// Writes `path`, which must load on its own, as an encoded file that loads to the
// same lines; an encoded input is written again as it decodes.
CodecOutcome EncodeQuestionFile(const QString &path, const QString &outPath);

struct DecodedFile
{
    CodecOutcome outcome;
    int lineCount = -1; // the decoder's count
    QStringList pieces; // the uncounted last piece included
};

DecodedFile DecodeQuestionFile(const QString &path);

// The decoded lines of `path` as a plain question file.
CodecOutcome WriteDecodedFile(const QString &path, const QString &outPath);

} // namespace sorario
