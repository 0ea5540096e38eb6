// Plays the maker's web server for end-to-end runs: serves the files of one folder by request
// path, also to clients that come through an HTTP proxy setting (absolute-form requests); or,
// with --fault, misbehaves in one of the named ways on the program's two paths (--list names them).
// Prints the port to use on the first line; ends when stdin closes or on SIGTERM.

#include "FaultCases.h"
#include "HttpTestServer.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>
#include <optional>
#include <string_view>

namespace {

int stopWrite = -1;

void onTerminate(int)
{
    [[maybe_unused]] const auto written = write(stopWrite, "x", 1);
}

void waitForEnd(int stopRead)
{
    pollfd fds[2] = {{STDIN_FILENO, POLLIN, 0}, {stopRead, POLLIN, 0}};
    char buffer[256];
    for (;;) {
        if (poll(fds, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (fds[1].revents != 0)
            return;
        if (fds[0].revents != 0 && read(STDIN_FILENO, buffer, sizeof buffer) <= 0)
            return;
    }
}

} // namespace

int main(int argc, char** argv)
{
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (first == "--list" && argc == 2) {
        for (const auto name : TestHttp::faultNames())
            std::cout << name << '\n';
        return 0;
    }
    if (argc != 2 && !(argc == 3 && first == "--fault")) {
        std::cerr << "usage: fake_maker_server <folder> | --fault <name> | --list\n";
        return 2;
    }
    int stopPipe[2];
    if (pipe(stopPipe) != 0)
        return 1;
    stopWrite = stopPipe[1];
    struct sigaction action { };
    action.sa_handler = onTerminate;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    try {
        TestHttp::HttpTestServer server(argc == 2 ? TestHttp::fileServer(argv[1])
                                                  : TestHttp::HttpTestServer::Handler{});
        const auto port = argc == 2 ? std::optional(server.port()) : TestHttp::applyFault(argv[2], server);
        if (!port) {
            std::cerr << "no such fault: " << argv[2] << '\n';
            return 2;
        }
        std::cout << *port << std::endl;
        waitForEnd(stopPipe[0]);
        for (const auto& request : server.requests())
            std::cerr << request.method << ' ' << request.target << '\n';
    } catch (const std::exception& error) {
        std::cerr << error.what() << '\n';
        return 1;
    }
    return 0;
}
