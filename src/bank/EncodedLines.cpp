#include "bank/EncodedLines.h"
