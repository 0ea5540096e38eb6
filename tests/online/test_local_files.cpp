#include "online/LocalFiles.h"

#include "BuildInfo.h"
#include "TestFiles.h"

#include <QCoreApplication>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

using namespace Module1;
namespace fs = std::filesystem;

namespace {

// Things that are no regular file, planted under one of our names: a folder everywhere, and
// where any user may make them, a symbolic link to `target` and a pipe. Returns their names.
std::vector<std::string> plantNonRegular(const TestFiles::Folder& folder, const std::string& target)
{
    fs::create_directory(folder.file("folder"));
#ifdef _WIN32
    (void)target; // links need a privilege there, and pipes live outside the file system
    return {"folder"};
#else
    fs::create_symlink(target, folder.file("link"));
    EXPECT_EQ(mkfifo(folder.file("pipe").c_str(), 0600), 0);
    return {"folder", "link", "pipe"};
#endif
}

TEST(LocalFiles, LieBesideTheExecutable)
{
    const fs::path folder(QCoreApplication::applicationDirPath().toStdU16String());
    EXPECT_EQ(localFilePath(DescriptorFileName), folder / "version");
    EXPECT_EQ(localFilePath(BannerFileName), folder / "reklama.bmp");
    EXPECT_EQ(downloadFolder(), folder);
}

// Where the downloaded files go, for an executable's folder and a cache folder.
struct FolderCase {
    const char* name;
    // "{tmp}" is a fresh writable folder, "{cache}" a folder not made yet, "{locked}" a folder
    // where no file can be made, "{root}" the root folder, "{blocked}" a folder that cannot be made
    std::string executable;
    std::string cache;
    std::string expected; // empty: no folder at all
};

void PrintTo(const FolderCase& c, std::ostream* out)
{
    *out << c.name;
}

class DownloadFolderChoice : public testing::TestWithParam<FolderCase> {
protected:
    fs::path resolve(const std::string& text) const
    {
        if (text == "{tmp}")
            return folder.path();
        if (text == "{cache}")
            return folder.file("cache/app");
        if (text == "{root}")
            return fs::path(folder.path()).root_path();
        if (text == "{blocked}") { // under a regular file
            TestFiles::writeFile(folder.file("file"), "");
            return folder.file("file/app");
        }
        if (text == "{installed}")
            return buildinfo::InstallBinFolder;
        if (text == "{packaged}")
            return buildinfo::PackageBinFolder;
#ifndef _WIN32
        if (text == "{foreign}") { // another user's folder that this one may write to
            if (geteuid() != 0)
                return "/tmp";
            fs::create_directory(folder.file("foreign"));
            EXPECT_EQ(chown(folder.file("foreign").c_str(), 65534, 65534), 0);
            return folder.file("foreign");
        }
        if (text == "{planted}") { // a link that someone else put in a shared folder
            fs::create_directory(folder.file("elsewhere"));
            fs::create_directory(folder.file("shared"));
            fs::permissions(folder.file("shared"),
                            fs::perms::all | (geteuid() == 0 ? fs::perms::sticky_bit : fs::perms::none));
            fs::create_directory_symlink(folder.file("elsewhere"), folder.file("shared/app"));
            EXPECT_EQ(lchown(folder.file("shared/app").c_str(), geteuid() == 0 ? 65534 : geteuid(), -1), 0);
            return folder.file("shared/app");
        }
#endif
        if (text == "{locked}")
#ifdef _WIN32
            return folder.file("missing"); // a folder nobody can write to needs access lists
#else
            return "/proc";
#endif
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
    const std::set<std::string> allowed{"cache", "file", "foreign", "shared", "elsewhere"};
    EXPECT_TRUE(std::ranges::includes(allowed, TestFiles::entries(folder.path())));
}

INSTANTIATE_TEST_SUITE_P(
    Folders, DownloadFolderChoice,
    testing::Values(FolderCase{"WritableExecutableFolder", "{tmp}", "{cache}", "{tmp}"},
                    FolderCase{"ReadOnlyExecutableFolderUsesTheCacheMadeOnDemand", "{locked}", "{cache}", "{cache}"},
                    FolderCase{"UnknownExecutableFolder", "", "{cache}", "{cache}"},
                    FolderCase{"RelativeExecutableFolder", "relative", "{cache}", "{cache}"},
                    FolderCase{"RootIsNeverTaken", "{root}", "{cache}", "{cache}"},
                    FolderCase{"NoCacheEither", "{locked}", "", ""}, FolderCase{"RelativeCache", "", "cache", ""},
                    FolderCase{"RootCache", "", "{root}", ""},
                    FolderCase{"CacheThatCannotBeMade", "{locked}", "{blocked}", ""},
                    FolderCase{"InstalledCopyUsesTheCache", "{installed}", "{cache}", "{cache}"},
                    FolderCase{"PackagedCopyUsesTheCache", "{packaged}", "{cache}", "{cache}"}),
    [](const auto& info) { return std::string(info.param.name); });

#ifndef _WIN32
INSTANTIATE_TEST_SUITE_P(FoldersOthersControl, DownloadFolderChoice,
                         testing::Values(FolderCase{"AnotherUsersFolderUsesTheCache", "{foreign}", "{cache}",
                                                    "{cache}"},
                                         FolderCase{"CacheThroughAPlantedLinkIsRefused", "{locked}", "{planted}", ""}),
                         [](const auto& info) { return std::string(info.param.name); });
#endif

TEST(LocalFiles, OwnFilesHaveAbsolutePathsOutsideTheRoot)
{
    for (const auto& [path, own] : std::vector<std::pair<fs::path, bool>>{
#ifdef _WIN32
             {"", false},
             {"version", false},
             {".\\version", false},
             {"C:\\version", false},
             {"C:version", false},
             {"\\tmp\\version", false},
             {"C:\\tmp\\", false},
             {"C:\\tmp\\version", true},
             {"C:/tmp/a/reklama.bmp", true},
             // MinGW's C++ library sees no root in a share's name, so a copy of the program on a
             // network share keeps its files in the user's cache folder instead
             {"\\\\server\\share\\version", false}})
#else
             {"", false},
             {"version", false},
             {"./version", false},
             {"/version", false},
             {"/tmp/", false},
             {"/tmp/version", true},
             {"/tmp/a/reklama.bmp", true}})
#endif
        EXPECT_EQ(isOwnFilePath(path), own) << path;
}

