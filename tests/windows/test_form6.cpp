#include "MakerServer.h"

#include "online/BannerImage.h"

#include <QScreen>
#include <QTest>

#include <filesystem>
#include <optional>

namespace {

using TestHttp::Route;

class Banner : public MakerServerTest {
protected:
    static QColor windowGround(Form6& form) { return form.palette().color(QPalette::Window); }
};

// A picture whose header claims a size no banner has; decoding it would only cost memory.
std::string hugeBitmap()
{
    std::string bytes = encoded(filled({1, 1}, Blue));
    const auto putInt32 = [&](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xff);
    };
    putInt32(18, 60000); // width
    putInt32(22, 60000); // height
    return bytes;
}

// The picture that the box ends up showing for one answer of the server.
struct PictureCase {
    const char* name;
    std::optional<std::string> body;                 // nothing: the server has no banner (404)
    std::vector<std::pair<QPoint, QColor>> expected; // a null colour means the window's ground
};

void PrintTo(const PictureCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<PictureCase> pictureCases()
{
    QImage larger = filled({600, 100}, Red);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 468; ++x)
            larger.setPixelColor(x, y, Green);
    const std::string bitmap = encoded(filled({468, 60}, Blue));
    return {
        {"Downloaded", bitmap, {{{0, 0}, Blue}, {{467, 59}, Blue}}},
        {"PngUnderTheBitmapName", encoded(filled({468, 60}, Green), "PNG"), {{{234, 30}, Green}}},
        {"LargerIsCutAtRightAndBottom", encoded(larger), {{{467, 59}, Green}}},
        {"SmallerLeavesTheGroundAround",
         encoded(filled({100, 20}, Blue)),
         {{{99, 19}, Blue}, {{100, 10}, QColor()}, {{50, 20}, QColor()}, {{467, 59}, QColor()}}},
        {"NoBannerOnTheServer", std::nullopt, {{{2, 2}, BuiltInGround}}},
        {"ErrorPageInstead", std::string("<html><body>Nenalezeno</body></html>"), {{{2, 2}, BuiltInGround}}},
        {"AbsurdSize", hugeBitmap(), {{{2, 2}, BuiltInGround}}},
        {"BitmapCutShort", bitmap.substr(0, bitmap.size() / 2), {{{2, 2}, BuiltInGround}}},
        {"WiderThanAnyBanner", encoded(filled({Module1::MaxBannerSide + 1, 60}, Blue)), {{{2, 2}, BuiltInGround}}},
    };
}

class BannerPicture : public Banner, public ::testing::WithParamInterface<PictureCase> { };

TEST_P(BannerPicture, FillsTheBoxOfFixedSize)
{
    if (GetParam().body)
        serveBanner(*GetParam().body);
    Form6& form = Form6::instance();
    EXPECT_EQ(form.size(), QSize(468, 60));
    EXPECT_EQ(form.Picture1.geometry(), QRect(0, 0, 468, 60));
    for (const auto& [point, colour] : GetParam().expected)
        EXPECT_EQ(bannerAt(form, point), colour.isValid() ? colour : windowGround(form))
            << point.x() << "," << point.y();
}

INSTANTIATE_TEST_SUITE_P(Answers, BannerPicture, ::testing::ValuesIn(pictureCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Banner, LoadDownloadsBannerThenDescriptorThroughTheProxy)
{
    serveBanner(encoded(filled({468, 60}, Blue)));
    serveDescriptor("Stav;vexa.example/telimer;1;http://akce.example/jaro");
    Form6& form = Form6::instance();
    EXPECT_EQ(requestedAddresses(),
              (std::vector{Module1::downloadAddress(Module1::BannerWebPath),
                           Module1::downloadAddress(Module1::DescriptorWebPath)}));
    EXPECT_TRUE(Module1::fileExists(localFile(Module1::BannerFileName)));
    EXPECT_TRUE(Module1::fileExists(localFile(Module1::DescriptorFileName)));
    EXPECT_EQ(form.Adresa, "http://akce.example/jaro");
    EXPECT_EQ(form.Polozky.size(), 4u);
    EXPECT_EQ(form.Citac, 0);
    EXPECT_FALSE(form.isVisible()); // main() shows it once the load is over
    EXPECT_TRUE(form.Timer1.isActive());
    EXPECT_EQ(form.Timer1.interval(), 500);
}

TEST_F(Banner, IsABorderlessSplashCentredOnTheScreen)
{
    Form6& form = Form6::instance();
    EXPECT_EQ(form.windowType(), Qt::SplashScreen);
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    const QRect screen = form.screen()->availableGeometry();
    EXPECT_LE((form.geometry().center() - screen.center()).manhattanLength(), 1);
    form.show();
    EXPECT_EQ(form.geometry().size(), QSize(468, 60));
}

TEST_F(Banner, LeftoverBannerIsShownWhenTheDownloadFailsThenDeleted)
{
    TestFiles::writeFile(localFile(Module1::BannerFileName), encoded(filled({468, 60}, Red)));
    Form6& form = Form6::instance();
    EXPECT_EQ(bannerAt(form, {10, 10}), Red);
    for (int tick = 0; tick < 10; ++tick)
        form.Timer1_Timer();
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::BannerFileName)));
}

