#pragma once

#include "resources/Pictures.h"

#include <QByteArray>

#include <initializer_list>

namespace pictures {

// The sizes Windows picks from for lists, tiles and the task bar.
inline constexpr std::initializer_list<int> IconFileSizes = {16, 24, 32, 48, 64, 128, 256};

// A Windows .ico file of `picture` painted at each of `sizes` (square, in pixels, at most 256),
// each image stored as PNG; empty when a size cannot be rendered.
QByteArray iconFile(const Picture& picture, std::initializer_list<int> sizes = IconFileSizes);

// Title bars and task bars take the small sizes, each drawn for its size rather than scaled down
// from the natural one.
inline constexpr std::initializer_list<int> WindowIconSizes = {16, 22, 24, 32};

// C++ initialisers of `picture` painted at each of `sizes`: {side, {premultiplied ARGB pixels row
// by row}}, one per line. The build compiles them into the program, which then shows its window
// icon without painting it at every start. Empty when a size cannot be rendered.
QByteArray iconInitialisers(const Picture& picture, std::initializer_list<int> sizes = WindowIconSizes);

} // namespace pictures
