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

} // namespace pictures
