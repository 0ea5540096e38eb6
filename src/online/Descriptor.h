#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace Module1 {

// The program's build identifier, also the descriptor's key.
inline constexpr std::string_view BuildId = "58211";
inline constexpr std::string_view DescriptorSection = "Update";
inline constexpr std::string_view DescriptorDefault = "error";

// How many fields each window needs: the About window reads fields 0 to 2, the banner field 3.
inline constexpr std::size_t AboutFieldCount = 3;
inline constexpr std::size_t BannerFieldCount = 4;

// Splits a descriptor value at every ';' (no trimming, no quoting). No descriptor (std::nullopt)
// when the value begins with "error" or has fewer than `minFields` fields.
std::optional<std::vector<std::string>> parseDescriptor(std::string_view value, std::size_t minFields);

// Reads section "Update", key "58211" (default "error") from the file `path` and parses it.
std::optional<std::vector<std::string>> readDescriptor(const std::filesystem::path& path, std::size_t minFields);

// What the fields of a record mean, the one reading both windows use. Each needs the record to
// have at least the fields it reads, as readDescriptor with the counts above guarantees.
const std::string& statusText(const std::vector<std::string>& fields);    // field 0
std::string programPageAddress(const std::vector<std::string>& fields);   // "http://www." + field 1
bool statusEnabled(const std::vector<std::string>& fields);               // field 2 begins with "1"
const std::string& bannerAddress(const std::vector<std::string>& fields); // field 3, used as it is

} // namespace Module1
