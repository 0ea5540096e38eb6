#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace Module1 {

// Paths on the maker's server.
inline constexpr std::string_view DescriptorWebPath = "/update.txt";
inline constexpr std::string_view BannerWebPath = "/pic/reklama_telimer.bmp";
inline constexpr std::string_view DefaultBannerPagePath = "/page/prg_telimer.html";
inline constexpr std::string_view ProgramPagePath = "/data/html/telimer.html";

// What the maker's pages begin with; the descriptor names a page without it.
inline constexpr std::string_view PagePrefix = "http://www.";

// Downloads address the host alone, pages the host with "www." in front.
std::string downloadAddress(std::string_view path); // "http://" + host + path
std::string pageAddress(std::string_view path);     // "http://www." + host + path ("" gives the home page)

// Opens an address with the desktop's default handler, as one argument and never through a shell.
// Only http:// and https:// addresses are handed over; anything else (a local path, file:,
// javascript:) could start a local program, so it is ignored without a word.
void openWebAddress(const std::string& address);

// True for the addresses that openWebAddress hands over: UTF-8 text beginning with http:// or
// https:// (any case), with no control characters and no line or paragraph separators.
bool isWebAddress(std::string_view address);

// Tests capture what would be opened instead of starting a browser. Returns the previous
// launcher; nullptr restores the desktop's handler.
using WebAddressLauncher = std::function<void(const std::string&)>;
WebAddressLauncher setWebAddressLauncher(WebAddressLauncher launcher);

} // namespace Module1
