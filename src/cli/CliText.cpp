#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace sorario::cli {

int runText(const QStringList &) { throw UsageError(QStringLiteral("text: not built yet")); }
int runConvert(const QStringList &) { throw UsageError(QStringLiteral("convert: not built yet")); }

} // namespace sorario::cli
