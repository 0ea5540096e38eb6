#include "model/MainWindowResult.h"

#include "model/Spoken.h"

namespace model {

MainWindowResult evaluateForMainWindow(std::string_view weightText, std::string_view heightText,
                                       std::string_view ageText, std::string_view unitText, float previousHeight,
                                       std::string_view decimalSeparator)
{
    MainWindowResult r;
    r.values = evaluate(weightText, heightText, ageText, unitText, previousHeight);
    const std::optional<float> bmi = r.values.bmi;
    r.caption = resultCaption(bmi, decimalSeparator);
    r.announcement = resultAnnouncement(bmi, decimalSeparator);
    r.chartDescription = bmiChartDescription(bmi, r.values.age, decimalSeparator);
    if (bmi) {
        r.band = bandCaption(*bmi);
        r.marker = markerCross(r.values.age, *bmi);
    }
    return r;
}

} // namespace model
