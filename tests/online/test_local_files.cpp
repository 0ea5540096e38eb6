#include "online/LocalFiles.h"

#include "TestFiles.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace Module1;

namespace {

TEST(LocalFiles, LieBesideTheExecutable)
{
    int argc = 1;
    char name[] = "online_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const auto folder = std::filesystem::canonical("/proc/self/exe").parent_path().string();
    EXPECT_EQ(localFilePath(DescriptorFileName), folder + "/version");
    EXPECT_EQ(localFilePath(BannerFileName), folder + "/reklama.bmp");
}

TEST(LocalFiles, ExistsOnlyForRegularFiles)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "");
    std::filesystem::create_directory(folder.file("reklama.bmp"));
    EXPECT_TRUE(fileExists(folder.file("version")));
    EXPECT_FALSE(fileExists(folder.file("reklama.bmp")));
    EXPECT_FALSE(fileExists(folder.file("missing")));
    EXPECT_FALSE(fileExists(""));
}

TEST(LocalFiles, DeletesFilesButNeverFolders)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "x");
    std::filesystem::create_directory(folder.file("reklama.bmp"));
    deleteFileQuietly(folder.file("version"));
    deleteFileQuietly(folder.file("reklama.bmp"));
    deleteFileQuietly(folder.file("missing"));
    deleteFileQuietly("");
    EXPECT_EQ(TestFiles::entries(folder.path()), std::set<std::string>{"reklama.bmp"});
}

TEST(LocalFiles, ReadsOnlyRegularFilesWithinTheCap)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "12345");
    std::error_code noSymlinks;
    std::filesystem::create_symlink(folder.file("version"), folder.file("link"), noSymlinks);
    std::filesystem::create_directory(folder.file("folder"));
    EXPECT_EQ(readOwnFile(folder.file("version"), 5), "12345");
    EXPECT_EQ(readOwnFile(folder.file("version"), 4), std::nullopt);
    // Windows lets only privileged users make symbolic links.
    if (!noSymlinks) {
        EXPECT_EQ(readOwnFile(folder.file("link"), 5), std::nullopt);
    }
    EXPECT_EQ(readOwnFile(folder.file("folder"), 5), std::nullopt);
    EXPECT_EQ(readOwnFile(folder.file("missing"), 5), std::nullopt);
}

} // namespace
