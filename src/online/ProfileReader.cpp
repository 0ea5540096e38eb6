#include "online/ProfileReader.h"

#include "online/LocalFiles.h"
#include "online/TextDecoding.h"

#include <QChar>

#include <algorithm>
#include <optional>

namespace Module1 {
namespace {

bool isBlank(char32_t c)
{
    return c == U' ' || c == U'\t' || c == U'\v' || c == U'\f';
}

bool isLineEnd(char32_t c)
{
    return c == U'\r' || c == U'\n';
}

std::u32string_view trimmed(std::u32string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool equalsIgnoringCase(std::u32string_view a, std::u32string_view b)
{
    return std::ranges::equal(a, b,
                              [](char32_t x, char32_t y) { return QChar::toCaseFolded(x) == QChar::toCaseFolded(y); });
}

// What the caller's 1000-character buffer would hold: the text up to a NUL, at most 999 characters.
std::string bufferText(std::u32string_view value)
{
    value = value.substr(0, value.find(U'\0'));
    return encodeUtf8(value.substr(0, MaxProfileValueLength));
}

std::u32string_view unquoted(std::u32string_view value)
{
    if (value.size() >= 2 && (value.front() == U'"' || value.front() == U'\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

std::optional<std::u32string_view> sectionName(std::u32string_view line)
{
    const auto close = line.rfind(U']');
    if (!line.starts_with(U'[') || close == std::u32string_view::npos)
        return std::nullopt;
    return trimmed(line.substr(1, close - 1));
}

// Only the first section of the wanted name is searched, and the first matching key wins.
std::optional<std::u32string_view> findValue(std::u32string_view text, std::u32string_view section,
                                             std::u32string_view key)
{
    bool inSection = false;
    while (!text.empty()) {
        const auto end = std::ranges::find_if(text, isLineEnd) - text.begin();
        const auto line = trimmed(text.substr(0, end));
        text.remove_prefix(std::min<std::size_t>(end + 1, text.size()));

        if (const auto name = sectionName(line)) {
            if (inSection)
                return std::nullopt;
            inSection = equalsIgnoringCase(*name, section);
            continue;
        }
        if (!inSection)
            continue;
        // A line without "=" is a key without a value, as Windows reads it: found first, it
        // gives the default and hides a later line of the same name.
        const auto equals = line.find(U'=');
        if (equalsIgnoringCase(trimmed(line.substr(0, equals)), key)) {
            if (equals == std::u32string_view::npos)
                return std::nullopt;
            return trimmed(line.substr(equals + 1));
        }
    }
    return std::nullopt;
}

} // namespace

std::string readProfileStringFromBytes(std::string_view section, std::string_view key, std::string_view defaultValue,
                                       std::string_view fileBytes)
{
    const auto text = decodeTextFile(fileBytes);
    const auto value = findValue(text, decodeTextFile(section), decodeTextFile(key));
    return value ? bufferText(unquoted(*value)) : bufferText(decodeTextFile(defaultValue));
}

std::string readProfileString(std::string_view section, std::string_view key, std::string_view defaultValue,
                              const std::filesystem::path& path)
{
    // A file larger than any download is no descriptor of ours, however it got there.
    const auto bytes = readOwnFile(path, MaxDownloadBytes);
    if (!bytes)
        return bufferText(decodeTextFile(defaultValue));
    return readProfileStringFromBytes(section, key, defaultValue, *bytes);
}

} // namespace Module1
