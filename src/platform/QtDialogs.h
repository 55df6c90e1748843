#pragma once

#include "platform/Dialogs.h"

namespace sorario {

// To be written: the real Qt dialogs.

} // namespace sorario
