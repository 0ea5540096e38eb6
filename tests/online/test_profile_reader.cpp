#include "online/ProfileReader.h"

#include "ProfileCases.h"
#include "online/LocalFiles.h"

#include "TestFiles.h"

#include <gtest/gtest.h>

using Module1::readProfileString;
using Module1::readProfileStringFromBytes;

namespace {

using ProfileCases::ProfileCase;

class ProfileReading : public testing::TestWithParam<ProfileCase> { };

TEST_P(ProfileReading, FindsTheValueLikeGetPrivateProfileString)
{
    EXPECT_EQ(readProfileStringFromBytes("Update", "58211", "error", GetParam().fileBytes), GetParam().expected);
}

const auto caseName = [](const auto& info) { return std::string(info.param.name); };
INSTANTIATE_TEST_SUITE_P(LineEnds, ProfileReading, testing::ValuesIn(ProfileCases::LineEnds), caseName);
INSTANTIATE_TEST_SUITE_P(Blanks, ProfileReading, testing::ValuesIn(ProfileCases::Blanks), caseName);
INSTANTIATE_TEST_SUITE_P(Sections, ProfileReading, testing::ValuesIn(ProfileCases::Sections), caseName);
INSTANTIATE_TEST_SUITE_P(Keys, ProfileReading, testing::ValuesIn(ProfileCases::Keys), caseName);
INSTANTIATE_TEST_SUITE_P(Values, ProfileReading, testing::ValuesIn(ProfileCases::Values), caseName);
INSTANTIATE_TEST_SUITE_P(Encodings, ProfileReading, testing::ValuesIn(ProfileCases::Encodings), caseName);

TEST(ProfileReadingNames, SectionAndKeyIgnoreCase)
{
    EXPECT_EQ(readProfileStringFromBytes("update", "KEY", "d", "[UPDATE]\nkey=v"), "v");
    EXPECT_EQ(readProfileStringFromBytes("Čeština", "Klíč", "d", "[čEŠTINA]\nKLÍČ=v"), "v");
}

TEST(ProfileReadingDefault, LongDefaultCountsOnly999Characters)
{
    EXPECT_EQ(readProfileStringFromBytes("Update", "58211", ProfileCases::Long1200, ""), std::string(999, 'x'));
}

TEST(ProfileReadingFiles, ReadsTheFileAndFallsBackToTheDefault)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), ProfileCases::utf16(u"[Update]\r\n58211=ze souboru\r\n", false));
    std::filesystem::create_directory(folder.file("folder"));

    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("version")), "ze souboru");
    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("missing")), "error");
    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("folder")), "error");
    EXPECT_EQ(readProfileString("Update", "58211", "error", ""), "error");
}

TEST(ProfileReadingFiles, UnreadableFileGivesTheDefault)
{
    TestFiles::Folder folder;
    const auto path = folder.file("version");
    TestFiles::writeFile(path, "[Update]\n58211=v");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    if (TestFiles::readFile(path))
        GTEST_SKIP() << "this user reads files regardless of their permissions";
    EXPECT_EQ(readProfileString("Update", "58211", "error", path), "error");
}

TEST(ProfileReadingFiles, Utf8PathWithDiacritics)
{
    TestFiles::Folder folder;
    const auto path = folder.file("složka č. 1 – verze");
    TestFiles::writeFile(path, "[Update]\n58211=v");
    EXPECT_EQ(readProfileString("Update", "58211", "error", path), "v");
}

// A leftover or planted file larger than any download is no descriptor, whatever it holds.
TEST(ProfileReadingFiles, FilesPastTheDownloadCapGiveTheDefault)
{
    TestFiles::Folder folder;
    const std::string record = "[Update]\n58211=v\n";
    const auto padded = [&](std::size_t size) { return record + std::string(size - record.size(), ' '); };
    TestFiles::writeFile(folder.file("at-cap"), padded(Module1::MaxDownloadBytes));
    TestFiles::writeFile(folder.file("over-cap"), padded(Module1::MaxDownloadBytes + 1));
    TestFiles::writeFile(folder.file("huge"), record);
    std::filesystem::resize_file(folder.file("huge"), 1ULL << 30); // sparse: no disk space taken
    std::vector<std::string> refused{"over-cap", "huge"};
#ifndef _WIN32 // links need a privilege on Windows
    std::filesystem::create_symlink(folder.file("at-cap"), folder.file("link"));
    refused.push_back("link");
#endif

    EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file("at-cap")), "v");
    for (const auto& name : refused)
        EXPECT_EQ(readProfileString("Update", "58211", "error", folder.file(name)), "error") << name;
}

} // namespace