TEST(LocalFiles, ExistsOnlyForRegularFiles)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "");
    auto others = plantNonRegular(folder, folder.file("version"));
    others.push_back("missing");
    EXPECT_TRUE(fileExists(folder.file("version")));
    for (const auto& name : others)
        EXPECT_FALSE(fileExists(folder.file(name))) << name;
    EXPECT_FALSE(fileExists(""));
}

TEST(LocalFiles, DeletesRegularFilesOnly)
{
    TestFiles::Folder folder;
    TestFiles::Folder elsewhere;
    TestFiles::writeFile(folder.file("version"), "x");
    TestFiles::writeFile(elsewhere.file("precious"), "keep");
    const auto others = plantNonRegular(folder, elsewhere.file("precious"));
    deleteFileQuietly(folder.file("version"));
    deleteFileQuietly(folder.file("missing"));
    for (const auto& name : others)
        deleteFileQuietly(folder.file(name));
    deleteFileQuietly("");
    deleteFileQuietly("precious"); // relative: never the working folder's file
    EXPECT_EQ(TestFiles::entries(folder.path()), std::set<std::string>(others.begin(), others.end()));
    EXPECT_EQ(TestFiles::readFile(elsewhere.file("precious")), "keep");
}

TEST(LocalFiles, RemovesOnlyItsOwnFilesAsTheyWereMade)
{
    TestFiles::Folder folder;
    for (const char* name : {"version", "reklama.bmp", "kept"}) {
        TestFiles::writeFile(folder.file(name), name);
        rememberOwnFile(folder.file(name));
    }
    fs::rename(folder.file("kept"), folder.file("moved"));
    TestFiles::writeFile(folder.file("kept"), "someone else's, under our name");
    deleteFileQuietly(folder.file("reklama.bmp"));
    TestFiles::writeFile(folder.file("reklama.bmp"), "a later download's");
    removeOwnFiles();
    EXPECT_EQ(TestFiles::entries(folder.path()), (std::set<std::string>{"kept", "moved", "reklama.bmp"}));
}

TEST(LocalFiles, ReadsOnlyRegularFilesWithinTheCap)
{
    TestFiles::Folder folder;
    TestFiles::writeFile(folder.file("version"), "12345");
    auto others = plantNonRegular(folder, folder.file("version")); // a pipe without a writer would block
    others.push_back("missing");
    EXPECT_EQ(readOwnFile(folder.file("version"), 5), "12345");
    EXPECT_EQ(readOwnFile(folder.file("version"), 4), std::nullopt);
    for (const auto& name : others)
        EXPECT_EQ(readOwnFile(folder.file(name), 5), std::nullopt) << name;
#ifndef _WIN32
    fs::create_symlink(folder.file("missing"), folder.file("dangling"));
    EXPECT_EQ(readOwnFile(folder.file("dangling"), 5), std::nullopt);
    EXPECT_EQ(readOwnFile("/dev/zero", 5), std::nullopt);
#endif
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
    plant("version.0123abcd.part", true);  // ours, left by an interrupted download
    plant("version.89abcdef.part", false); // a download running right now
    plant("version.0123abc.part", true);
    plant("version.0123abcde.part", true);
    plant("version.0123abcd.partx", true);
    plant("reklama.bmp.0123abcd.part", true); // another target's
    std::set<std::string> kept{"version",
                               "version.89abcdef.part",
                               "version.0123abc.part",
                               "version.0123abcde.part",
                               "version.0123abcd.partx",
                               "reklama.bmp.0123abcd.part",
                               "version.aaaaaaaa.part"};
    fs::create_directory(folder.file("version.aaaaaaaa.part"));
#ifndef _WIN32                            // names differing in case only are one file there, and links need a privilege
    plant("version.0123ABCD.part", true); // not our pattern
    kept.insert("version.0123ABCD.part");
    fs::create_symlink(folder.file("version"), folder.file("version.bbbbbbbb.part"));
    kept.insert("version.bbbbbbbb.part");
#endif

    removeStaleTemporaryFiles(folder.file("version"));
    EXPECT_EQ(TestFiles::entries(folder.path()), kept);
}

} // namespace
