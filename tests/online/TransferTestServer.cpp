// Linux side of the download check under Wine: the loopback server with one route per case of
// the download contract; prints its port, serves until its standard input closes.
#include "HttpTestServer.h"

#include <iostream>
#include <string>

int main()
{
    using TestHttp::Route;
    TestHttp::HttpTestServer server;
    const std::string overCap(4 * 1024 * 1024 + 1, 'x');
    server.setRoute("/ok", Route::ok("hello"));
    server.setRoute("/atCap", Route::ok(std::string(4 * 1024 * 1024, 'x')));
    server.setRoute("/overCap", Route::ok(overCap));
    server.setRoute("/overCapChunked", Route::chunked(overCap));
    server.setRoute("/cutShort", Route::cutShort("abc", 100));
    server.setRoute("/stall", Route::stall());
    server.setRoute("/notFound", Route::error(404));
    server.setRoute("/serverError", Route::error(500));
    server.setRoute("/noContent", Route{.status = 204});
    server.setRoute("/partial", Route{.status = 206, .body = "half"});
    server.setRoute("/late", Route{.body = "late", .delayMs = 4000});
    server.setRoute("/headerFlood", Route::with(Route::Mode::HeaderFlood, ""));
    server.setRoute("/brokenChunk", Route::with(Route::Mode::BrokenChunked, std::string(100, 'b')));
    server.setRoute("/twoLengths", Route{.body = "0123456789", .extraHeaders = {"Content-Length: 84294"}});
    server.setRoute("/toPath", Route::redirect("/ok"));
    server.setRoute("/rel/x", Route::redirect("y", 301));
    server.setRoute("/rel/y", Route::ok("relative"));
    server.setRoute("/toAbsolute", Route::redirect(server.url("/ok"), 303));
    server.setRoute("/toFtp", Route::redirect("ftp://127.0.0.1/ok"));
    server.setRoute("/toFile", Route::redirect("file:///C:/windows/win.ini"));
    // /five0 reaches its body after 5 redirects, /six0 after 6
    for (int i = 0; i < 5; ++i)
        server.setRoute("/five" + std::to_string(i), Route::redirect("/five" + std::to_string(i + 1), 307));
    server.setRoute("/five5", Route::ok("five"));
    for (int i = 0; i < 6; ++i)
        server.setRoute("/six" + std::to_string(i), Route::redirect("/six" + std::to_string(i + 1), 308));
    server.setRoute("/six6", Route::ok("six"));
    std::cout << server.port() << std::endl;
    std::string line;
    std::getline(std::cin, line);
    for (const auto& request : server.requests())
        std::cerr << request.method << ' ' << request.target << '\n';
}
