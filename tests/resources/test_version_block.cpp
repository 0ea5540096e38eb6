// The executable's version block as Windows reads it for Explorer's properties and Task Manager.
// In a Windows build telimer.exe lies beside this test.
#include "BuildInfo.h"

#include <QString>

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <utility>
#include <vector>

TEST(VersionBlock, HoldsEveryFieldExplorerShows)
{
    wchar_t self[MAX_PATH];
    const std::wstring program
        = (std::filesystem::path(std::wstring(self, GetModuleFileNameW(nullptr, self, MAX_PATH))).parent_path()
           / buildinfo::OriginalFilename)
              .wstring();
    DWORD unused = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(program.c_str(), &unused));
    ASSERT_TRUE(!block.empty() && GetFileVersionInfoW(program.c_str(), 0, DWORD(block.size()), block.data()));
    for (const auto& [field, expected] : {std::pair{"CompanyName", buildinfo::CompanyName},
                                          {"FileDescription", buildinfo::FileDescription},
                                          {"FileVersion", buildinfo::FileVersion},
                                          {"InternalName", buildinfo::InternalName},
                                          {"LegalCopyright", buildinfo::LegalCopyright},
                                          {"OriginalFilename", buildinfo::OriginalFilename},
                                          {"ProductName", buildinfo::ProductName},
                                          {"ProductVersion", buildinfo::ProductVersion}}) {
        const auto query
            = QStringLiteral("\\StringFileInfo\\040504E2\\%1").arg(QString::fromLatin1(field)).toStdWString();
        void* value = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(block.data(), query.c_str(), &value, &length)) << field;
        EXPECT_EQ(QString::fromWCharArray(static_cast<const wchar_t*>(value)), QString::fromUtf8(expected)) << field;
    }
}
