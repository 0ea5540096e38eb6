#include "model/Spoken.h"

#include "model/Evaluation.h"
#include "model/ReferencePlacement.h"

namespace model {
namespace {

// Runs of blanks become one.
std::string collapsedBlanks(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        if (c == ' ' && !out.empty() && out.back() == ' ')
            continue;
        out += c;
    }
    return out;
}

// Czech counts years in the genitive after "ve věku": "1 roku", "1,5 roku", but "20 let".
std::string_view yearsWord(const std::string& number, std::string_view decimalSeparator)
{
    const bool fraction = !decimalSeparator.empty() && number.find(decimalSeparator) != std::string::npos;
    return fraction || number == "1" ? "roku" : "let";
}

} // namespace

std::string spokenBand(float bmi)
{
    return collapsedBlanks(bandCaption(bmi));
}

std::string resultAnnouncement(std::optional<float> bmi, std::string_view decimalSeparator)
{
    std::string text = resultCaption(bmi, decimalSeparator);
    if (bmi)
        text += ", " + spokenBand(*bmi);
    return text;
}

std::string bmiChartDescription(std::optional<float> bmi, float age, std::string_view decimalSeparator)
{
    if (!bmi)
        return "BMI nelze spočítat";
    const std::string years = formatIndex(age, decimalSeparator);
    return "Váš BMI " + formatIndex(*bmi, decimalSeparator) + " ve věku " + years + " "
        + std::string(yearsWord(years, decimalSeparator)) + ": " + spokenBand(*bmi);
}

std::string weightChartDescription(float weight, float height, std::string_view decimalSeparator)
{
    const std::string person = "hmotnost " + formatIndex(weight, decimalSeparator) + " kg při výšce "
        + formatIndex(height, decimalSeparator) + " cm";
    if (onWeightHeightChart(weight, height))
        return "Vaše " + person;
    return "Mimo rozsah grafu: " + person;
}

std::string weightTableDescription(std::string_view rowHeight)
{
    return "Vyznačený řádek: výška " + std::string(rowHeight) + " cm";
}

} // namespace model
