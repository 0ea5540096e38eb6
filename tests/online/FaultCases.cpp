#include "FaultCases.h"

#include <zlib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <stdexcept>

namespace TestHttp {
namespace {

constexpr std::string_view DescriptorPath = "/update.txt";
constexpr std::string_view BannerPath = "/pic/reklama_telimer.bmp";

void putLe(std::string& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

void putBe(std::string& out, std::uint32_t value)
{
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
}

std::string bmpHeaders(int width, int height, std::uint32_t fileSize)
{
    std::string out = "BM";
    putLe(out, fileSize, 4);
    putLe(out, 0, 4);
    putLe(out, 54, 4); // the rows start after both headers
    putLe(out, 40, 4);
    putLe(out, static_cast<std::uint32_t>(width), 4);
    putLe(out, static_cast<std::uint32_t>(height), 4);
    putLe(out, 1, 2);
    putLe(out, 24, 2);
    putLe(out, 0, 4); // no compression
    putLe(out, 0, 4);
    putLe(out, 2835, 4);
    putLe(out, 2835, 4);
    putLe(out, 0, 4);
    putLe(out, 0, 4);
    return out;
}

std::size_t bmpStride(int width)
{
    return (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
}

// Run-length matching is all that zeros need, and keeps building a bomb quick.
// Streams `pieces` copies of `piece` through deflate with the given window bits (31: gzip).
std::string deflated(std::string_view piece, std::size_t pieces, int windowBits)
{
    z_stream stream{};
    if (deflateInit2(&stream, 1, Z_DEFLATED, windowBits, 9, Z_RLE) != Z_OK)
        throw std::runtime_error("deflateInit2");
    std::string out;
    std::array<unsigned char, 65536> buffer{};
    for (std::size_t i = 0; i < pieces; ++i) {
        stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(piece.data()));
        stream.avail_in = static_cast<uInt>(piece.size());
        const bool last = i + 1 == pieces;
        int result = Z_OK;
        do {
            stream.next_out = buffer.data();
            stream.avail_out = buffer.size();
            result = deflate(&stream, last ? Z_FINISH : Z_NO_FLUSH);
            out.append(reinterpret_cast<char*>(buffer.data()), buffer.size() - stream.avail_out);
        } while (last ? result == Z_OK : stream.avail_out == 0);
    }
    deflateEnd(&stream);
    return out;
}

void pngChunk(std::string& out, std::string_view type, std::string_view data)
{
    putBe(out, static_cast<std::uint32_t>(data.size()));
    const auto start = out.size();
    out.append(type);
    out.append(data);
    putBe(out,
          static_cast<std::uint32_t>(
              crc32(0, reinterpret_cast<const Bytef*>(out.data() + start), static_cast<uInt>(out.size() - start))));
}

// A blank RGBA PNG: tiny on the wire, side x side x 4 bytes once decoded.
std::string png(int side)
{
    std::string out = "\x89PNG\r\n\x1a\n";
    std::string header;
    putBe(header, static_cast<std::uint32_t>(side));
    putBe(header, static_cast<std::uint32_t>(side));
    header += std::string("\x08\x06\x00\x00\x00", 5);
    pngChunk(out, "IHDR", header);
    const std::string row(1 + static_cast<std::size_t>(side) * 4, '\0');
    pngChunk(out, "IDAT", deflated(row, static_cast<std::size_t>(side), 15));
    pngChunk(out, "IEND", "");
    return out;
}

std::string descriptor(std::string_view status, std::string_view page)
{
    return "[Update]\r\n58211=" + std::string(status) + ";" + std::string(page) + ";1;http://www.vexa.example/akce\r\n";
}

std::string repeated(std::string_view text, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += text;
    return out;
}

const std::string& goodDescriptor()
{
    static const std::string text = descriptor("Je k dispozici nová verze 1.2", "vexa.example/telimer");
    return text;
}

const std::string& goodBanner()
{
    static const std::string picture = bmp(468, 60);
    return picture;
}

struct Fault {
    std::string_view name;
    // The answer for each of the two paths.
    std::function<Route(std::string_view path)> route;
    bool refused = false;
};

Route bothWith(Route::Mode mode, std::string_view path)
{
    return Route::with(mode, path == DescriptorPath ? goodDescriptor() : goodBanner());
}

Route bannerOnly(std::string_view path, Route banner)
{
    return path == BannerPath ? std::move(banner) : Route::ok(goodDescriptor());
}

Route descriptorOnly(std::string_view path, std::string_view status, std::string_view page)
{
    return path == DescriptorPath ? Route::ok(descriptor(status, page)) : Route::ok(goodBanner());
}

std::string body(std::string_view path)
{
    return path == DescriptorPath ? goodDescriptor() : goodBanner();
}

const std::vector<Fault>& faults()
{
    using Mode = Route::Mode;
    using P = std::string_view;
    static const std::string img = R"(<img src="/dev/zero">)";
    static const std::string bigImg = R"(<img src="/etc/passwd" width=20000 height=20000>)";
    static const std::vector<Fault> table = {
        {"good", [](P path) { return Route::ok(body(path)); }},
        {"refused", [](P path) { return Route::ok(body(path)); }, true},
        {"accept_stall", [](P path) { return bothWith(Mode::Silent, path); }},
        {"headers_stall", [](P) { return Route::stall(); }},
        {"drip", [](P path) { return Route::drip(body(path), 2); }},
        // Slow but working: both must arrive.
        {"slow_banner", [](P path) { return bannerOnly(path, Route::drip(goodBanner(), 10000)); }},
        {"late_answer",
         [](P path) {
             auto route = Route::ok(body(path));
             route.delayMs = 4000;
             return route;
         }},
        // The answer starts later than the start-up waits, in time for About.
        {"about_late",
         [](P path) {
             auto route = Route::ok(body(path));
             route.delayMs = 7000;
             return route;
         }},
        // Just above the floor speed, with a descriptor padded to 10 KiB.
        {"trickle",
         [](P path) {
             const std::string padded = goodDescriptor() + repeated("; padding\r\n", 1024);
             return Route::drip(path == DescriptorPath ? padded : goodBanner(), 240);
         }},
        {"header_flood", [](P) { return Route::with(Mode::HeaderFlood, ""); }},
        // A proxy that asks for Kerberos or NTLM credentials.
        {"negotiate",
         [](P) {
             auto route = Route::error(407);
             route.extraHeaders = {"Proxy-Authenticate: Negotiate", "Proxy-Authenticate: NTLM"};
             return route;
         }},
        {"redirect_loop", [](P path) { return Route::redirect(std::string(path)); }},
        {"redirect_file", [](P) { return Route::redirect("file:///etc/passwd"); }},
        {"redirect_ftp",
         [](P path) {
             return Route::redirect("ftp://127.0.0.1:" + std::to_string(closedLoopbackPort()) + std::string(path));
         }},
        {"status_404", [](P) { return Route::error(404); }},
        {"status_500", [](P) { return Route::error(500); }},
        {"length_longer", [](P path) { return Route::cutShort(body(path), body(path).size() + 5000); }},
        {"length_shorter", [](P path) { return Route::cutShort(body(path), body(path).size() / 2); }},
        {"broken_chunked", [](P path) { return bothWith(Mode::BrokenChunked, path); }},
        {"body_50mb", [](P) { return Route::ok(std::string(50u << 20, 'A')); }},
        {"gzip_bomb",
         [](P) {
             static const std::string bomb = gzipOfZeros(std::size_t{256} << 20);
             auto route = Route::ok(bomb);
             route.extraHeaders = {"Content-Encoding: gzip"};
             return route;
         }},
        {"bmp_truncated", [](P path) { return bannerOnly(path, Route::ok(truncatedBmp())); }},
        {"bmp_30000", [](P path) { return bannerOnly(path, Route::ok(bmpClaiming(30000, 30000))); }},
        {"ico_bomb",
         [](P path) {
             static const std::string ico = icoWithPng(5600);
             return bannerOnly(path, Route::ok(ico));
         }},
        {"zero_bytes", [](P) { return Route::ok(""); }},
        {"html_banner",
         [](P path) {
             auto route
                 = Route::ok("<!DOCTYPE html><html><body><h1>Not found</h1><img src=\"/dev/zero\"></body></html>");
             route.contentType = "text/html";
             return bannerOnly(path, std::move(route));
         }},
        {"desc_img_zero", [](P path) { return descriptorOnly(path, img, img); }},
        {"desc_img_huge", [](P path) { return descriptorOnly(path, bigImg, bigImg); }},
        {"desc_tables",
         [](P path) {
             // The record is read into 1000 bytes: the deep nesting goes to the tooltip's field.
             return descriptorOnly(path, repeated("<table><tr><td>", 4) + "x", repeated("<table><tr><td>", 60) + "x");
         }},
    };
    return table;
}

} // namespace

std::string bmp(int width, int height)
{
    const std::size_t stride = bmpStride(width);
    const std::size_t size = 54 + stride * static_cast<std::size_t>(height);
    std::string out = bmpHeaders(width, height, static_cast<std::uint32_t>(size));
    std::string row(stride, '\0');
    for (int x = 0; x < width; ++x)
        row[static_cast<std::size_t>(x) * 3] = static_cast<char>(0xbf); // blue, green, red
    for (int y = 0; y < height; ++y)
        out += row;
    return out;
}

std::string truncatedBmp()
{
    std::string out = bmp(468, 60);
    out.resize(54 + bmpStride(468) * 30);
    const std::string size = [&] {
        std::string s;
        putLe(s, static_cast<std::uint32_t>(out.size()), 4);
        return s;
    }();
    out.replace(2, 4, size);
    return out;
}

std::string bmpClaiming(int width, int height)
{
    std::string out = bmpHeaders(width, height, 54 + 64);
    out += std::string(64, '\x7f');
    return out;
}

std::string icoWithPng(int pngSide)
{
    const std::string picture = png(pngSide);
    std::string out;
    putLe(out, 0, 2);
    putLe(out, 1, 2); // an icon
    putLe(out, 1, 2); // one picture
    out.push_back(32);
    out.push_back(32);
    out.push_back(0);
    out.push_back(0);
    putLe(out, 1, 2);
    putLe(out, 32, 2);
    putLe(out, static_cast<std::uint32_t>(picture.size()), 4);
    putLe(out, 22, 4);
    return out + picture;
}

std::string gzipOfZeros(std::size_t bytes)
{
    const std::string piece(1u << 20, '\0');
    return deflated(piece, std::max<std::size_t>(1, bytes / piece.size()), 31);
}

std::vector<std::string_view> faultNames()
{
    std::vector<std::string_view> names;
    for (const auto& fault : faults())
        names.push_back(fault.name);
    return names;
}

std::optional<std::uint16_t> applyFault(std::string_view name, HttpTestServer& server)
{
    const auto found = std::ranges::find(faults(), name, &Fault::name);
    if (found == faults().end())
        return std::nullopt;
    for (const std::string_view path : {DescriptorPath, BannerPath})
        server.setRoute(std::string(path), found->route(path));
    return found->refused ? closedLoopbackPort() : server.port();
}

} // namespace TestHttp
