#pragma once

#include <QFont>

// The two faces the windows and pictures were laid out with, asked for by name.
namespace fonts {

enum class Face { Sans, Mono };

// "MS Sans Serif" or "Courier New" at that pixel size. Windows has both; elsewhere their
// metric-compatible Liberation stand-ins take their place, so the layouts keep their widths.
QFont font(Face face, int pixelSize, bool bold = false);

} // namespace fonts
