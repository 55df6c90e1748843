#pragma once

#include "print/PrintSurface.h"

class QPrinter;

namespace sorario {

// To be written: QPainter on a QPrinter (a real printer or a PDF file).
class QtPrintSurface;

} // namespace sorario
