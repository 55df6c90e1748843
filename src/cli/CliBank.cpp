#include "cli/CliCommon.h"
#include "cli/Commands.h"

namespace sorario::cli {

int runLoad(const QStringList &) { throw UsageError(QStringLiteral("load: not built yet")); }
int runDecode(const QStringList &) { throw UsageError(QStringLiteral("decode: not built yet")); }
int runEncode(const QStringList &) { throw UsageError(QStringLiteral("encode: not built yet")); }

} // namespace sorario::cli
