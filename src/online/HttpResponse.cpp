#include "online/HttpResponse.h"

#include <algorithm>
#include <cctype>

namespace Module1 {
namespace {

bool isTokenChar(unsigned char c)
{
    return std::isalnum(c) || std::string_view("!#$%&'*+-.^_`|~").find(static_cast<char>(c)) != std::string_view::npos;
}

std::string_view trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lowercase(std::string_view text)
{
    std::string out(text);
    std::ranges::transform(out, out.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

// Decimal digits only, as Content-Length is written.
std::optional<long long> decimal(std::string_view text)
{
    if (text.empty() || text.size() > 15 || !std::ranges::all_of(text, [](unsigned char c) { return std::isdigit(c); }))
        return std::nullopt;
    long long value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value;
}

// Calls `each` with every comma-separated element of a header's value, trimmed.
template <typename Each>
bool eachElement(std::string_view value, Each each)
{
    while (true) {
        const auto comma = value.find(',');
        if (!each(trimmed(value.substr(0, comma))))
            return false;
        if (comma == std::string_view::npos)
            return true;
        value.remove_prefix(comma + 1);
    }
}

} // namespace

std::optional<std::string_view> HttpResponse::header(std::string_view lowercaseName) const
{
    for (const auto& [name, value] : headers_)
        if (name == lowercaseName)
            return std::string_view(value);
    return std::nullopt;
}

void HttpResponse::complete()
{
    step_ = Step::Done;
    state_ = State::Complete;
}

bool HttpResponse::fail()
{
    state_ = State::Failed;
    line_.clear();
    line_.shrink_to_fit();
    return false;
}

bool HttpResponse::takeLine(std::string_view& bytes)
{
    const auto end = bytes.find('\n');
    const auto take = end == std::string_view::npos ? bytes.size() : end + 1;
    // Chunk size lines are bounded one by one; the head and the trailers together.
    const bool head = step_ == Step::StatusLine || step_ == Step::HeaderLine || step_ == Step::Trailer;
    if (line_.size() + take > MaxLine || (head && headBytes_ + take > MaxHead))
        return fail();
    line_.append(bytes.substr(0, take));
    if (head)
        headBytes_ += take;
    bytes.remove_prefix(take);
    return end != std::string_view::npos;
}

bool HttpResponse::feed(std::string_view bytes, const BodySink& body)
{
    while (!bytes.empty() && state_ != State::Failed && step_ != Step::Done) {
        if (step_ == Step::Sized || step_ == Step::UntilClose || step_ == Step::ChunkData) {
            if (!sendBody(bytes, body))
                return fail();
            continue;
        }
        if (!takeLine(bytes)) {
            if (state_ == State::Failed)
                return false;
            continue;
        }
        if (!onLine())
            return fail();
    }
    return state_ != State::Failed;
}

bool HttpResponse::onLine()
{
    std::string_view line = line_;
    line.remove_suffix(1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    bool accepted = false;
    switch (step_) {
    case Step::StatusLine:
        accepted = statusLine(line);
        break;
    case Step::HeaderLine:
        accepted = line.empty() ? headEnded() : headerLine(line);
        break;
    case Step::ChunkSize:
        accepted = chunkSize(line);
        break;
    case Step::ChunkEnd:
        accepted = line.empty();
        step_ = Step::ChunkSize;
        break;
    case Step::Trailer:
        accepted = true;
        if (line.empty()) {
            complete();
        }
        break;
    default:
        break;
    }
    line_.clear();
    return accepted;
}

bool HttpResponse::statusLine(std::string_view line)
{
    // "HTTP/1.1 200 OK": the version, one blank, three digits, then a reason that is not read.
    if (line.size() < 12 || !(line.starts_with("HTTP/1.1 ") || line.starts_with("HTTP/1.0 ")))
        return false;
    const std::string_view code = line.substr(9, 3);
    if (!std::ranges::all_of(code, [](unsigned char c) { return std::isdigit(c); })
        || (line.size() > 12 && line[12] != ' ') || code[0] < '1' || code[0] > '5')
        return false;
    http10_ = line[7] == '0';
    status_ = (code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0');
    headers_.clear();
    step_ = Step::HeaderLine;
    return true;
}

bool HttpResponse::headerLine(std::string_view line)
{
    // A continued line (a leading blank) is obsolete and has been used to smuggle headers.
    const auto colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos
        || !std::ranges::all_of(line.substr(0, colon), [](unsigned char c) { return isTokenChar(c); }))
        return false;
    headers_.emplace_back(lowercase(line.substr(0, colon)), std::string(trimmed(line.substr(colon + 1))));
    return true;
}

bool HttpResponse::headEnded()
{
    // An interim answer (100 Continue) is followed by the real one.
    if (status_ < 200) {
        step_ = Step::StatusLine;
        return status_ != 101;
    }
    state_ = State::Body;
    bool chunked = false;
    std::optional<long long> length;
    for (const auto& [name, value] : headers_) {
        if (name == "transfer-encoding") {
            // Only chunked was asked for, by asking for identity; anything else cannot be read.
            const bool known = eachElement(value, [&](std::string_view coding) {
                const bool first = !chunked;
                chunked = true;
                return first && lowercase(coding) == "chunked";
            });
            if (!known || http10_)
                return false;
        } else if (name == "content-length") {
            // Repeated sizes must agree: two different ones leave the body's end unknown.
            const bool agreed = eachElement(value, [&](std::string_view digits) {
                const auto size = decimal(digits);
                if (!size || (length && *length != *size))
                    return false;
                length = size;
                return true;
            });
            if (!agreed)
                return false;
        }
    }
    if (chunked && length)
        return false;
    length_ = length;
    if (status_ == 204 || status_ == 304) {
        // These never have a body, whatever size they declare.
        length_ = 0;
        complete();
    } else if (chunked) {
        step_ = Step::ChunkSize;
    } else if (!length) {
        step_ = Step::UntilClose;
    } else if (*length == 0) {
        complete();
    } else {
        remaining_ = *length;
        step_ = Step::Sized;
    }
    return true;
}

bool HttpResponse::chunkSize(std::string_view line)
{
    // Hex digits, then perhaps extensions after ";", which are not read. Twelve digits are far
    // beyond any body the download takes and keep the sum from overflowing.
    const std::string_view digits = trimmed(line.substr(0, line.find(';')));
    if (digits.empty() || digits.size() > 12
        || !std::ranges::all_of(digits, [](unsigned char c) { return std::isxdigit(c); }))
        return false;
    long long size = 0;
    for (const char c : digits)
        size = size * 16 + (std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : std::tolower(c) - 'a' + 10);
    remaining_ = size;
    step_ = size == 0 ? Step::Trailer : Step::ChunkData;
    return true;
}

bool HttpResponse::sendBody(std::string_view& bytes, const BodySink& body)
{
    const auto size = step_ == Step::UntilClose
        ? bytes.size()
        : static_cast<std::size_t>(std::min<long long>(remaining_, static_cast<long long>(bytes.size())));
    const std::string_view piece = bytes.substr(0, size);
    bytes.remove_prefix(size);
    remaining_ -= static_cast<long long>(size);
    if (step_ == Step::Sized && remaining_ == 0) {
        complete();
    } else if (step_ == Step::ChunkData && remaining_ == 0) {
        step_ = Step::ChunkEnd;
    }
    return piece.empty() || body(piece);
}

bool HttpResponse::closed()
{
    if (step_ == Step::UntilClose)
        complete();
    return state_ == State::Complete;
}

} // namespace Module1
