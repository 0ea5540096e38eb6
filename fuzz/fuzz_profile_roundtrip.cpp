// A descriptor file written around an arbitrary value reads that value back as documented
// (trimmed, one pair of enclosing quotes removed, cut at a NUL, at most 999 characters), and
// the same whatever the file's encoding, line ends, byte-order mark or case of the section.
#include "FuzzCheck.h"

#include "online/ProfileReader.h"
#include "online/TextDecoding.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\v' || c == U'\f';
}

std::u32string documentedValue(std::u32string value)
{
    while (!value.empty() && isBlank(value.front()))
        value.erase(0, 1);
    while (!value.empty() && isBlank(value.back()))
        value.pop_back();
    if (value.size() >= 2 && (value.front() == U'"' || value.front() == U'\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    value = value.substr(0, value.find(U'\0'));
    return value.substr(0, Module1::MaxProfileValueLength);
}

std::string utf16(std::u32string_view text, bool bigEndian)
{
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    const auto put = [&](char16_t unit) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    };
    for (const char32_t c : text) {
        if (c < 0x10000) {
            put(static_cast<char16_t>(c));
        } else {
            put(static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)));
            put(static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF)));
        }
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A little past the 999 characters that count is enough to see the cut.
    if (size > 1200)
        return 0;
    // The characters of the value as they would stand in a file; a prefix keeps a leading
    // byte-order mark of the value from counting as the file's own.
    std::string prefixed = "x";
    prefixed.append(reinterpret_cast<const char*>(data), size);
    std::u32string value = Module1::decodeTextFile(prefixed).substr(1);
    std::erase_if(value, [](char32_t c) { return c == U'\r' || c == U'\n'; });

    const std::string expected = Module1::encodeUtf8(documentedValue(value));
    const std::u32string lf = U"[Other]\n58211=other\n[Update]\n58211=" + value + U"\n[Update]\n58211=second\n";
    std::u32string crlf;
    for (const char32_t c : lf) {
        if (c == U'\n')
            crlf += U'\r';
        crlf += c;
    }
    std::u32string otherCase = lf;
    otherCase.replace(otherCase.find(U"[Update]"), 8, U"[uPDATE]");

    for (const std::u32string& text : {lf, crlf, otherCase}) {
        const std::string utf8 = Module1::encodeUtf8(text);
        for (const std::string& file : {utf8, "\xEF\xBB\xBF" + utf8, utf16(text, false), utf16(text, true)}) {
            const std::string read = Module1::readProfileStringFromBytes("Update", "58211", "error", file);
            FUZZ_CHECK(read == expected);
        }
    }
    return 0;
}
