#pragma once

#include "model/ChartGeometry.h"

#include <optional>

// Where the reference windows put the person: the row of the weights table and the cross on
// the weight-by-height chart. Coordinates are twips of the window's client area.
namespace model {

// The person lies on the weight-by-height chart; all four limits inclusive.
bool onWeightHeightChart(float weight, float height);

// The table row (0..23) for a height in centimetres; nothing for a height that is no number.
std::optional<int> tableRow(float height);
int tableRowTop(int row);

// Form5's Line1 is the horizontal arm, its Line2 the vertical one.
Cross crossPlacement(float weight, float height);

} // namespace model
