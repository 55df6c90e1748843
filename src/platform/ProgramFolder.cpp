#include "platform/ProgramFolder.h"

#include <QCoreApplication>

namespace sorario {

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

} // namespace sorario
