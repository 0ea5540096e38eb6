// The executable's version block as Windows reads it for Explorer's properties
// and Task Manager. In a Windows build telimer.exe lies beside this test.
#include "BuildInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace {

std::filesystem::path programFile()
{
    std::wstring name(MAX_PATH, L'\0');
    name.resize(GetModuleFileNameW(nullptr, name.data(), MAX_PATH));
    return std::filesystem::path(name).parent_path() / buildinfo::OriginalFilename;
}

std::wstring wide(const char* utf8)
{
    std::wstring text(MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), static_cast<int>(text.size()));
    text.pop_back();
    return text;
}

TEST(VersionBlock, HoldsEveryFieldExplorerShows)
{
    const auto program = programFile();
    DWORD unused = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(program.c_str(), &unused));
    ASSERT_FALSE(block.empty()) << "no version block in " << program.string();
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
    const std::pair<const wchar_t*, const char*> fields[] = {
        {L"CompanyName", buildinfo::CompanyName},       {L"FileDescription", buildinfo::FileDescription},
        {L"FileVersion", buildinfo::FileVersion},       {L"InternalName", buildinfo::InternalName},
        {L"LegalCopyright", buildinfo::LegalCopyright}, {L"OriginalFilename", buildinfo::OriginalFilename},
        {L"ProductName", buildinfo::ProductName},       {L"ProductVersion", buildinfo::ProductVersion},
    };
    for (const auto& [field, expected] : fields) {
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040504E2\\") + field;
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), &value, &length) && length > 0)
            << std::filesystem::path(field).string();
        EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(value)), wide(expected))
            << std::filesystem::path(field).string();
    }
}

} // namespace
