#pragma once

#include "model/ChartGeometry.h"
#include "model/Evaluation.h"

#include <optional>
#include <string>
#include <string_view>

// Everything the main window shows after one evaluation, worked out in one call, so that the
// window only writes it into its controls.
namespace model {

struct MainWindowResult {
    Evaluation values;
    std::string caption;          // the result line
    std::string announcement;     // the result line with its band, as a screen reader hears it
    std::string chartDescription; // where the marker sits on the BMI-by-age chart, in words
    // The band line and the marker's cross exist only with an index; without one the band
    // line is emptied and the marker stays where it was.
    std::string band;
    std::optional<Cross> marker;
};

MainWindowResult evaluateForMainWindow(std::string_view weightText, std::string_view heightText,
                                       std::string_view ageText, std::string_view unitText, float previousHeight,
                                       std::string_view decimalSeparator);

} // namespace model
