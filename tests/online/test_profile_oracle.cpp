// Our INI reader against Windows' own: every case of the reader's tests and a generated set are
// written to files and read both with readProfileString and with GetPrivateProfileStringA
// (section "Update", key "58211", default "error", buffer 1000). The values must agree byte for
// byte, except for the classes of case below, where ours differs on purpose.
#include "online/ProfileReader.h"

#include "ProfileCases.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

namespace {

using ProfileCases::ProfileCase;

constexpr UINT CzechCodePage = 1250;

std::wstring toWide(std::string_view bytes, UINT codePage)
{
    if (bytes.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

std::string fromWide(std::wstring_view wide, UINT codePage, bool* lossy = nullptr)
{
    if (wide.empty())
        return {};
    BOOL usedDefault = FALSE;
    const bool utf8 = codePage == CP_UTF8;
    BOOL* lost = utf8 ? nullptr : &usedDefault;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int length
        = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, lost);
    std::string bytes(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), bytes.data(), length, nullptr,
                        lost);
    if (lossy)
        *lossy = usedDefault != FALSE;
    return bytes;
}

// What Windows answers, in the program's UTF-8: a Czech Windows hands over code page 1250 bytes.
std::string windowsValue(std::string path)
{
    std::ranges::replace(path, '/', '\\');
    std::array<char, 1000> buffer{};
    const DWORD length = GetPrivateProfileStringA("Update", "58211", "error", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path.c_str());
    return fromWide(toWide(std::string_view(buffer.data(), length), CzechCodePage), CP_UTF8);
}

bool startsWith(std::string_view bytes, std::string_view prefix)
{
    return bytes.substr(0, prefix.size()) == prefix;
}

bool isUtf16(std::string_view bytes)
{
    return startsWith(bytes, "\xFF\xFE") || startsWith(bytes, "\xFE\xFF");
}

bool hasHighBytes(std::string_view bytes)
{
    return std::ranges::any_of(bytes, [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
}

bool isValidUtf8(std::string_view bytes)
{
    return MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0)
        > 0;
}

// The classes of case where our reader differs from Windows on purpose, each with its reason.
struct DeliberateDifference {
    const char* name;
    const char* reason;
    std::function<bool(const ProfileCase&, const std::string& ours)> applies;
};

const std::vector<DeliberateDifference> DeliberateDifferences = {
    {"Utf8Text",
     "valid UTF-8 text, with or without a UTF-8 byte-order mark, is read as UTF-8 so that Czech text "
     "written by today's editors shows; Windows takes the bytes as ANSI (and Wine turns a marked file "
     "into the ANSI code page)",
     [](const ProfileCase& c, const std::string&) {
         return !isUtf16(c.fileBytes)
             && (startsWith(c.fileBytes, "\xEF\xBB\xBF") || (hasHighBytes(c.fileBytes) && isValidUtf8(c.fileBytes)));
     }},
    {"Utf16BeyondTheCodePage",
     "a UTF-16 file's characters outside code page 1250 are kept (a lone surrogate becomes U+FFFD); "
     "the ANSI function can only hand over '?' for them",
     [](const ProfileCase& c, const std::string& ours) {
         if (!isUtf16(c.fileBytes))
             return false;
         bool lossy = false;
         fromWide(toWide(ours, CP_UTF8), CzechCodePage, &lossy);
         return lossy;
     }},
    {"QuotedValueOf999OrMore",
     "a quoted value of 999 or more characters keeps 999 of them like any other value; Wine drops one "
     "character more than Windows' 999-character rule",
     [](const ProfileCase& c, const std::string&) {
         const auto start = c.fileBytes.find("58211=\"");
         if (start == std::string::npos)
             return false;
         const auto end = c.fileBytes.find_first_of("\r\n", start);
         // from the opening quote to the line's end, blanks and closing quote included
         const auto quoted = c.fileBytes.substr(start + 6, end == std::string::npos ? end : end - start - 6);
         return quoted.size() >= 999 + 2;
     }},
};

const DeliberateDifference* deliberateDifferenceFor(const ProfileCase& c, const std::string& ours)
{
    for (const auto& difference : DeliberateDifferences)
        if (difference.applies(c, ours))
            return &difference;
    return nullptr;
}

TEST(ProfileOracle, AgreesWithGetPrivateProfileStringA)
{
    ASSERT_EQ(GetACP(), CzechCodePage) << "run with a Czech locale (LC_ALL=cs_CZ.UTF-8 under Wine)";
    std::vector<ProfileCase> cases = ProfileCases::all();
    const auto generated = ProfileCases::generated();
    cases.insert(cases.end(), generated.begin(), generated.end());

    TestFiles::Folder folder;
    std::map<std::string, int> differing;
    int compared = 0;
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const ProfileCase& c = cases[i];
        // A fresh name each time: Windows caches a profile by its name and time stamp.
        const std::string path = folder.file("case" + std::to_string(i) + ".ini");
        TestFiles::writeFile(path, c.fileBytes);
        const std::string ours = Module1::readProfileString("Update", "58211", "error", path);
        const std::string windows = windowsValue(path);
        if (const auto* difference = deliberateDifferenceFor(c, ours)) {
            ++differing[difference->name];
            continue;
        }
        ++compared;
        EXPECT_EQ(ours, windows) << "case " << c.name;
    }
    std::cout << cases.size() << " cases: " << compared << " compared byte for byte";
    for (const auto& [name, count] : differing)
        std::cout << ", " << count << " " << name;
    std::cout << '\n';
    // The classes above must stay exceptions, not swallow the comparison.
    EXPECT_GT(compared, static_cast<int>(cases.size() * 4 / 5));
}

} // namespace
