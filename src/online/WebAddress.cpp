#include "online/WebAddress.h"

#include "BuildInfo.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <array>
#include <cctype>
#include <mutex>
#include <utility>

#ifdef _WIN32
// shellapi.h needs the types of windows.h before it.
#include <windows.h>

#include <shellapi.h>
#endif

namespace Module1 {
namespace {

constexpr std::array<std::string_view, 2> WebSchemes = {"http://", "https://"};

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size()
        && std::ranges::equal(text.substr(0, prefix.size()), prefix,
                              [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
}

void openWithDesktop(const std::string& address)
{
#ifdef _WIN32
    const auto wide = QString::fromStdString(address).toStdWString();
    ShellExecuteW(nullptr, nullptr, wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
#elif defined(__APPLE__)
    QProcess::startDetached(QStringLiteral("open"), {QString::fromStdString(address)});
#else
    QProcess::startDetached(QStringLiteral("xdg-open"), {QString::fromStdString(address)});
#endif
}

std::mutex launcherMutex;
WebAddressLauncher currentLauncher = openWithDesktop;

} // namespace

std::string downloadAddress(std::string_view path)
{
    return "http://" + std::string(buildinfo::Host) + std::string(path);
}

std::string pageAddress(std::string_view path)
{
    return std::string(PagePrefix) + buildinfo::Host + std::string(path);
}

bool isWebAddress(std::string_view address)
{
    // A line break or other control character has no place in an address and could confuse the
    // handler: C0, DEL and C1 alike, and the line and paragraph separators. Bytes that are no
    // UTF-8 would reach it as some other encoding's characters, a C1 control among them.
    const auto text = QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size()));
    const auto isControl = [](QChar c) {
        return c.category() == QChar::Other_Control || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
    };
    return text.toUtf8() == QByteArrayView(address.data(), static_cast<qsizetype>(address.size()))
        && std::ranges::none_of(text, isControl) && std::ranges::any_of(WebSchemes, [&](std::string_view scheme) {
               return startsWithIgnoringCase(address, scheme);
           });
}

void openWebAddress(const std::string& address)
{
    if (!isWebAddress(address))
        return;
    WebAddressLauncher launcher;
    {
        const std::lock_guard lock(launcherMutex);
        launcher = currentLauncher;
    }
    launcher(address);
}

WebAddressLauncher setWebAddressLauncher(WebAddressLauncher launcher)
{
    const std::lock_guard lock(launcherMutex);
    return std::exchange(currentLauncher, launcher ? std::move(launcher) : WebAddressLauncher(openWithDesktop));
}

} // namespace Module1
