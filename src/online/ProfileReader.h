#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace Module1 {

// At most this many characters of a value count, as with a 1000-character buffer.
inline constexpr std::size_t MaxProfileValueLength = 999;

// Reads one value of an INI file the way GetPrivateProfileString does: sections and keys compare
// without regard to case, the first section of the name and the first key in it win, the value is
// trimmed and loses one pair of enclosing quotes; there is no comment syntax. A missing or
// unreadable file, section or key gives `defaultValue`, and so does a file that is no regular
// file or is larger than MaxDownloadBytes. Texts are UTF-8; the file may be UTF-8, UTF-16 (with a
// byte-order mark) or Windows-1250.
std::string readProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              const std::filesystem::path& path);

// The same over the bytes of a file already in memory.
std::string readProfileStringFromBytes(std::string_view section, std::string_view key, std::string_view defaultValue,
                                       std::string_view fileBytes);

} // namespace Module1
