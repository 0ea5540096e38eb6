#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// Turns the bytes of a text file into characters: a UTF-8 byte-order mark is skipped, a UTF-16
// one (either byte order) makes the whole file UTF-16; otherwise valid UTF-8 is taken as such and
// anything else as Windows-1250, the code page such files have always been written in.
std::u32string decodeTextFile(std::string_view bytes);

std::string encodeUtf8(std::u32string_view text);

} // namespace Module1
