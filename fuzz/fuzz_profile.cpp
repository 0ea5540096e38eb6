// Arbitrary bytes as the update descriptor file: the text decoding and the INI reader.
#include "FuzzCheck.h"

#include "online/ProfileReader.h"
#include "online/TextDecoding.h"

#include <cstdint>
#include <string_view>

namespace {

bool isUnicodeScalar(char32_t c)
{
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

std::size_t countCharacters(std::string_view utf8)
{
    std::size_t count = 0;
    for (const char c : utf8)
        count += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const std::u32string text = Module1::decodeTextFile(bytes);
    for (const char32_t c : text)
        FUZZ_CHECK(isUnicodeScalar(c));
    // Every byte gives at most one character, so the decoder never grows the text.
    FUZZ_CHECK(text.size() <= bytes.size());

    // What was decoded is written back as UTF-8 and reads back the same; only a leading U+FEFF
    // would turn into a byte-order mark and be skipped.
    const std::string utf8 = Module1::encodeUtf8(text);
    if (text.empty() || text.front() != U'\uFEFF')
        FUZZ_CHECK(Module1::decodeTextFile(utf8) == text);

    const std::string value = Module1::readProfileStringFromBytes("Update", "58211", "error", bytes);
    FUZZ_CHECK(Module1::encodeUtf8(Module1::decodeTextFile(value)) == value || value.starts_with("\xEF\xBB\xBF"));
    FUZZ_CHECK(countCharacters(value) <= Module1::MaxProfileValueLength);
    FUZZ_CHECK(value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos);

    // The same file, with section and key taken from its own first line, must not upset the reader.
    const auto lineEnd = bytes.find('\n');
    const std::string_view first = bytes.substr(0, lineEnd);
    const auto equals = first.find('=');
    if (equals != std::string_view::npos)
        Module1::readProfileStringFromBytes(first.substr(0, equals), first.substr(equals + 1), first, bytes);
    return 0;
}
