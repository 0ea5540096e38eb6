#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace Module1 {

// The two downloaded files, kept beside the executable.
inline constexpr std::string_view DescriptorFileName = "version";
inline constexpr std::string_view BannerFileName = "reklama.bmp";

// No downloaded file is larger, and no file of the program's folder is read past this size.
inline constexpr std::size_t MaxDownloadBytes = 4 * 1024 * 1024;

// The executable's folder + "/" + name (UTF-8); needs a QCoreApplication.
std::string localFilePath(std::string_view fileName);

// True when `path` (UTF-8) names an existing regular file.
bool fileExists(const std::string& path);

// Removes a file; a failure is left alone without a word. Never removes a folder.
void deleteFileQuietly(const std::string& path);

// The whole content of the regular file at `path`, read without following a symbolic link at
// the last step; nothing when there is no such file, when it cannot be read, or when it is
// larger than `maxBytes` (such a file is no file of ours).
std::optional<std::string> readOwnFile(const std::filesystem::path& path, std::size_t maxBytes);

} // namespace Module1
