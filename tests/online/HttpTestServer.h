#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace TestHttp {

// One scripted answer of the test server.
struct Route {
    enum class Mode {
        Normal,            // status, headers, Content-Length, body
        Chunked,           // the body in chunks, no declared size
        CutShort,          // declares declaredLength (more or less than the body), sends the body, closes
        StallAfterHeaders, // sends the headers, then nothing until the client gives up
        Drip,              // declares the whole body, then sends it at bytesPerSecond
        Silent,            // reads the request, then sends nothing at all until the client gives up
        BrokenChunked,     // a chunked body whose second chunk's size line is brokenSize
        HeaderFlood,       // a status line, then one header line that never ends, as fast as it goes
    };
    int status = 200;
    std::string body{};
    std::string location{}; // sent as Location when not empty
    Mode mode = Mode::Normal;
    std::size_t declaredLength = 0; // CutShort only
    std::size_t bytesPerSecond = 0; // Drip only
    std::string contentType = "application/octet-stream";
    std::vector<std::string> extraHeaders{}; // whole header lines without CR LF
    int delayMs = 0;                         // silence between the request and the answer
    std::string brokenSize = "zz";           // BrokenChunked only

    static Route ok(std::string body);
    static Route error(int status);
    static Route redirect(std::string location, int status = 302);
    static Route chunked(std::string body);
    static Route cutShort(std::string body, std::size_t declaredLength);
    static Route stall();
    static Route drip(std::string body, std::size_t bytesPerSecond);
    static Route with(Mode mode, std::string body);
};

struct Request {
    std::string method;
    std::string target; // as sent: "/x" or, through a proxy, "http://host/x"
    std::string path;   // the target's path without host or query
    std::string host;   // the Host header
    std::string proxyAuthorization;
};

// A small HTTP/1.1 server on 127.0.0.1 with an ephemeral port, one thread per connection and
// one answer per connection. Routes are matched by path; a fallback handler answers the rest,
// and without one a missing route gives 404.
class HttpTestServer {
public:
    using Handler = std::function<std::optional<Route>(const Request&)>;

    HttpTestServer();
    explicit HttpTestServer(Handler fallback);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    std::uint16_t port() const { return port_; }
    std::string url(std::string_view path) const; // "http://127.0.0.1:<port>" + path

    void setRoute(const std::string& path, Route route);
    std::vector<Request> requests() const;

private:
    void acceptLoop();
    void serve(int client);
    bool waitReadable(int fd) const;                // false once the server stops
    bool pause(int client, int milliseconds) const; // false once the server stops or the client leaves
    void drip(int client, const Route& route) const;
    Route routeFor(const Request& request) const;

    Handler fallback_;
    int listener_ = -1;
    int wakeRead_ = -1;
    int wakeWrite_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stopping_ = false;
    mutable std::mutex mutex_;
    std::map<std::string, Route> routes_;
    std::vector<Request> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptThread_;
};

// A loopback port on which nothing listens (bound and released at once).
std::uint16_t closedLoopbackPort();

// Serves the files of `folder` by request path; nothing outside it, 404 for the rest.
HttpTestServer::Handler fileServer(std::string folder);

} // namespace TestHttp
