#include "model/ReferencePlacement.h"

#include "model/NumberReader.h"

#include <cmath>

namespace model {
namespace {

constexpr int rowCount = 24;
constexpr int firstRowTop = 800;
constexpr int rowHeight = 245;

// Row k (1..22) ends at 147 + 2k cm inclusive; a shared boundary belongs to the lower row.
// Heights below 147 take row 0 and heights above 191 take row 23, so that no fractional
// height between two rows leaves the frame where an earlier height put it.
constexpr float rowUpperLimit(int row) { return 147.0f + 2.0f * static_cast<float>(row); }

} // namespace

bool onWeightHeightChart(float weight, float height)
{
    return weight <= 130.0f && height <= 210.0f && weight >= 40.0f && height >= 150.0f;
}

std::optional<int> tableRow(float height)
{
    if (std::isnan(height))
        return std::nullopt;
    if (height < 147.0f)
        return 0;
    for (int row = 1; row < rowCount - 1; ++row) {
        if (height <= rowUpperLimit(row))
            return row;
    }
    return rowCount - 1;
}

int tableRowTop(int row) { return firstRowTop + rowHeight * row; }

Cross crossPlacement(float weight, float height)
{
    const double w = weight;
    const double h = height;
    Cross c;
    c.horizontal.y1 = toSingle(5960 - (w - 40) * 64.22);
    c.horizontal.x1 = toSingle((h - 150) * 184.17 + 590);
    c.horizontal.x2 = toSingle(static_cast<double>(c.horizontal.x1) + 300);
    c.vertical.x1 = toSingle((h - 150) * 184.17 + 740);
    c.vertical.y1 = toSingle(static_cast<double>(c.horizontal.y1) - 150);
    c.vertical.y2 = toSingle(static_cast<double>(c.horizontal.y1) + 150);
    c.horizontal.y2 = c.horizontal.y1;
    c.vertical.x2 = c.vertical.x1;
    return c;
}

} // namespace model
