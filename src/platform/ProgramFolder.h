#pragma once

#include <QString>

namespace sorario {

// The folder of the running executable, without a trailing separator.
QString programFolder();

} // namespace sorario
