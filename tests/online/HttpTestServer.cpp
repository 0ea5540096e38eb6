#include "HttpTestServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace TestHttp {
namespace {

constexpr std::size_t MaxRequestHead = 64 * 1024;
constexpr std::size_t ChunkSize = 4096;

sockaddr_in loopback(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

int boundLoopbackSocket(std::uint16_t& port)
{
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    auto address = loopback(0);
    socklen_t length = sizeof address;
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0)
            close(fd);
        throw std::runtime_error("cannot bind a loopback socket");
    }
    port = ntohs(address.sin_port);
    return fd;
}

bool sendAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const auto sent = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        data.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

std::string_view reasonPhrase(int status)
{
    static const std::map<int, std::string_view> phrases = {
        {200, "OK"},        {301, "Moved Permanently"},     {302, "Found"}, {307, "Temporary Redirect"},
        {404, "Not Found"}, {500, "Internal Server Error"},
    };
    const auto found = phrases.find(status);
    return found == phrases.end() ? "Status" : found->second;
}

std::string head(const Route& route)
{
    std::ostringstream out;
    out << "HTTP/1.1 " << route.status << ' ' << reasonPhrase(route.status) << "\r\n"
        << "Content-Type: " << route.contentType << "\r\nConnection: close\r\n";
    for (const auto& line : route.extraHeaders)
        out << line << "\r\n";
    if (!route.location.empty())
        out << "Location: " << route.location << "\r\n";
    if (route.mode == Route::Mode::Chunked || route.mode == Route::Mode::BrokenChunked)
        out << "Transfer-Encoding: chunked\r\n";
    else if (route.mode == Route::Mode::CutShort)
        out << "Content-Length: " << route.declaredLength << "\r\n";
    else if (route.mode == Route::Mode::StallAfterHeaders)
        out << "Content-Length: 1000\r\n";
    else
        out << "Content-Length: " << route.body.size() << "\r\n";
    out << "\r\n";
    return out.str();
}

bool sendChunked(int fd, std::string_view body)
{
    for (std::size_t start = 0; start < body.size(); start += ChunkSize) {
        const auto chunk = body.substr(start, ChunkSize);
        std::ostringstream size;
        size << std::hex << chunk.size() << "\r\n";
        if (!sendAll(fd, size.str()) || !sendAll(fd, chunk) || !sendAll(fd, "\r\n"))
            return false;
    }
    return sendAll(fd, "0\r\n\r\n");
}

// One good chunk, then a size line that no client can read, then the connection ends.
bool sendBrokenChunked(int fd, std::string_view body, std::string_view brokenSize)
{
    const auto half = body.substr(0, std::min(body.size() / 2, ChunkSize));
    std::ostringstream size;
    size << std::hex << half.size() << "\r\n";
    return sendAll(fd, size.str()) && sendAll(fd, half) && sendAll(fd, "\r\n") && sendAll(fd, brokenSize)
        && sendAll(fd, "\r\n") && sendAll(fd, body.substr(half.size()));
}

