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

// Fields of the descriptor record, numbered from 0.
enum DescriptorField : std::size_t {
    StatusTextField = 0,
    ProgramPageField = 1,     // without the leading "http://www."
    StatusEnabledField = 2,   // enabled when its first character is "1"
    BannerAddressField = 3,   // complete address; empty means the default page
};

// Splits a descriptor value at every ';' (no trimming, no quoting). No descriptor (std::nullopt)
// when the value begins with "error" or has fewer than `minFields` fields.
std::optional<std::vector<std::string>> parseDescriptor(std::string_view value, std::size_t minFields);

// Reads section "Update", key "58211" (default "error") from the file `path` and parses it.
std::optional<std::vector<std::string>> readDescriptor(const std::filesystem::path& path, std::size_t minFields);

} // namespace Module1
