#include "model/ReferencePlacement.h"

#include "model/ChartGeometry.h"
#include "model/NumberReader.h"

#include <cmath>

namespace model {

using weightTable::rowUpperLimit;

bool onWeightHeightChart(float weight, float height)
{
    using namespace weightChart;
    return weight <= MaxWeight && height <= MaxHeight && weight >= MinWeight && height >= MinHeight;
}

std::optional<int> tableRow(float height)
{
    if (std::isnan(height))
        return std::nullopt;
    // Heights below the first row's limits take row 0 and heights above the last take row 23,
    // so that no fractional height between two rows leaves the frame where an earlier one put it.
    if (height < rowUpperLimit(0))
        return 0;
    for (int row = 1; row < weightTable::RowCount - 1; ++row) {
        if (height <= rowUpperLimit(row))
            return row;
    }
    return weightTable::RowCount - 1;
}

int tableRowTop(int row)
{
    return weightTable::rowTop(row);
}

Cross crossPlacement(float weight, float height)
{
    const double w = weight;
    const double h = height;
    Cross c;
    using namespace weightChart;
    // The arms are 300 twips long, centred on the point.
    c.horizontal.y1 = toSingle(rowOf(w));
    c.horizontal.x1 = toSingle((h - MinHeight) * ColumnsPerCm + (LeftColumn - 150));
    c.horizontal.x2 = toSingle(static_cast<double>(c.horizontal.x1) + 300);
    c.vertical.x1 = toSingle(columnOf(h));
    c.vertical.y1 = toSingle(static_cast<double>(c.horizontal.y1) - 150);
    c.vertical.y2 = toSingle(static_cast<double>(c.horizontal.y1) + 150);
    c.horizontal.y2 = c.horizontal.y1;
    c.vertical.x2 = c.vertical.x1;
    return c;
}

} // namespace model
