// Arbitrary bytes as a server's answer, arriving in arbitrary pieces: the reading holds its
// bounds, and what it calls a complete body is framed exactly as declared.
#include "FuzzCheck.h"

#include "online/HttpResponse.h"

#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    // The first byte picks the size of the pieces the bytes arrive in.
    const std::size_t piece = data[0] % 64 + 1;
    std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);

    Module1::HttpResponse response;
    std::string body;
    const Module1::HttpResponse::BodySink sink = [&](std::string_view part) {
        FUZZ_CHECK(!part.empty());
        body.append(part);
        return true;
    };
    std::size_t fed = 0;
    while (!bytes.empty() && response.state() != Module1::HttpResponse::State::Failed) {
        const auto next = bytes.substr(0, piece);
        bytes.remove_prefix(next.size());
        fed += next.size();
        response.feed(next, sink);
    }
    response.closed();
    FUZZ_CHECK(body.size() <= fed);
    if (response.state() == Module1::HttpResponse::State::Complete) {
        FUZZ_CHECK(response.status() >= 200 && response.status() <= 599);
        if (const auto length = response.contentLength())
            FUZZ_CHECK(static_cast<long long>(body.size()) == *length);
    }
    return 0;
}
