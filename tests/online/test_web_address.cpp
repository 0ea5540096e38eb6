#include "online/WebAddress.h"

#include "BuildInfo.h"

#include <gtest/gtest.h>

#include <vector>

using namespace Module1;

namespace {

// Captures the addresses handed to the desktop for the lifetime of the object.
class CapturedLauncher {
public:
    CapturedLauncher() : previous_(setWebAddressLauncher([this](const std::string& a) { opened.push_back(a); })) { }
    ~CapturedLauncher() { setWebAddressLauncher(previous_); }
    CapturedLauncher(const CapturedLauncher&) = delete;
    CapturedLauncher& operator=(const CapturedLauncher&) = delete;

    std::vector<std::string> opened;

private:
    WebAddressLauncher previous_;
};

struct AddressCase {
    const char* name;
    std::string address;
    bool handedOver;
};

void PrintTo(const AddressCase& param, std::ostream* out)
{
    *out << param.name;
}

class OpeningAddresses : public testing::TestWithParam<AddressCase> { };

TEST_P(OpeningAddresses, HandsOnlyWebAddressesToTheDesktop)
{
    CapturedLauncher launcher;
    openWebAddress(GetParam().address);
    const auto expected = GetParam().handedOver ? std::vector{GetParam().address} : std::vector<std::string>{};
    EXPECT_EQ(launcher.opened, expected);
}

INSTANTIATE_TEST_SUITE_P(
    WebAddress, OpeningAddresses,
    testing::Values(AddressCase{"Http", "http://www.vexasoftware.example/page/prg_telimer.html", true},
                    AddressCase{"Https", "https://example.org/?a=1&b=;c", true},
                    AddressCase{"UpperCaseScheme", "HTTP://EXAMPLE.ORG", true},
                    AddressCase{"MixedCaseScheme", "HttpS://example.org", true},
                    AddressCase{"SpaceInside", "http://example.org/a b", true},
                    AddressCase{"File", "file:///usr/bin/xterm", false},
                    AddressCase{"JavaScript", "javascript:alert(1)", false},
                    AddressCase{"AbsolutePath", "/usr/bin/xterm", false}, AddressCase{"RelativePath", "xterm", false},
                    AddressCase{"WindowsPath", "C:\\Windows\\System32\\calc.exe", false},
                    AddressCase{"WithoutScheme", "www.vexasoftware.example", false}, AddressCase{"Empty", "", false},
                    AddressCase{"LeadingBlank", " http://example.org", false},
                    AddressCase{"SchemeOnlyPrefix", "httpx://example.org", false},
                    AddressCase{"OneSlash", "http:/example.org", false}, AddressCase{"Ftp", "ftp://example.org", false},
                    AddressCase{"LineBreakInside", "http://example.org\nfile:///etc/passwd", false},
                    AddressCase{"NulInside", std::string("http://example.org\0x", 20), false},
                    AddressCase{"C1ControlInside", "http://example.org/\u0085file:///etc/passwd", false},
                    AddressCase{"LineSeparatorInside", "http://example.org/\u2028file:///etc/passwd", false},
                    AddressCase{"NoValidText", "http://example.org/\x85", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WebAddressLauncher, ReturnsThePreviousLauncherAndRestores)
{
    std::vector<std::string> first;
    std::vector<std::string> second;
    const auto original = setWebAddressLauncher([&](const std::string& a) { first.push_back(a); });
    EXPECT_TRUE(original);
    const auto previous = setWebAddressLauncher([&](const std::string& a) { second.push_back(a); });
    openWebAddress("http://a.example");
    previous("http://b.example");
    EXPECT_EQ(first, std::vector<std::string>{"http://b.example"});
    EXPECT_EQ(second, std::vector<std::string>{"http://a.example"});
    EXPECT_TRUE(setWebAddressLauncher(nullptr));
    EXPECT_TRUE(setWebAddressLauncher(original)); // the desktop's handler again after nullptr
}

TEST(WebAddressBuilding, DownloadsUseTheHostPagesItsWwwName)
{
    const std::string host = buildinfo::Host;
    EXPECT_EQ(downloadAddress(DescriptorWebPath), "http://" + host + "/update.txt");
    EXPECT_EQ(downloadAddress(BannerWebPath), "http://" + host + "/pic/reklama_telimer.bmp");
    EXPECT_EQ(pageAddress(ProgramPagePath), "http://www." + host + "/data/html/telimer.html");
    EXPECT_EQ(pageAddress(DefaultBannerPagePath), "http://www." + host + "/page/prg_telimer.html");
    EXPECT_EQ(pageAddress(""), "http://www." + host);
}

} // namespace
