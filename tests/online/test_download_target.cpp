// What a download may write over, and what it may not: symbolic links, things that are no
// regular file, a full disk, leftovers of interrupted downloads.
#include "online/Download.h"
#include "online/LocalFiles.h"

#include "HttpTestServer.h"
#include "TestFiles.h"

#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <csignal>

#include <gtest/gtest.h>

using Module1::Stahni;
using TestFiles::entries;
using TestFiles::readFile;
using TestFiles::writeFile;
using TestHttp::Route;
namespace fs = std::filesystem;

namespace {

const std::string Body = "[Update]\r\n58211=a;b;1;c\r\n";

class DownloadTarget : public testing::Test {
protected:
    DownloadTarget()
    {
        server.setRoute("/file", Route::ok(Body));
        writeFile(elsewhere.file("precious"), "keep");
    }

    bool download() { return Stahni(server.url("/file"), target); }
    bool downloadMissing() { return Stahni(server.url("/missing"), target); }

    TestFiles::EnvironmentOverride noProxies = TestFiles::withoutProxies();
    TestHttp::HttpTestServer server;
    TestFiles::Folder folder;
    TestFiles::Folder elsewhere;
    fs::path target = folder.file("version");
};

TEST_F(DownloadTarget, LinkToAFileIsReplacedAndItsTargetNeverWritten)
{
    fs::create_symlink(elsewhere.file("precious"), target);
    EXPECT_TRUE(download());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    EXPECT_EQ(readFile(target), Body);
    EXPECT_EQ(readFile(elsewhere.file("precious")), "keep");
    EXPECT_EQ(entries(folder.path()), std::set<std::string>{"version"});
}

TEST_F(DownloadTarget, DanglingLinkIsReplacedAndMakesNoFileWhereItPoints)
{
    fs::create_symlink(elsewhere.file("new"), target);
    EXPECT_TRUE(download());
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(target)));
    EXPECT_FALSE(fs::exists(elsewhere.file("new")));
    EXPECT_EQ(entries(elsewhere.path()), std::set<std::string>{"precious"});
}

TEST_F(DownloadTarget, FailedDownloadLeavesALinkAndWhatItPointsTo)
{
    fs::create_symlink(elsewhere.file("precious"), target);
    EXPECT_FALSE(downloadMissing());
    EXPECT_TRUE(fs::is_symlink(target));
    EXPECT_EQ(readFile(elsewhere.file("precious")), "keep");
    EXPECT_EQ(entries(folder.path()), std::set<std::string>{"version"});
}

// Anything else under the name stays as it is, and the download fails without asking the server.
struct PlantedCase {
    const char* name;
    void (*plant)(const fs::path&);
};

void PrintTo(const PlantedCase& c, std::ostream* out)
{
    *out << c.name;
}

class NonRegularTarget : public DownloadTarget, public testing::WithParamInterface<PlantedCase> { };

TEST_P(NonRegularTarget, IsLeftAloneAndTheDownloadFails)
{
    GetParam().plant(target);
    if (IsSkipped())
        return;
    const auto planted = fs::symlink_status(target).type();
    EXPECT_FALSE(download());
    EXPECT_EQ(fs::symlink_status(target).type(), planted);
    EXPECT_EQ(entries(folder.path()), std::set<std::string>{"version"});
    EXPECT_TRUE(server.requests().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Planted, NonRegularTarget,
    testing::Values(PlantedCase{"Folder", [](const fs::path& path) { fs::create_directory(path); }},
                    PlantedCase{"Pipe", [](const fs::path& path) { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }},
                    PlantedCase{"Device",
                                [](const fs::path& path) {
                                    if (mknod(path.c_str(), S_IFCHR | 0600, makedev(1, 3)) != 0)
                                        GTEST_SKIP() << "this user cannot make a device node";
                                }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloadTarget, PathsThatAreNotOurOwnAreRefused)
{
    const auto before = entries(".");
    for (const fs::path& path : {fs::path(), fs::path("version"), fs::path("./version"), fs::path("/version")})
        EXPECT_FALSE(Stahni(server.url("/file"), path)) << path;
    EXPECT_EQ(entries("."), before);
    EXPECT_FALSE(fs::exists("/version"));
    EXPECT_TRUE(server.requests().empty());
}

TEST_F(DownloadTarget, StaleTemporaryFilesOfAnInterruptedDownloadGo)
{
    writeFile(folder.file("version.0badf00d.part"), "half a body");
    fs::last_write_time(folder.file("version.0badf00d.part"), fs::file_time_type::clock::now() - std::chrono::hours(1));
    EXPECT_TRUE(download());
    EXPECT_EQ(entries(folder.path()), std::set<std::string>{"version"});
}

// A full disk: a small file system filled to the brim.
class FullDisk : public DownloadTarget {
protected:
    void SetUp() override
    {
        if (mount("telimer-test", folder.path().c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
            GTEST_SKIP() << "cannot mount a small file system here (needs root)";
        mounted = true;
        writeFile(target, "earlier");
        std::ofstream filler(folder.file("filler"), std::ios::binary);
        const std::string block(4096, 'f');
        while (filler.write(block.data(), block.size()) && filler.flush()) { }
    }
    void TearDown() override
    {
        if (mounted)
            umount2(folder.path().c_str(), MNT_DETACH);
    }
    bool mounted = false;
};

TEST_F(FullDisk, DownloadFailsAndKeepsTheEarlierFile)
{
    EXPECT_FALSE(download());
    EXPECT_EQ(readFile(target), "earlier");
    EXPECT_EQ(entries(folder.path()), (std::set<std::string>{"filler", "version"}));
}

// The same failure without root: a file-size limit cuts the write short, as a full disk would.
TEST_F(DownloadTarget, WriteCutShortFailsAndKeepsTheEarlierFile)
{
    writeFile(target, "earlier");
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit small = previous;
    small.rlim_cur = 50; // the body has 26 bytes more
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    server.setRoute("/file", Route::ok(Body + std::string(50, 'x')));
    const bool downloaded = download();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(downloaded);
    EXPECT_EQ(readFile(target), "earlier");
    EXPECT_EQ(entries(folder.path()), std::set<std::string>{"version"});
}

} // namespace
