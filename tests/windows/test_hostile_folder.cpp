// The start-up banner and the About window against what a hostile server or a shared folder
// may hold: links planted under the downloaded files' names, a huge leftover file, a server
// that drips its answer.
#include "MakerServer.h"

#include "resources/Strings.h"

#include <chrono>

namespace {

namespace fs = std::filesystem;
using TestHttp::Route;

class HostileFolder : public MakerServerTest {
protected:
    void endBanner()
    {
        for (int tick = 0; tick < 10; ++tick)
            Form6::existing()->Timer1_Timer();
    }

    TestFiles::Folder elsewhere;
};

TEST_F(HostileFolder, LinkedBannerIsNeitherShownNorWrittenThrough)
{
    const std::string redBanner = encoded(filled({468, 60}, Red));
    TestFiles::writeFile(elsewhere.file("picture"), redBanner);
    fs::create_symlink(elsewhere.file("picture"), localFile(Module1::BannerFileName));
    Form6& failed = Form6::instance(); // the server has no banner: the link stays, unread
    EXPECT_EQ(bannerAt(failed, {10, 10}), BuiltInGround);
    endBanner();
    EXPECT_TRUE(fs::is_symlink(localFile(Module1::BannerFileName)));

    reset();
    serveBanner(encoded(filled({468, 60}, Blue)));
    Form6& downloaded = Form6::instance(); // the download replaces the link, not what it points to
    EXPECT_EQ(bannerAt(downloaded, {10, 10}), Blue);
    EXPECT_EQ(TestFiles::readFile(elsewhere.file("picture")), redBanner);
    endBanner();
    EXPECT_FALSE(fs::exists(fs::symlink_status(localFile(Module1::BannerFileName))));
}

TEST_F(HostileFolder, LinkedDescriptorIsNotRead)
{
    TestFiles::writeFile(elsewhere.file("descriptor"), descriptorFile("Cizí;p.example;1;http://cizi.example/"));
    fs::create_symlink(elsewhere.file("descriptor"), localFile(Module1::DescriptorFileName));
    EXPECT_TRUE(Form6::instance().Adresa.empty());
    EXPECT_TRUE(Form3::instance().Chyba);
    Form3::existing()->close();
    EXPECT_TRUE(fs::exists(elsewhere.file("descriptor")));
}

TEST_F(HostileFolder, HugeLeftoverDescriptorIsNoDescriptor)
{
    // Sparse: a gigabyte that takes no disk space, and that nothing may read whole.
    const auto descriptor = localFile(Module1::DescriptorFileName);
    TestFiles::writeFile(descriptor, descriptorFile("Obří;p.example;1;http://velky.example/"));
    fs::resize_file(descriptor, 1ULL << 30);
    Form3& about = Form3::instance();
    EXPECT_TRUE(about.Chyba);
    EXPECT_EQ(about.Label15.text(), strings::load(strings::DownloadError));
    about.close();
    EXPECT_FALSE(fs::exists(descriptor));
}

// A server dripping two bytes a second: the banner still shows within 12 s of the start and the
// About window opens within 10 s.
TEST_F(HostileFolder, DrippingServerHoldsNeitherStartUpNorAbout)
{
    const Route drip = Route::drip(std::string(100000, 'd'), 2);
    server.setRoute(std::string(Module1::BannerWebPath), drip);
    server.setRoute(std::string(Module1::DescriptorWebPath), drip);
    using std::chrono::steady_clock;

    auto start = steady_clock::now();
    Form6& form = Form6::instance();
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(12));
    EXPECT_EQ(bannerAt(form, {2, 2}), BuiltInGround);
    endBanner();

    start = steady_clock::now();
    Form3& about = Form3::instance();
    EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(10));
    EXPECT_TRUE(about.Chyba);
    about.close();
    EXPECT_FALSE(fs::exists(localFile(Module1::DescriptorFileName)));
}

} // namespace
