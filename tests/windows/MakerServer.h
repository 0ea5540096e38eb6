#pragma once

#include "ProgramState.h"

#include "HttpTestServer.h"
#include "TestFiles.h"
#include "online/LocalFiles.h"
#include "online/WebAddress.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QImage>
#include <QLockFile>

#include <string>
#include <vector>

// Pictures as a server would send them.
inline std::string encoded(const QImage& image, const char* format = "BMP")
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes.toStdString();
}

inline QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Colours the served banners are filled with, and the built-in banner's ground.
inline const QColor Blue(20, 60, 200);
inline const QColor Green(0, 160, 0);
inline const QColor Red(220, 0, 0);
inline const QColor BuiltInGround(248, 248, 248);

// The online windows under test reach a loopback server that plays the maker's: the proxy
// setting carries their real addresses there. Web pages they open are captured, not launched.
// The downloaded files live beside the test executable, so test processes that run at the same
// time take turns through a lock file.
class MakerServerTest : public ProgramTest {
protected:
    void SetUp() override
    {
        folderLock.setStaleLockTime(0); // only a lock whose process has died is stale
        ASSERT_TRUE(folderLock.lock());
        removeDownloads();
        previousLauncher
            = Module1::setWebAddressLauncher([this](const std::string& address) { opened.push_back(address); });
        ProgramTest::SetUp();
    }

    void TearDown() override
    {
        ProgramTest::TearDown();
        Module1::setWebAddressLauncher(previousLauncher);
        removeDownloads();
        folderLock.unlock();
    }

    static std::filesystem::path localFile(std::string_view name) { return Module1::localFilePath(name); }

    // What the banner window shows at a point of its picture.
    static QColor bannerAt(Form6& form, QPoint point) { return form.Picture1.grab().toImage().pixelColor(point); }

    static void removeDownloads()
    {
        for (const std::string_view name : {Module1::DescriptorFileName, Module1::BannerFileName}) {
            std::error_code ignored;
            std::filesystem::remove_all(localFile(name), ignored);
        }
    }

    static std::string descriptorFile(const std::string& record) { return "[Update]\r\n58211=" + record + "\r\n"; }

    void serveDescriptor(const std::string& record)
    {
        server.setRoute(std::string(Module1::DescriptorWebPath), TestHttp::Route::ok(descriptorFile(record)));
    }

    void serveBanner(const std::string& bytes)
    {
        server.setRoute(std::string(Module1::BannerWebPath), TestHttp::Route::ok(bytes));
    }

    // The requests as the server saw them: through a proxy, the whole address.
    std::vector<std::string> requestedAddresses() const
    {
        std::vector<std::string> addresses;
        for (const TestHttp::Request& request : server.requests())
            addresses.push_back(request.target);
        return addresses;
    }

    TestHttp::HttpTestServer server;
    std::vector<std::string> opened;

private:
    QLockFile folderLock{QCoreApplication::applicationDirPath() + QStringLiteral("/downloads.lock")};
    TestFiles::EnvironmentOverride proxy{
        {"http_proxy", server.url("").c_str()}, {"HTTP_PROXY", nullptr}, {"no_proxy", ""}, {"NO_PROXY", nullptr}};
    Module1::WebAddressLauncher previousLauncher;
};
