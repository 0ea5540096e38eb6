#include "model/ReferencePlacement.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct RowCase {
    float height;
    int row;
};

class TableRows : public ::testing::TestWithParam<RowCase> { };

TEST_P(TableRows, HeightSelectsRow)
{
    const auto row = model::tableRow(GetParam().height);
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, GetParam().row) << GetParam().height;
}

constexpr float inf = std::numeric_limits<float>::infinity();

INSTANTIATE_TEST_SUITE_P(Boundaries, TableRows,
                         ::testing::Values(RowCase{0, 0}, RowCase{-inf, 0}, RowCase{146, 0}, RowCase{146.5f, 0},
                                           RowCase{147, 1}, RowCase{149, 1}, RowCase{149.5f, 2}, RowCase{151, 2},
                                           RowCase{151.01f, 3}, RowCase{176, 15}, RowCase{177, 15}, RowCase{178, 16},
                                           RowCase{189, 21}, RowCase{189.5f, 22}, RowCase{191, 22}, RowCase{191.5f, 23},
                                           RowCase{192, 23}, RowCase{300, 23}, RowCase{inf, 23}));

TEST(TableRows, TopsAndNoNumber)
{
    EXPECT_EQ(model::tableRowTop(0), 800);
    EXPECT_EQ(model::tableRowTop(15), 4475);
    EXPECT_EQ(model::tableRowTop(23), 6435);
    EXPECT_FALSE(model::tableRow(std::nanf("")));
}

struct CrossCase {
    float weight, height;
    float x1, y1, x2, vx, vy1, vy2;
};

class Crosses : public ::testing::TestWithParam<CrossCase> { };

TEST_P(Crosses, WorkedValues)
{
    const CrossCase& c = GetParam();
    const auto cross = model::crossPlacement(c.weight, c.height);
    EXPECT_NEAR(cross.horizontal.x1, c.x1, 0.05);
    EXPECT_NEAR(cross.horizontal.y1, c.y1, 0.05);
    EXPECT_NEAR(cross.horizontal.x2, c.x2, 0.05);
    EXPECT_EQ(cross.horizontal.y2, cross.horizontal.y1);
    EXPECT_NEAR(cross.vertical.x1, c.vx, 0.05);
    EXPECT_EQ(cross.vertical.x2, cross.vertical.x1);
    EXPECT_NEAR(cross.vertical.y1, c.vy1, 0.05);
    EXPECT_NEAR(cross.vertical.y2, c.vy2, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Chart, Crosses,
                         ::testing::Values(CrossCase{40, 150, 590, 5960, 890, 740, 5810, 6110},
                                           CrossCase{70, 176, 5378.4f, 4033.4f, 5678.4f, 5528.4f, 3883.4f, 4183.4f},
                                           CrossCase{130, 210, 11640.2f, 180.2f, 11940.2f, 11790.2f, 30.2f, 330.2f}));

TEST(ChartRange, FourInclusiveLimits)
{
    EXPECT_TRUE(model::onWeightHeightChart(40, 150));
    EXPECT_TRUE(model::onWeightHeightChart(130, 210));
    EXPECT_FALSE(model::onWeightHeightChart(39.9f, 176));
    EXPECT_FALSE(model::onWeightHeightChart(130.1f, 176));
    EXPECT_FALSE(model::onWeightHeightChart(70, 149.9f));
    EXPECT_FALSE(model::onWeightHeightChart(70, 210.1f));
    EXPECT_FALSE(model::onWeightHeightChart(70, std::nanf("")));
    EXPECT_FALSE(model::onWeightHeightChart(1e30f, inf));
}

} // namespace
