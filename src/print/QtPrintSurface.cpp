#include "print/QtPrintSurface.h"
