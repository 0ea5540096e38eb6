#pragma once

#include "model/ChartGeometry.h"

#include <optional>
#include <string>
#include <string_view>

// The body-mass evaluation as plain functions: the main window reads its boxes, calls these
// and writes what they return back into its controls.
namespace model {

inline constexpr std::string_view ResultPrefix = "Váš BMI (body mass index) je : ";

// Every ',' becomes '.', so pasted numbers written the Czech way still read in full.
std::string withDecimalPoints(std::string text);

// The height's units and the texts the unit list shows for them.
enum class HeightUnit { None, Metres, Centimetres };
HeightUnit heightUnit(std::string_view unitText);
std::string_view unitText(HeightUnit unit); // "" for None

// The height in centimetres for a number in the given unit; with no unit the previous height stays.
float heightInCentimetres(float number, HeightUnit unit, float previous);

// The unit that the size of a typed height suggests, or None for a number that has no size
// (beyond the float range): from 2.88 on the number is taken as centimetres.
HeightUnit suggestedUnit(float number);

struct Evaluation {
    float height = 0; // centimetres
    float weight = 0; // kilograms
    float age = 0;
    // Missing when no valid index exists: a height of 0, or a value beyond the float range.
    std::optional<float> bmi;
};

// One evaluation of the three input texts and the unit; with no recognised unit the
// previous height stays.
Evaluation evaluate(std::string_view weightText, std::string_view heightText, std::string_view ageText,
                    std::string_view unitText, float previousHeight);

// The index rounded to three decimals, ties to even, in its shortest form with the given
// decimal separator; from 10 000 up the index rounded to a whole number (ties to even again),
// from 1e14 up in exponent form.
std::string formatIndex(float bmi, std::string_view decimalSeparator);

// "Váš BMI (body mass index) je : " with the formatted index, or the bare text when none exists.
std::string resultCaption(std::optional<float> bmi, std::string_view decimalSeparator);

// The band line's caption for an index; each upper limit belongs to the lower band.
std::string_view bandCaption(float bmi);

// The marker's centre on the BMI-by-age chart, in twips of the chart's frame.
struct ChartPoint {
    double x = 0;
    double y = 0;
};
ChartPoint markerCentre(float age, float bmi);

// The marker's cross around that centre. Each arm's second end is worked out from its first
// end as a 32-bit float, as the line reports it once set.
Cross markerCross(float age, float bmi);

} // namespace model
