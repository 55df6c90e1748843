#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace sorario::cli {

int runPrint(const QStringList &) { throw UsageError(QStringLiteral("print: not built yet")); }

} // namespace sorario::cli
