#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the result line and the pictures' markers say, in words for a screen reader: the
// pictures show it only by position, and the band line lines its words up with blanks.
namespace model {

// The band of an index as it reads aloud: "18,5–25 Ideální váha".
std::string spokenBand(float bmi);

// The result line followed by its band, so that one announcement carries both.
std::string resultAnnouncement(std::optional<float> bmi, std::string_view decimalSeparator);

// Where the marker sits on the BMI-by-age chart:
// "Váš BMI 22,598 ve věku 20 let: 18,5–25 Ideální váha".
std::string bmiChartDescription(std::optional<float> bmi, float age, std::string_view decimalSeparator);

// Where the cross sits on the weight-by-height chart, or that the person lies outside it.
std::string weightChartDescription(float weight, float height, std::string_view decimalSeparator);

// The row the frame marks in the weights table, by the height its first cell shows.
std::string weightTableDescription(std::string_view rowHeight);

} // namespace model
