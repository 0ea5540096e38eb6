#pragma once

#include <QFont>

// The two faces the windows and pictures were laid out with, asked for by name.
namespace fonts {

enum class Face { Sans, Mono };

// "MS Sans Serif" or "Courier New" at that pixel size, or their metric-compatible Liberation
// stand-ins, which keep the layouts' widths. Linux asks for the stand-ins, since those are what
// it has; Windows asks for its own faces first and falls back on the stand-ins.
QFont font(Face face, int pixelSize, bool bold = false);

// Makes the Liberation faces that a Windows copy carries in its "fonts" folder known to the
// program, so that the boxes stay legible where the named faces are missing. Linux has them from
// its font packages: nothing to do there. Needs a QGuiApplication.
void loadCarriedFaces();

} // namespace fonts
