#include "windows/Form6.h"

#include "online/BannerImage.h"
#include "online/Descriptor.h"
#include "online/Download.h"
#include "online/FetchDescriptor.h"
#include "online/LocalFiles.h"
#include "online/WebAddress.h"
#include "resources/Pictures.h"
#include "windows/Application.h"
#include "windows/BusyCursor.h"
#include "windows/Form1.h"
#include "windows/Layout.h"

#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <optional>

Form6::Form6() : Picture1(pictures::BuiltInBanner)
{
    setWindowTitle(QStringLiteral("Form6"));
    // A splash window: no border, no title bar, no task bar entry. Nobody sees its title, but a
    // screen reader would say it: it speaks the program's name instead.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint);
    setAccessibleName(QStringLiteral("Telimer"));
    Picture1.setAccessibleName(QStringLiteral("Reklamní banner"));
    resize(518, 161); // the design size, replaced by the load
    windows::applyLayout({{&Picture1, this, 0, 0, 7020, 900}});
    Timer1.setInterval(500);
    connect(&Timer1, &QTimer::timeout, this, &Form6::Timer1_Timer);
    connect(&Picture1, &windows::Picture::clicked, this, &Form6::Picture1_Click);
}

void Form6::Form_Load()
{
    const windows::BusyCursor busy;
    const Module1::DownloadLimits limits = Module1::startupLimits();
    const auto banner = Module1::localFilePath(Module1::BannerFileName);
    Module1::Stahni(Module1::downloadAddress(Module1::BannerWebPath), banner, limits);
    if (Module1::fileExists(banner))
        showBanner(banner);
    setFixedSize(Picture1.size());
    centreOnScreen();

    if (auto fields = Module1::fetchDescriptor(Module1::BannerFieldCount, limits).fields) {
        Polozky = std::move(*fields);
        Adresa = Module1::bannerAddress(Polozky);
    }
    // The ten ticks count from the end of the load, so the banner stays about five seconds
    // however long the downloads took.
    Timer1.start();
}

// The picture is drawn at its own size from the box's corner: cut at the right and bottom when
// larger, the box's background around it when smaller.
void Form6::showBanner(const std::filesystem::path& path)
{
    const auto bytes = Module1::readOwnFile(path, Module1::MaxDownloadBytes);
    const std::optional<QImage> image = bytes ? Module1::decodeBanner(*bytes) : std::nullopt;
    if (!image)
        return;
    QPixmap box(Picture1.size());
    box.fill(palette().color(QPalette::Window));
    QPainter painter(&box);
    painter.drawImage(0, 0, *image);
    painter.end();
    Picture1.setPixmap(box);
}

void Form6::centreOnScreen()
{
    const QScreen* display = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!display)
        return;
    QRect frame(QPoint(0, 0), size());
    frame.moveCenter(display->availableGeometry().center());
    move(frame.topLeft());
}

void Form6::Picture1_Click()
{
    if (Adresa.empty())
        Adresa = Module1::pageAddress(Module1::DefaultBannerPagePath);
    Module1::openWebAddress(Adresa);
}

void Form6::Timer1_Timer()
{
    Citac += 1;
    if (Citac < 10)
        return;
    Timer1.stop();
    removeDownloads();
    Form1::instance().show();
    close();
}

void Form6::Form_Unload()
{
    // Without the main window nothing else would ever end the program.
    if (Citac >= 10)
        return;
    Timer1.stop();
    removeDownloads();
    windows::endProgram();
}

void Form6::removeDownloads()
{
    Module1::removeDescriptor();
    Module1::deleteFileQuietly(Module1::localFilePath(Module1::BannerFileName));
}
