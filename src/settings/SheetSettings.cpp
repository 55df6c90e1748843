#include "settings/SheetSettings.h"
