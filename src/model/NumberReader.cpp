#include "model/NumberReader.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace model {
namespace {

bool isSkipped(char c)
{
    return c == ' ' || c == '\t' || c == '\n';
}
bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Gathers the characters that make up the number, without the skipped blanks, in the form
// std::from_chars understands ("-12.5e+3"), and estimates its decimal magnitude so that a
// value out of double range can be told apart as huge or tiny.
struct Scanned {
    std::string text;
    bool negative = false;
    bool anyDigit = false;
    long long magnitude = 0; // decimal exponent of the leading significant digit
    bool anySignificant = false;
};

Scanned scan(std::string_view input)
{
    Scanned s;
    std::size_t i = 0;
    auto next = [&]() -> char {
        while (i < input.size() && isSkipped(input[i]))
            ++i;
        return i < input.size() ? input[i] : '\0';
    };

    char c = next();
    if (c == '+' || c == '-') {
        s.negative = c == '-';
        ++i;
    }
    bool seenPoint = false;
    long long integerDigits = 0;
    long long firstSignificant = -1; // index among the integer digits, or -(fraction index + 1)
    long long fractionDigits = 0;
    for (c = next(); isDigit(c) || (c == '.' && !seenPoint); c = next()) {
        ++i;
        s.text += c;
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        s.anyDigit = true;
        if (c != '0' && !s.anySignificant) {
            s.anySignificant = true;
            firstSignificant = seenPoint ? -(fractionDigits + 1) : integerDigits;
        }
        ++(seenPoint ? fractionDigits : integerDigits);
    }
    if (!s.anyDigit)
        return s;
    if (s.anySignificant)
        s.magnitude = firstSignificant >= 0 ? integerDigits - firstSignificant - 1 : firstSignificant;

    c = next();
    if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
        const std::size_t mark = i;
        ++i;
        std::string exponent = "e";
        char sign = next();
        if (sign == '+' || sign == '-') {
            exponent += sign;
            ++i;
        }
        long long value = 0;
        bool digits = false;
        for (c = next(); isDigit(c); c = next()) {
            ++i;
            digits = true;
            exponent += c;
            if (value < 1'000'000'000)
                value = value * 10 + (c - '0');
        }
        if (digits) {
            s.text += exponent;
            s.magnitude += exponent[1] == '-' ? -value : value;
        } else {
            i = mark;
        }
    }
    return s;
}

} // namespace

double readNumber(std::string_view input)
{
    const Scanned s = scan(input);
    if (!s.anyDigit || !s.anySignificant)
        return 0.0;

    double value = 0.0;
    const char* first = s.text.data();
    const char* last = first + s.text.size();
    const auto [end, error] = std::from_chars(first, last, value);
    if (error == std::errc::result_out_of_range)
        value = s.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    else if (error != std::errc())
        value = 0.0;
    return s.negative ? -value : value;
}

float toSingle(double value)
{
    // Half-way between FLT_MAX and the next power of two rounds to infinity.
    constexpr double Overflow = 0x1.ffffffp+127;
    if (std::isfinite(value) && std::fabs(value) >= Overflow)
        return value > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

} // namespace model
