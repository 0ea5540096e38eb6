#pragma once

#include <QImage>

#include <optional>
#include <string_view>

namespace Module1 {

// Largest downloaded banner, per side, that is decoded at all; the banner box shows 468 x 60.
inline constexpr int MaxBannerSide = 4096;

// The picture in the bytes of a downloaded banner file, or nothing when they hold no picture
// that can be shown safely: not a BMP, PNG, GIF or JPEG picture (an error page, say), a picture
// larger than MaxBannerSide on a side as claimed or as decoded, or one whose data is cut short.
// Pure: bytes in, picture out.
std::optional<QImage> decodeBanner(std::string_view bytes);

} // namespace Module1
