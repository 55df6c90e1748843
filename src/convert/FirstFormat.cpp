#include "convert/FirstFormat.h"
