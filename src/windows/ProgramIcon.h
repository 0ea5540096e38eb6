#pragma once

#include <QIcon>

namespace windows {

// The program's own icon, for the windows that show it: the sizes rendered at build time.
QIcon programIcon();

} // namespace windows
