#pragma once

// Where the pictures put their values, in twips of each picture (every picture is shown at 15
// twips per pixel): the one description that the evaluation, the placement in the reference
// windows and the painting of the pictures all use. Converting to pixels is the painters' job.
namespace model {

// A marker's cross: two arms 300 twips long, crossing at their midpoints.
struct Segment {
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};
struct Cross {
    Segment horizontal;
    Segment vertical;
};

// Every window and picture assumes this many twips to a pixel (96 dots per inch).
inline constexpr int TwipsPerPixel = 15;

// BMI by age, the main window's chart: the marker's centre for an age and an index.
namespace bmiChart {
inline constexpr double ZeroRow = 3740;      // where an index of 0 would lie
inline constexpr double RowsPerUnit = 60.83; // twips per unit of the index, upwards
inline constexpr double ColumnsPerYear = 81.875;
inline constexpr double AgeOffset = 823.75; // age 18 lies at 650
inline constexpr int FirstAge = 18;
inline constexpr int LastAge = 66;
inline constexpr int TopValue = 60;

constexpr double rowOf(double bmi)
{
    return ZeroRow - bmi * RowsPerUnit;
}
constexpr double columnOf(double age)
{
    return age * ColumnsPerYear - AgeOffset;
}
} // namespace bmiChart

// Weight by height, the chart of the second reference window, and the range it covers (all
// four limits inclusive).
namespace weightChart {
inline constexpr double BottomRow = 5960; // the row of the lowest weight
inline constexpr double RowsPerKg = 64.22;
inline constexpr double LeftColumn = 740; // the column of the lowest height
inline constexpr double ColumnsPerCm = 184.17;
inline constexpr float MinWeight = 40, MaxWeight = 130;  // kilograms
inline constexpr float MinHeight = 150, MaxHeight = 210; // centimetres

constexpr double rowOf(double weightKg)
{
    return BottomRow - (weightKg - MinWeight) * RowsPerKg;
}
constexpr double columnOf(double heightCm)
{
    return (heightCm - MinHeight) * ColumnsPerCm + LeftColumn;
}
} // namespace weightChart

// The weights table of the first reference window: 24 rows of heights under a heading.
namespace weightTable {
inline constexpr int RowCount = 24;
inline constexpr int FirstRowTop = 800;
inline constexpr int RowHeight = 245;

constexpr int rowTop(int row)
{
    return FirstRowTop + RowHeight * row;
}
// Row k (1..22) ends at 147 + 2k cm inclusive; a shared boundary belongs to the lower row.
constexpr float rowUpperLimit(int row)
{
    return 147.0f + 2.0f * static_cast<float>(row);
}
} // namespace weightTable

} // namespace model
