#pragma once

#include "model/ChartGeometry.h"

#include <QRect>

#include <algorithm>
#include <cmath>

// Every window and control position is given in twips; the layouts assume 15 twips per pixel
// (96 dots per inch) and Qt's own high-DPI scaling enlarges the result on denser screens.
namespace twips {

inline constexpr int PerPixel = model::TwipsPerPixel;

// Far enough outside any window to be invisible, near enough for Qt's integer geometry.
inline constexpr double PixelLimit = 100000.0;

// Rounds to whole pixels; values beyond any window, infinities and NaN are clamped first,
// since converting an out-of-range float to int is undefined behaviour.
inline int toPixels(double value)
{
    if (std::isnan(value))
        return 0;
    const double pixels = std::clamp(value / PerPixel, -PixelLimit, PixelLimit);
    return static_cast<int>(std::lround(pixels));
}

inline QRect toPixels(double left, double top, double width, double height)
{
    const int x = toPixels(left);
    const int y = toPixels(top);
    return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
}

// A font size in points at 96 dots per inch, as whole pixels.
inline int pointsToPixels(double points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

} // namespace twips
