#include "online/Descriptor.h"

#include "online/ProfileReader.h"
#include "online/WebAddress.h"

namespace Module1 {
namespace {

enum Field : std::size_t { StatusText = 0, ProgramPage = 1, StatusEnabled = 2, BannerAddress = 3 };

} // namespace

std::optional<std::vector<std::string>> parseDescriptor(std::string_view value, std::size_t minFields)
{
    if (value.starts_with(DescriptorDefault))
        return std::nullopt;
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const auto separator = value.find(';', start);
        fields.emplace_back(value.substr(start, separator - start));
        if (separator == std::string_view::npos)
            break;
        start = separator + 1;
    }
    if (fields.size() < minFields)
        return std::nullopt;
    return fields;
}

std::optional<std::vector<std::string>> readDescriptor(const std::filesystem::path& path, std::size_t minFields)
{
    return parseDescriptor(readProfileString(DescriptorSection, BuildId, DescriptorDefault, path), minFields);
}

const std::string& statusText(const std::vector<std::string>& fields)
{
    return fields.at(StatusText);
}

std::string programPageAddress(const std::vector<std::string>& fields)
{
    return std::string(PagePrefix) + fields.at(ProgramPage);
}

bool statusEnabled(const std::vector<std::string>& fields)
{
    return fields.at(StatusEnabled).starts_with('1');
}

const std::string& bannerAddress(const std::vector<std::string>& fields)
{
    return fields.at(BannerAddress);
}

} // namespace Module1
