#pragma once

#include <QImage>

#include <optional>
#include <string_view>

namespace Module1 {

// Largest downloaded banner, per side, that is decoded at all; the banner box shows 468 x 60.
inline constexpr int MaxBannerSide = 4096;

// The picture in the bytes of a downloaded banner file, or nothing when they hold no picture
// that can be shown safely: not a picture at all (an error page, say), a picture larger than
// MaxBannerSide on a side, or one whose data is cut short.
std::optional<QImage> decodeBanner(std::string_view bytes);

} // namespace Module1
