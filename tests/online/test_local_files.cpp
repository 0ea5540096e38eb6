#include "online/LocalFiles.h"

#include "TestFiles.h"

#include <QCoreApplication>

#include <sys/stat.h>

#include <gtest/gtest.h>

using namespace Module1;
namespace fs = std::filesystem;

namespace {

// Things that are no regular file, planted under one of our names.
void makeFifo(const fs::path& path)
{
    ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
}

TEST(LocalFiles, LieBesideTheExecutable)
{
    int argc = 1;
    char name[] = "online_tests";
    char* argv[] = {name, nullptr};
    const QCoreApplication application(argc, argv);
    const auto folder = fs::canonical("/proc/self/exe").parent_path();
    EXPECT_EQ(localFilePath(DescriptorFileName), folder / "version");
    EXPECT_EQ(localFilePath(BannerFileName), folder / "reklama.bmp");
    EXPECT_EQ(downloadFolder(), folder);
}

// Where the downloaded files go, for an executable's folder and a cache folder.
struct FolderCase {
    const char* name;
    std::string executable; // "{tmp}" is a fresh writable folder, "{cache}" a folder not made yet
    std::string cache;
    std::string expected; // empty: no folder at all
};

void PrintTo(const FolderCase& c, std::ostream* out) { *out << c.name; }

class DownloadFolderChoice : public testing::TestWithParam<FolderCase> {
protected:
    fs::path resolve(const std::string& text) const
    {
        if (text == "{tmp}")
            return folder.path();
        if (text == "{cache}")
            return folder.file("cache/app");
        return text;
    }

    TestFiles::Folder folder;
};

TEST_P(DownloadFolderChoice, TakesTheExecutablesFolderOrTheCache)
{
    bool cacheAsked = false;
    const auto chosen = chooseDownloadFolder(resolve(GetParam().executable), [&] {
        cacheAsked = true;
        return resolve(GetParam().cache);
    });
    EXPECT_EQ(chosen, resolve(GetParam().expected));
    EXPECT_EQ(cacheAsked, GetParam().expected != "{tmp}");
    // Trying whether a folder can be written leaves nothing behind.
    if (chosen.empty())
        EXPECT_FALSE(fs::exists(folder.file("cache")));
    else
        EXPECT_TRUE(TestFiles::entries(chosen).empty());
}

INSTANTIATE_TEST_SUITE_P(Folders, DownloadFolderChoice, testing::Values(
    FolderCase{"WritableExecutableFolder", "{tmp}", "{cache}", "{tmp}"},
    FolderCase{"ReadOnlyExecutableFolderUsesTheCacheMadeOnDemand", "/proc", "{cache}", "{cache}"},
    FolderCase{"UnknownExecutableFolder", "", "{cache}", "{cache}"},
    FolderCase{"RelativeExecutableFolder", "relative", "{cache}", "{cache}"},
    FolderCase{"RootIsNeverTaken", "/", "{cache}", "{cache}"},
    FolderCase{"NoCacheEither", "/proc", "", ""},
    FolderCase{"RelativeCache", "", "cache", ""},
    FolderCase{"RootCache", "", "/", ""},
    FolderCase{"CacheThatCannotBeMade", "/proc", "/proc/telimer", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LocalFiles, OwnFilesHaveAbsolutePathsOutsideTheRoot)
{
    for (const auto& [path, own] : std::vector<std::pair<fs::path, bool>>{
             {"", false}, {"version", false}, {"./version", false}, {"/version", false},
             {"/tmp/", false}, {"/tmp/version", true}, {"/tmp/a/reklama.bmp", true}})
        EXPECT_EQ(isOwnFilePath(path), own) << path;
}

TEST(LocalFiles, ExistsOnlyForRegularFiles)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "");
    fs::create_directory(folder.file("reklama.bmp"));
    fs::create_symlink(folder.file("version"), folder.file("link"));
    makeFifo(folder.file("pipe"));
    EXPECT_TRUE(fileExists(folder.file("version")));
    for (const auto* name : {"reklama.bmp", "link", "pipe", "missing"})
        EXPECT_FALSE(fileExists(folder.file(name))) << name;
    EXPECT_FALSE(fileExists(""));
}

TEST(LocalFiles, DeletesRegularFilesOnly)
{
    TestFiles::Folder folder;
    TestFiles::Folder elsewhere;
    TestFiles::writeFile(folder.file("version"), "x");
    TestFiles::writeFile(elsewhere.file("precious"), "keep");
    fs::create_directory(folder.file("folder"));
    fs::create_symlink(elsewhere.file("precious"), folder.file("reklama.bmp"));
    makeFifo(folder.file("pipe"));
    for (const auto* name : {"version", "folder", "reklama.bmp", "pipe", "missing"})
        deleteFileQuietly(folder.file(name));
    deleteFileQuietly("");
    deleteFileQuietly("precious"); // relative: never the working folder's file
    EXPECT_EQ(TestFiles::entries(folder.path()), (std::set<std::string>{"folder", "pipe", "reklama.bmp"}));
    EXPECT_EQ(TestFiles::readFile(elsewhere.file("precious")), "keep");
}

TEST(LocalFiles, ReadsOnlyRegularFilesWithinTheCap)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "12345");
    fs::create_symlink(folder.file("version"), folder.file("link"));
    fs::create_symlink(folder.file("missing"), folder.file("dangling"));
    fs::create_directory(folder.file("folder"));
    makeFifo(folder.file("pipe")); // no writer: reading it would wait for ever
    EXPECT_EQ(readOwnFile(folder.file("version"), 5), "12345");
    EXPECT_EQ(readOwnFile(folder.file("version"), 4), std::nullopt);
    for (const auto* name : {"link", "dangling", "folder", "pipe", "missing"})
        EXPECT_EQ(readOwnFile(folder.file(name), 5), std::nullopt) << name;
    EXPECT_EQ(readOwnFile("/dev/zero", 5), std::nullopt);
}

TEST(LocalFiles, StaleTemporaryFilesOfOurOwnAreRemovedAndNothingElse)
{
    TestFiles::Folder folder;
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(5);
    const auto plant = [&](const std::string& name, bool stale) {
        TestFiles::writeFile(folder.file(name), "x");
        if (stale)
            fs::last_write_time(folder.file(name), old);
    };
    plant("version", true);
    plant("version.0123abcd.part", true);   // ours, left by an interrupted download
    plant("version.89abcdef.part", false);  // a download running right now
    plant("version.0123ABCD.part", true);   // not our pattern
    plant("version.0123abc.part", true);
    plant("version.0123abcde.part", true);
    plant("version.0123abcd.partx", true);
    plant("reklama.bmp.0123abcd.part", true); // another target's
    fs::create_directory(folder.file("version.aaaaaaaa.part"));
    fs::create_symlink(folder.file("version"), folder.file("version.bbbbbbbb.part"));

    removeStaleTemporaryFiles(folder.file("version"));
    EXPECT_EQ(TestFiles::entries(folder.path()),
              (std::set<std::string>{"version", "version.89abcdef.part", "version.0123ABCD.part",
                                     "version.0123abc.part", "version.0123abcde.part", "version.0123abcd.partx",
                                     "reklama.bmp.0123abcd.part", "version.aaaaaaaa.part", "version.bbbbbbbb.part"}));
}

} // namespace
