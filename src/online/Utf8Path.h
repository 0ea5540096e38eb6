#pragma once

#include <filesystem>
#include <string>

namespace Module1 {

// Paths travel as UTF-8 text; this makes them right on every platform.
inline std::filesystem::path utf8Path(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

} // namespace Module1