TEST_F(Banner, TenthTickRemovesTheFilesAndHandsOverToTheMainWindow)
{
    serveBanner(encoded(filled({468, 60}, Blue)));
    serveDescriptor("Stav;p;1;http://akce.example/");
    Form6& form = Form6::instance();
    form.show();
    for (int tick = 1; tick < 10; ++tick) {
        form.Timer1_Timer();
        ASSERT_EQ(Form1::existing(), nullptr) << tick;
    }
    EXPECT_EQ(form.Citac, 9);
    EXPECT_TRUE(Module1::fileExists(localFile(Module1::DescriptorFileName)));
    form.Timer1_Timer();
    EXPECT_FALSE(form.Timer1.isActive());
    EXPECT_EQ(Form6::existing(), nullptr);
    ASSERT_NE(Form1::existing(), nullptr);
    EXPECT_TRUE(Form1::existing()->isVisible());
    EXPECT_FALSE(Module1::fileExists(localFile(Module1::DescriptorFileName)));
    EXPECT_FALSE(Module1::fileExists(localFile(Module1::BannerFileName)));
}

TEST_F(Banner, OwnTimerHandsOver)
{
    Form6& form = Form6::instance();
    form.Timer1.setInterval(1); // the wiring, not the five seconds
    form.show();
    EXPECT_TRUE(QTest::qWaitFor([] { return Form1::existing() && Form1::existing()->isVisible(); }, 5000));
    EXPECT_EQ(Form6::existing(), nullptr);
}

TEST_F(Banner, FilesThatCannotBeDeletedAreLeftAlone)
{
    // A folder where the banner file belongs can be neither written nor deleted as a file.
    std::filesystem::create_directory(localFile(Module1::BannerFileName));
    serveBanner(encoded(filled({468, 60}, Blue)));
    Form6& form = Form6::instance();
    EXPECT_EQ(bannerAt(form, {2, 2}), BuiltInGround);
    for (int tick = 0; tick < 10; ++tick)
        form.Timer1_Timer();
    EXPECT_TRUE(std::filesystem::is_directory(localFile(Module1::BannerFileName)));
    ASSERT_NE(Form1::existing(), nullptr);
    EXPECT_TRUE(Form1::existing()->isVisible());
}

// What a click on the banner opens, by the descriptor that the load read.
struct ClickCase {
    const char* name;
    std::optional<std::string> record; // nothing: no descriptor on the server
    std::vector<std::string> opened;
};

void PrintTo(const ClickCase& c, std::ostream* out)
{
    *out << c.name;
}

const std::string DefaultPage = Module1::pageAddress(Module1::DefaultBannerPagePath);

std::vector<ClickCase> clickCases()
{
    return {
        {"FieldThreeUnchanged", "Stav;p;1;HTTP://Akce.example/Jaro?a=1&b=%20", {"HTTP://Akce.example/Jaro?a=1&b=%20"}},
        {"FieldsAfterThreeIgnored", "Stav;p;1;https://akce.example/; dalsi", {"https://akce.example/"}},
        {"EmptyFieldThree", "Stav;p;1;", {DefaultPage}},
        {"NoDescriptor", std::nullopt, {DefaultPage}},
        {"ValueStartingWithError", "error;p;1;https://akce.example/", {DefaultPage}},
        {"FewerThanFourFields", "Stav;p;1", {DefaultPage}},
        {"NotAWebAddress", "Stav;p;1;file:///usr/bin/xterm", {}},
    };
}

class BannerClick : public Banner, public ::testing::WithParamInterface<ClickCase> { };

TEST_P(BannerClick, OpensTheDescriptorsAddressOrTheDefaultPage)
{
    if (GetParam().record)
        serveDescriptor(*GetParam().record);
    Form6& form = Form6::instance();
    form.show();
    QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, {100, 30});
    EXPECT_EQ(opened, GetParam().opened);
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.Timer1.isActive());
}

INSTANTIATE_TEST_SUITE_P(Descriptors, BannerClick, ::testing::ValuesIn(clickCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Banner, EveryClickOpensThePageAgainAndTheHandoverStillComes)
{
    Form6& form = Form6::instance();
    form.show();
    for (int click = 0; click < 3; ++click) {
        QTest::mouseClick(&form.Picture1, Qt::LeftButton, {}, {10, 10});
        form.Timer1_Timer();
    }
    EXPECT_EQ(opened, (std::vector{DefaultPage, DefaultPage, DefaultPage}));
    for (int tick = 3; tick < 10; ++tick)
        form.Timer1_Timer();
    EXPECT_NE(Form1::existing(), nullptr);
}

TEST_F(Banner, StartsAtOnceWithoutNetworkAndLeavesNoFile)
{
    const TestFiles::EnvironmentOverride refused{
        {"http_proxy", ("http://127.0.0.1:" + std::to_string(TestHttp::closedLoopbackPort())).c_str()}};
    Form6& form = Form6::instance();
    EXPECT_EQ(bannerAt(form, {2, 2}), BuiltInGround);
    EXPECT_TRUE(form.Adresa.empty());
    for (int tick = 0; tick < 10; ++tick)
        form.Timer1_Timer();
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::BannerFileName)));
}

} // namespace

namespace {

TEST_F(Banner, ClosedBeforeItsTimeEndsTheProgramWithItsFilesRemoved)
{
    serveBanner(encoded(filled({468, 60}, Blue)));
    serveDescriptor("Stav;p;1;http://akce.example/");
    Form6& form = Form6::instance();
    form.show();
    form.Timer1_Timer();
    ASSERT_TRUE(Module1::fileExists(localFile(Module1::BannerFileName)));
    ASSERT_TRUE(Module1::fileExists(localFile(Module1::DescriptorFileName)));
    // As the desktop asks when the user closes it.
    QTimer::singleShot(0, &form, &QWidget::close);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(Form6::existing(), nullptr);
    EXPECT_EQ(Form1::existing(), nullptr);
    EXPECT_FALSE(Module1::fileExists(localFile(Module1::BannerFileName)));
    EXPECT_FALSE(Module1::fileExists(localFile(Module1::DescriptorFileName)));
}

} // namespace