std::string lowercase(std::string text)
{
    std::ranges::transform(text, text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// "GET /a?b HTTP/1.1" or, through a proxy, "GET http://host/a HTTP/1.1".
Request parseRequest(std::string_view headText)
{
    Request request;
    std::istringstream lines{std::string(headText)};
    std::string line;
    std::getline(lines, line);
    std::istringstream{line} >> request.method >> request.target;
    std::string_view path = request.target;
    if (const auto scheme = path.find("://"); scheme != std::string_view::npos) {
        const auto slash = path.find('/', scheme + 3);
        path = slash == std::string_view::npos ? "/" : path.substr(slash);
    }
    request.path = std::string(path.substr(0, path.find_first_of("?#")));
    const auto valueOf = [&](std::size_t nameLength) {
        const auto value = line.find_first_not_of(" \t", nameLength);
        return value == std::string::npos ? "" : line.substr(value, line.find_last_not_of(" \t\r") - value + 1);
    };
    while (std::getline(lines, line)) {
        if (lowercase(line).starts_with("host:"))
            request.host = valueOf(5);
        else if (lowercase(line).starts_with("proxy-authorization:"))
            request.proxyAuthorization = valueOf(20);
    }
    return request;
}

} // namespace

Route Route::ok(std::string body)
{
    return Route{.body = std::move(body)};
}

Route Route::error(int status)
{
    return Route{.status = status, .body = "error page " + std::to_string(status)};
}

Route Route::redirect(std::string location, int status)
{
    return Route{.status = status, .body = "moved", .location = std::move(location)};
}

Route Route::chunked(std::string body)
{
    return Route{.body = std::move(body), .mode = Mode::Chunked};
}

Route Route::cutShort(std::string body, std::size_t declaredLength)
{
    return Route{.body = std::move(body), .mode = Mode::CutShort, .declaredLength = declaredLength};
}

Route Route::stall()
{
    return Route{.mode = Mode::StallAfterHeaders};
}

Route Route::drip(std::string body, std::size_t bytesPerSecond)
{
    return Route{.body = std::move(body), .mode = Mode::Drip, .bytesPerSecond = bytesPerSecond};
}

Route Route::with(Mode mode, std::string body)
{
    return Route{.body = std::move(body), .mode = mode};
}

HttpTestServer::HttpTestServer() : HttpTestServer(Handler{}) { }

HttpTestServer::HttpTestServer(Handler fallback) : fallback_(std::move(fallback))
{
    listener_ = boundLoopbackSocket(port_);
    int pipeEnds[2];
    if (listen(listener_, 64) != 0 || pipe(pipeEnds) != 0) {
        close(listener_);
        throw std::runtime_error("cannot start the test server");
    }
    wakeRead_ = pipeEnds[0];
    wakeWrite_ = pipeEnds[1];
    acceptThread_ = std::thread(&HttpTestServer::acceptLoop, this);
}

HttpTestServer::~HttpTestServer()
{
    // The pipe stays readable once written, so every waiting thread wakes and ends.
    stopping_ = true;
    [[maybe_unused]] const auto written = write(wakeWrite_, "x", 1);
    acceptThread_.join();
    for (auto& connection : connections_)
        connection.join();
    close(listener_);
    close(wakeRead_);
    close(wakeWrite_);
}

std::string HttpTestServer::url(std::string_view path) const
{
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void HttpTestServer::setRoute(const std::string& path, Route route)
{
    const std::lock_guard lock(mutex_);
    routes_[path] = std::move(route);
}

std::vector<Request> HttpTestServer::requests() const
{
    const std::lock_guard lock(mutex_);
    return requests_;
}

bool HttpTestServer::waitReadable(int fd) const
{
    pollfd fds[2] = {{fd, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    while (!stopping_) {
        const int ready = poll(fds, 2, -1);
        if (ready < 0 && errno != EINTR)
            return false;
        if (fds[1].revents != 0)
            return false;
        if (fds[0].revents != 0)
            return true;
    }
    return false;
}

bool HttpTestServer::pause(int client, int milliseconds) const
{
    pollfd fds[2] = {{client, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    const int ready = poll(fds, 2, milliseconds);
    if (ready < 0)
        return errno == EINTR;
    char probe;
    const bool clientLeft = fds[0].revents != 0 && recv(client, &probe, 1, MSG_PEEK | MSG_DONTWAIT) <= 0;
    return !stopping_ && fds[1].revents == 0 && !clientLeft;
}

void HttpTestServer::drip(int client, const Route& route) const
{
    // Ten steps a second where the rate allows, one byte a step below that.
    const std::size_t step = std::max<std::size_t>(1, route.bytesPerSecond / 10);
    const int interval = static_cast<int>(1000 * step / std::max<std::size_t>(1, route.bytesPerSecond));
    std::string_view rest = route.body;
    while (!rest.empty() && sendAll(client, rest.substr(0, step)) && pause(client, interval))
        rest.remove_prefix(std::min(step, rest.size()));
}

void HttpTestServer::acceptLoop()
{
    while (waitReadable(listener_)) {
        const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0)
            continue;
        const std::lock_guard lock(mutex_);
        connections_.emplace_back(&HttpTestServer::serve, this, client);
    }
}

Route HttpTestServer::routeFor(const Request& request) const
{
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = routes_.find(request.path); found != routes_.end())
            return found->second;
    }
    if (fallback_) {
        if (auto route = fallback_(request))
            return std::move(*route);
    }
    return Route::error(404);
}

void HttpTestServer::serve(int client)
{
    std::string received;
    char buffer[4096];
    while (received.find("\r\n\r\n") == std::string::npos && received.size() < MaxRequestHead && waitReadable(client)) {
        const auto count = recv(client, buffer, sizeof buffer, 0);
        if (count <= 0)
            break;
        received.append(buffer, static_cast<std::size_t>(count));
    }
    const auto headEnd = received.find("\r\n\r\n");
    if (headEnd == std::string::npos) {
        close(client);
        return;
    }
    const auto request = parseRequest(std::string_view(received).substr(0, headEnd));
    {
        const std::lock_guard lock(mutex_);
        requests_.push_back(request);
    }
    const auto route = routeFor(request);
    // Holds the connection open, silent, until the client gives up or the server stops.
    const auto holdOpen = [&] {
        while (waitReadable(client) && recv(client, buffer, sizeof buffer, 0) > 0) { }
    };
    if (route.mode == Route::Mode::Silent) {
        holdOpen();
    } else if (route.mode == Route::Mode::HeaderFlood) {
        // Until the client leaves; a gigabyte at most, so that a client without a bound ends too.
        const std::string flood(64 * 1024, 'a');
        bool sent = sendAll(client, "HTTP/1.1 200 OK\r\nX-Flood: ");
        for (int piece = 0; sent && piece < 16 * 1024 && !stopping_; ++piece)
            sent = sendAll(client, flood);
    } else if (pause(client, route.delayMs) && sendAll(client, head(route))) {
        switch (route.mode) {
        case Route::Mode::Chunked:
            sendChunked(client, route.body);
            break;
        case Route::Mode::BrokenChunked:
            sendBrokenChunked(client, route.body, route.brokenSize);
            break;
        case Route::Mode::Drip:
            drip(client, route);
            break;
        case Route::Mode::StallAfterHeaders:
            holdOpen();
            break;
        default:
            sendAll(client, route.body);
        }
    }
    close(client);
}

std::uint16_t closedLoopbackPort()
{
    std::uint16_t port = 0;
    close(boundLoopbackSocket(port));
    return port;
}

HttpTestServer::Handler fileServer(std::string folder)
{
    return [folder = std::move(folder)](const Request& request) -> std::optional<Route> {
        const std::filesystem::path relative = std::filesystem::path(request.path).relative_path();
        const bool escapes = std::ranges::any_of(relative, [](const auto& part) { return part == ".."; });
        const auto file = std::filesystem::path(folder) / relative;
        std::error_code error;
        if (!request.path.starts_with('/') || escapes || !std::filesystem::is_regular_file(file, error))
            return std::nullopt;
        std::ifstream in(file, std::ios::binary);
        std::ostringstream contents;
        contents << in.rdbuf();
        return Route::ok(contents.str());
    };
}

} // namespace TestHttp
