#pragma once

#include <QColor>
#include <QImage>

class QPainter;

// Every picture of the program is painted in code at its natural pixel size, so it stays sharp
// at any device pixel ratio and its geometry is exactly what the marker formulas assume
// (15 twips per pixel). Areas a painter leaves untouched are transparent.
namespace pictures {

struct Picture {
    int width = 0; // natural size in pixels
    int height = 0;
    void (*paint)(QPainter&) = nullptr; // paints in pixel coordinates 0..width x 0..height
    // Whether the transparent parts are meant to show the window's button face.
    bool onButtonFace = false;
};

// The light button face the pictures (and the texts beside them) are made for.
inline const QColor ButtonFace{240, 240, 240};

extern const Picture BmiChart;       // 307 x 300, Form1 Image1, transparent background
extern const Picture Legend;         // 260 x 39, Form1 Image2, transparent inside its frame
extern const Picture TableMiniature; // 55 x 61, Form1 Image3, opaque reduced WeightTable
extern const Picture ChartMiniature; // 55 x 61, Form1 Image7, opaque reduced WeightChart
extern const Picture HelpButton;     // 32 x 32 glossy blue round button, white question mark
extern const Picture AboutButton;    // 32 x 32 glossy green round button, white tick
extern const Picture QuitButton;     // 32 x 32 glossy red round button, white cross
extern const Picture Icon;           // 32 x 32 red BMI with yellow outlines on a dark ground
extern const Picture WeightTable;    // 431 x 481, Form2 Image1
extern const Picture WeightChart;    // 799 x 444, Form5 Image1
extern const Picture RangeWarning;   // 46 x 46, Form5 Image2, transparent around the diamond
extern const Picture BuiltInBanner;  // 468 x 60, Form6 Picture1 when no banner was downloaded

// The height a row (0..23) of the weights table shows in its first cell, or nothing past the table.
const char* weightTableRowHeight(int row);

// Renders a picture into an image of width*dpr x height*dpr with that device pixel ratio (crisp
// on high-DPI screens), painted over `ground`: ARGB, or RGB on an opaque ground. Needs a
// QGuiApplication for the fonts.
QImage render(const Picture& picture, qreal devicePixelRatio = 1.0, const QColor& ground = Qt::transparent);

} // namespace pictures
