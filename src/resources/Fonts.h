#pragma once

#include <QFont>

// The two faces the windows and pictures were laid out with, asked for by name.
namespace fonts {

enum class Face { Sans, Mono };

// The windows' own text (the 8-point dialog face, 8.25 points) and the bold captions such as the
// main window's result line (9.75 points), in pixels at 96 dots per inch. A picture on the main window letters itself in these sizes: each
// further size is a face to load, which costs more than painting the whole picture.
inline constexpr int WindowTextSize = 11;
inline constexpr int WindowCaptionSize = 13;

// "MS Sans Serif" or "Courier New" at that pixel size, or their metric-compatible Liberation
// stand-ins, which keep the layouts' widths. Linux asks for the stand-ins, since those are what
// it has; Windows asks for its own faces first and falls back on the stand-ins.
QFont font(Face face, int pixelSize, bool bold = false);

// Makes the Liberation faces that a Windows copy carries in its "fonts" folder known to the
// program, so that the boxes stay legible where the named faces are missing. Linux has them from
// its font packages: nothing to do there. Needs a QGuiApplication.
void loadCarriedFaces();

} // namespace fonts
