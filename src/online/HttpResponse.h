#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace Module1 {

// Reads one HTTP/1.x answer as its bytes arrive, strictly: anything past the bounds or framed in
// more than one way fails the whole answer instead of being guessed at. Only the body reaches
// the caller; the head is kept, bounded, for the status and the headers.
class HttpResponse {
public:
    // Servers keep their own limits between 8 and 64 KiB; nothing the program reads needs more.
    static constexpr std::size_t MaxLine = 16 * 1024;
    static constexpr std::size_t MaxHead = 64 * 1024; // all head lines together, trailers included

    // Receives the body piece by piece; false ends the answer as failed.
    using BodySink = std::function<bool(std::string_view piece)>;

    enum class State { Head, Body, Complete, Failed };

    // Takes the next bytes off the connection; false once the answer has failed.
    bool feed(std::string_view bytes, const BodySink& body);
    // The connection has ended: true when that completes the answer (a body that runs to the
    // close), false when the answer was cut short.
    bool closed();

    State state() const { return state_; }
    bool headRead() const { return state_ != State::Head && status_ != 0; }
    int status() const { return status_; }
    // The first value of a header, its name in lower case.
    std::optional<std::string_view> header(std::string_view lowercaseName) const;
    // The body's declared size; nothing for a chunked body or one that runs to the close.
    std::optional<long long> contentLength() const { return length_; }

private:
    enum class Step { StatusLine, HeaderLine, Sized, UntilClose, ChunkSize, ChunkData, ChunkEnd, Trailer, Done };

    void complete();
    bool fail();
    // Gathers one line into line_; true when it is whole.
    bool takeLine(std::string_view& bytes);
    bool onLine();
    bool statusLine(std::string_view line);
    bool headerLine(std::string_view line);
    bool headEnded();
    bool chunkSize(std::string_view line);
    bool sendBody(std::string_view& bytes, const BodySink& body);

    State state_ = State::Head;
    Step step_ = Step::StatusLine;
    int status_ = 0;
    bool http10_ = false;
    std::string line_;
    std::size_t headBytes_ = 0;
    std::vector<std::pair<std::string, std::string>> headers_;
    std::optional<long long> length_;
    long long remaining_ = 0; // of the sized body or the current chunk
};

} // namespace Module1
