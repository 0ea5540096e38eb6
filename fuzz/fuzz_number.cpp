// The number reader against strtod. The reader skips blanks anywhere and takes D as well as E
// for the exponent; with the blanks taken out and D written as E, strtod reads the same number,
// except below the normal range, where the reader gives 0 and strtod may give a subnormal.
#include "FuzzCheck.h"

#include "model/NumberReader.h"

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Everything the reader gives a meaning to; other characters only end the number.
constexpr std::string_view Alphabet = "0123456789.+-eEdD \t\n";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string text;
    std::string forStrtod;
    for (std::size_t i = 0; i < size; ++i) {
        // Other bytes are folded into the alphabet, so that the seeds can stay readable text.
        const char byte = static_cast<char>(data[i]);
        const char c = Alphabet.find(byte) != std::string_view::npos ? byte : Alphabet[data[i] % Alphabet.size()];
        text += c;
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        forStrtod += c == 'd' || c == 'D' ? 'e' : c;
    }

    const double read = model::readNumber(text);
    const double expected = std::strtod(forStrtod.c_str(), nullptr);
    FUZZ_CHECK(!std::isnan(read));
    if (std::fabs(expected) >= DBL_MIN || expected == 0.0) {
        if (read != expected) {
            std::fprintf(stderr, "reader %.17g, strtod %.17g for \"%s\"\n", read, expected, forStrtod.c_str());
            FUZZ_CHECK(read == expected);
        }
    } else {
        FUZZ_CHECK(read == 0.0 || read == expected);
    }

    const float single = model::toSingle(read);
    FUZZ_CHECK(std::isinf(single) || std::fabs(read) <= FLT_MAX * (1.0 + FLT_EPSILON));
    return 0;
}
