#include "export/TestTextFile.h"
