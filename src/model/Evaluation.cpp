#include "model/Evaluation.h"

#include "model/NumberReader.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace model {
namespace {

struct Band {
    float upperLimit; // inclusive
    std::string_view caption;
};

// Class names begin at the thirteenth character so that they line up in a fixed-pitch font.
constexpr std::array<Band, 5> bands{{
    {18.5f, "BMI < 18.5  Podváha"},
    {25.0f, "18,5–25     Ideální váha"},
    {30.0f, "25–30       Nadváha"},
    {35.0f, "30–35       Mírná obezita"},
    {40.0f, "35–40       Střední obezita"},
}};
constexpr std::string_view TopBand = "BMI > 40    Morbidní obezita";

constexpr float UnitThreshold = 2.88f;

// Rounded from the exact binary value, a tie going to the even digit.
std::string fixedDecimals(double value, int decimals)
{
    std::array<char, 400> buffer{};
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, decimals);
    return std::string(buffer.data(), result.ptr);
}

std::string exponentForm(double value)
{
    std::array<char, 64> buffer{};
    const auto result
        = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::scientific, 6);
    std::string text(buffer.data(), result.ptr);
    const auto e = text.find('e');
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    mantissa.erase(mantissa.find_last_not_of('0') + 1);
    if (mantissa.back() == '.')
        mantissa.pop_back();
    return mantissa + "E" + exponent;
}

} // namespace

std::string withDecimalPoints(std::string text)
{
    std::replace(text.begin(), text.end(), ',', '.');
    return text;
}

HeightUnit heightUnit(std::string_view unitText)
{
    for (const HeightUnit unit : {HeightUnit::Metres, HeightUnit::Centimetres}) {
        if (unitText == model::unitText(unit))
            return unit;
    }
    return HeightUnit::None;
}

std::string_view unitText(HeightUnit unit)
{
    switch (unit) {
    case HeightUnit::Metres:
        return "m";
    case HeightUnit::Centimetres:
        return "cm";
    case HeightUnit::None:
        break;
    }
    return "";
}

float heightInCentimetres(float number, HeightUnit unit, float previous)
{
    switch (unit) {
    case HeightUnit::Centimetres:
        return number;
    case HeightUnit::Metres:
        return toSingle(static_cast<double>(number) * 100.0);
    case HeightUnit::None:
        break;
    }
    return previous;
}

HeightUnit suggestedUnit(float number)
{
    if (!std::isfinite(number))
        return HeightUnit::None;
    return number >= UnitThreshold ? HeightUnit::Centimetres : HeightUnit::Metres;
}

Evaluation evaluate(std::string_view weightText, std::string_view heightText, std::string_view ageText,
                    std::string_view unitText, float previousHeight)
{
    Evaluation e;
    e.height = heightInCentimetres(readSingle(heightText), heightUnit(unitText), previousHeight);
    e.weight = readSingle(weightText);
    e.age = readSingle(ageText);
    if (!std::isfinite(e.weight) || !std::isfinite(e.height) || !std::isfinite(e.age))
        return e;
    const float bmi = toSingle(e.weight / std::pow(e.height / 100.0, 2));
    if (std::isfinite(bmi))
        e.bmi = bmi;
    return e;
}

std::string formatIndex(float bmi, std::string_view decimalSeparator)
{
    const double value = bmi;
    std::string text;
    // Up to 14 whole digits and a sign: the widest text the result line holds.
    if (std::fabs(value) >= 1e14) {
        text = exponentForm(value);
    } else if (std::fabs(value) >= 1e4) {
        // Rounding straight to a whole number, not cutting the three-decimal text, so the last
        // digit shown is the nearest one.
        text = fixedDecimals(value, 0);
    } else {
        text = fixedDecimals(value, 3);
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    if (text == "-0")
        text = "0";
    if (const auto at = text.find('.'); at != std::string::npos)
        text.replace(at, 1, decimalSeparator);
    return text;
}

std::string resultCaption(std::optional<float> bmi, std::string_view decimalSeparator)
{
    std::string caption(ResultPrefix);
    if (bmi)
        caption += formatIndex(*bmi, decimalSeparator);
    return caption;
}

std::string_view bandCaption(float bmi)
{
    for (const Band& band : bands) {
        if (bmi <= band.upperLimit)
            return band.caption;
    }
    return TopBand;
}

ChartPoint markerCentre(float age, float bmi)
{
    return {bmiChart::columnOf(age), bmiChart::rowOf(bmi)};
}

Cross markerCross(float age, float bmi)
{
    const ChartPoint centre = markerCentre(age, bmi);
    Cross c;
    c.vertical.x1 = toSingle(centre.x);
    c.vertical.x2 = c.vertical.x1;
    c.vertical.y1 = toSingle(centre.y - 150);
    c.vertical.y2 = toSingle(static_cast<double>(c.vertical.y1) + 300);
    c.horizontal.y1 = toSingle(centre.y);
    c.horizontal.y2 = c.horizontal.y1;
    c.horizontal.x1 = toSingle(centre.x - 150);
    c.horizontal.x2 = toSingle(static_cast<double>(c.horizontal.x1) + 300);
    return c;
}

} // namespace model
