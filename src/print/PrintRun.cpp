#include "print/PrintRun.h"
