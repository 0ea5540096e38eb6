#pragma once

#include <string>
#include <string_view>

namespace Module1 {

// The two downloaded files, kept beside the executable.
inline constexpr std::string_view DescriptorFileName = "version";
inline constexpr std::string_view BannerFileName = "reklama.bmp";

// The executable's folder + "/" + name (UTF-8); needs a QCoreApplication.
std::string localFilePath(std::string_view fileName);

// True when `path` (UTF-8) names an existing regular file.
bool fileExists(const std::string& path);

// Removes a file; a failure is left alone without a word. Never removes a folder.
void deleteFileQuietly(const std::string& path);

} // namespace Module1
