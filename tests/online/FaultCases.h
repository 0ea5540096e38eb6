#pragma once

// The ways a maker's server, proxy or network path can misbehave, each applied to the two paths
// the program downloads from, for the fault matrix that runs the real executable.

#include "HttpTestServer.h"

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace TestHttp {

std::vector<std::string_view> faultNames();

// Sets `server`'s routes for the named fault; the answer is the port that the client's proxy
// setting must name (a closed one for "refused"), nothing for an unknown name.
std::optional<std::uint16_t> applyFault(std::string_view name, HttpTestServer& server);

// Pictures built byte by byte, so that their headers can lie.
std::string bmp(int width, int height);         // a 24-bit bottom-up picture, all blue
std::string truncatedBmp();                     // half its rows missing, bfSize telling the cut length
std::string bmpClaiming(int width, int height); // headers of a huge picture, a few bytes of rows
std::string icoWithPng(int pngSide);            // an icon directory of 32 x 32 holding a larger PNG
std::string gzipOfZeros(std::size_t bytes);

} // namespace TestHttp
