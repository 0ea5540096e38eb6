// Arbitrary bytes as reklama.bmp: the banner guard and Qt's decoders behind it. Run with
// -malloc_limit_mb and -rss_limit_mb (run.sh does) so that an allocation bomb is a finding.
#include "FuzzCheck.h"

#include "online/BannerImage.h"
#include "online/LocalFiles.h"

#include <QGuiApplication>

#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // As in the program, the decoders run inside an application (some, SVG text for one, need
    // its fonts); the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "fuzz_banner";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The program never reads more of the file than a download may hold.
    if (size > Module1::MaxDownloadBytes)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto image = Module1::decodeBanner(bytes);
    if (image) {
        FUZZ_CHECK(!image->isNull());
        FUZZ_CHECK(image->width() <= Module1::MaxBannerSide && image->height() <= Module1::MaxBannerSide);
    }
    return 0;
}
