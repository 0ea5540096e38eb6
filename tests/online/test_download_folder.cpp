// Where a real executable keeps its downloads: beside itself, in a folder whose name is no valid
// text, or in the user's cache folder when its own folder cannot be written.
#include "HttpTestServer.h"
#include "TestFiles.h"

#include <spawn.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using TestHttp::Route;

const std::string ProbeName = "download_folder_probe";

// Runs `program` with one argument and gives what it printed; the path goes over as bytes.
std::string run(const fs::path& program, const std::string& argument)
{
    int out[2];
    if (pipe(out) != 0)
        return "pipe failed";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    std::string programText = program.native();
    std::string argumentText = argument;
    char* argv[] = {programText.data(), argumentText.data(), nullptr};
    pid_t child = 0;
    const int spawned = posix_spawn(&child, programText.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string output;
    char buffer[4096];
    for (ssize_t count; (count = read(out[0], buffer, sizeof buffer)) > 0;)
        output.append(buffer, static_cast<std::size_t>(count));
    close(out[0]);
    int status = 0;
    if (spawned != 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return "run failed";
    return output;
}

class DownloadFolder : public testing::Test {
protected:
    void SetUp() override { server.setRoute("/update.txt", Route::ok("[Update]\r\n58211=Stav;p;1;\r\n")); }

    void TearDown() override
    {
        if (mounted)
            umount2(readOnly.c_str(), MNT_DETACH);
        else if (fs::exists(readOnly))
            fs::permissions(readOnly, fs::perms::owner_all);
    }

    // A copy of the probe in `folder`.
    static fs::path placeProbe(const fs::path& folder)
    {
        fs::create_directories(folder);
        fs::copy_file(PROBE, folder / ProbeName);
        return folder / ProbeName;
    }

    // The probe in a folder that cannot be written: a read-only mount as root, else no write permission.
    fs::path probeInReadOnlyFolder()
    {
        const auto probe = placeProbe(readOnly);
        if (mount("telimer-test", readOnly.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64m") == 0) {
            mounted = true;
            fs::copy_file(PROBE, probe);
            mount(nullptr, readOnly.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
        } else {
            fs::permissions(readOnly, fs::perms::owner_read | fs::perms::owner_exec);
        }
        return probe;
    }

    std::string url() const { return server.url("/update.txt"); }

    TestFiles::EnvironmentOverride noProxies = TestFiles::withoutProxies();
    TestHttp::HttpTestServer server;
    TestFiles::Folder folder;
    fs::path readOnly = fs::path(folder.path()) / "read-only";
    fs::path cache = fs::path(folder.path()) / "cache";
    TestFiles::EnvironmentOverride cacheHome{{"XDG_CACHE_HOME", cache.c_str()}};
    bool mounted = false;
};

TEST_F(DownloadFolder, BesideTheExecutableWhateverBytesItsFolderNameHas)
{
    for (const char* name : {"plain", "složka", "\xff\xfe"}) {
        const auto probe = placeProbe(fs::path(folder.path()) / name);
        EXPECT_EQ(run(probe, url()), probe.parent_path().native() + "\n1\nStav\n") << name;
        EXPECT_EQ(TestFiles::entries(probe.parent_path()), std::set<std::string>{ProbeName}) << name;
    }
    EXPECT_FALSE(fs::exists(cache));
}

TEST_F(DownloadFolder, InTheUsersCacheWhenTheExecutablesFolderIsReadOnly)
{
    const auto probe = probeInReadOnlyFolder();
    if (access(readOnly.c_str(), W_OK) == 0 && !mounted)
        GTEST_SKIP() << "this user writes into any folder";
    const auto expected = cache / ProbeName;
    EXPECT_EQ(run(probe, url()), expected.native() + "\n1\nStav\n");
    // The program's folder goes once the run leaves it empty; the cache folder of all programs stays.
    EXPECT_FALSE(fs::exists(expected));
    EXPECT_TRUE(fs::is_directory(cache));
    EXPECT_EQ(TestFiles::entries(readOnly), std::set<std::string>{ProbeName});
    // A file the run did not make keeps the folder.
    fs::create_directories(expected);
    TestFiles::writeFile(expected / "other", "");
    EXPECT_EQ(run(probe, url()), expected.native() + "\n1\nStav\n");
    EXPECT_EQ(TestFiles::entries(expected), std::set<std::string>{"other"});
}

TEST_F(DownloadFolder, LeftoverInTheCacheIsReadThenRemoved)
{
    const auto probe = probeInReadOnlyFolder();
    if (access(readOnly.c_str(), W_OK) == 0 && !mounted)
        GTEST_SKIP() << "this user writes into any folder";
    const auto expected = cache / ProbeName;
    fs::create_directories(expected);
    TestFiles::writeFile(expected / "version", "[Update]\n58211=Starý;p;1;\n");
    const auto refused = "http://127.0.0.1:" + std::to_string(TestHttp::closedLoopbackPort()) + "/update.txt";
    EXPECT_EQ(run(probe, refused), expected.native() + "\n0\nStarý\n");
    EXPECT_FALSE(fs::exists(expected));
}

TEST_F(DownloadFolder, NoUsableFolderMeansNoDownloadAndNoFile)
{
    const auto probe = probeInReadOnlyFolder();
    if (access(readOnly.c_str(), W_OK) == 0 && !mounted)
        GTEST_SKIP() << "this user writes into any folder";
    // A cache folder that cannot be made; a home folder that is the root folder, or none at all.
    const std::string unusable = (readOnly / "cache").string();
    using Setting = std::pair<const char*, const char*>;
    for (const auto& [cacheHome, home] :
         {Setting{unusable.c_str(), "/home-unused"}, Setting{nullptr, "/"}, Setting{}}) {
        const TestFiles::EnvironmentOverride environment{{"XDG_CACHE_HOME", cacheHome}, {"HOME", home}};
        EXPECT_EQ(run(probe, url()), "\n0\nnone\n") << (home ? home : "no home");
        EXPECT_TRUE(server.requests().empty());
        EXPECT_EQ(TestFiles::entries(readOnly), std::set<std::string>{ProbeName});
        EXPECT_FALSE(fs::exists("/version"));
        EXPECT_FALSE(fs::exists("/.cache/" + std::string(ProbeName)));
    }
}

} // namespace
