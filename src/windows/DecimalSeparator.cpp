#include "windows/DecimalSeparator.h"

#include <QLocale>

namespace windows {

std::string decimalSeparator()
{
    return QLocale::system().decimalPoint().toStdString();
}

} // namespace windows
