#include "online/Download.h"

#include "HttpTestServer.h"
#include "TestFiles.h"

#include <QProcess>

#include <gtest/gtest.h>

using Module1::Stahni;

namespace {

// The stand-in for the maker's server that end-to-end runs start as a program of its own.
class FakeMakerServer : public testing::Test {
protected:
    void SetUp() override
    {
        TestFiles::writeFile(site.file("update.txt"), "[Update]\n58211=a;b;1;\n");
        std::filesystem::create_directories(site.file("pic"));
        TestFiles::writeFile(site.file("pic/reklama_telimer.bmp"), "BM picture");

        server.start(FAKE_MAKER_SERVER, {QString::fromStdString(site.path())});
        ASSERT_TRUE(server.waitForStarted(5000));
        while (!server.canReadLine())
            ASSERT_TRUE(server.waitForReadyRead(5000));
        bool ok = false;
        port = server.readLine().trimmed().toInt(&ok);
        ASSERT_TRUE(ok);
    }

    void TearDown() override
    {
        if (server.state() != QProcess::NotRunning) {
            server.kill();
            server.waitForFinished(5000);
        }
    }

    std::string address(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port) + path; }

    TestFiles::EnvironmentOverride noProxies = TestFiles::withoutProxies();
    TestFiles::Folder site;
    TestFiles::Folder downloads;
    QProcess server;
    int port = 0;
};

TEST_F(FakeMakerServer, ServesTheFolderAndEndsWithItsInput)
{
    EXPECT_TRUE(Stahni(address("/update.txt"), downloads.file("version")));
    EXPECT_EQ(TestFiles::readFile(downloads.file("version")), "[Update]\n58211=a;b;1;\n");
    EXPECT_TRUE(Stahni(address("/pic/reklama_telimer.bmp"), downloads.file("reklama.bmp")));
    EXPECT_EQ(TestFiles::readFile(downloads.file("reklama.bmp")), "BM picture");
    EXPECT_FALSE(Stahni(address("/missing.txt"), downloads.file("missing")));
    EXPECT_FALSE(Stahni(address("/pic"), downloads.file("folder")));

    server.closeWriteChannel();
    ASSERT_TRUE(server.waitForFinished(5000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
}

TEST_F(FakeMakerServer, AnswersAsAProxyAndEndsOnSigterm)
{
    {
        // Through a proxy the request carries the whole address; the closed target port proves the detour.
        const TestFiles::EnvironmentOverride proxy{
            {"http_proxy", address("").c_str()}, {"no_proxy", nullptr}, {"NO_PROXY", nullptr}};
        const auto target = "http://127.0.0.1:" + std::to_string(TestHttp::closedLoopbackPort()) + "/update.txt";
        EXPECT_TRUE(Stahni(target, downloads.file("version")));
    }
    EXPECT_EQ(TestFiles::readFile(downloads.file("version")), "[Update]\n58211=a;b;1;\n");

    server.terminate();
    ASSERT_TRUE(server.waitForFinished(5000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
}

} // namespace
