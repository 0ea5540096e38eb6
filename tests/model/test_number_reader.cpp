#include "model/NumberReader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Reading {
    const char* text;
    double expected;
};

class NumberReading : public ::testing::TestWithParam<Reading> { };

TEST_P(NumberReading, ReadsTolerantly)
{
    const Reading& r = GetParam();
    EXPECT_DOUBLE_EQ(model::readNumber(r.text), r.expected) << '"' << r.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Texts, NumberReading,
                         ::testing::Values(Reading{"176", 176}, Reading{"", 0}, Reading{"abc", 0}, Reading{"x12", 0},
                                           Reading{"  7 0 ", 70}, Reading{"\t1\n2", 12}, Reading{"+5", 5},
                                           Reading{"-5", -5}, Reading{"- 5", -5}, Reading{"1.76", 1.76},
                                           Reading{"1.7.6", 1.7}, Reading{".5", 0.5}, Reading{"5.", 5}, Reading{".", 0},
                                           Reading{"-", 0}, Reading{"20,5", 20}, Reading{"1e3", 1000},
                                           Reading{"1E3", 1000}, Reading{"1D3", 1000}, Reading{"1d-2", 0.01},
                                           Reading{"2.5E+1", 25}, Reading{"1e", 1}, Reading{"1e+", 1},
                                           Reading{"1ex", 1}, Reading{"00012", 12}, Reading{"0.000", 0},
                                           Reading{"12kg", 12}, Reading{"1 e 2", 100}));

TEST(NumberReadingLimits, HugeAndTinyNumbers)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(model::readNumber("1e400"), inf);
    EXPECT_EQ(model::readNumber("-1e400"), -inf);
    EXPECT_EQ(model::readNumber("1e-400"), 0.0);
    EXPECT_EQ(model::readNumber("1e99999999999999999999"), inf);
    EXPECT_EQ(model::readNumber("1e-99999999999999999999"), 0.0);
    EXPECT_EQ(model::readNumber(std::string(10000, '9')), inf);
    EXPECT_EQ(model::readNumber("0." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(model::readNumber(std::string(400, '0') + "7"), 7.0);
    EXPECT_DOUBLE_EQ(model::readNumber(std::string(40, '9')), 1e40);
}

TEST(NumberReadingLimits, NarrowingBeyondFloatRangeGivesInfinity)
{
    const float inf = std::numeric_limits<float>::infinity();
    EXPECT_EQ(model::toSingle(1e39), inf);
    EXPECT_EQ(model::toSingle(-1e39), -inf);
    EXPECT_EQ(model::toSingle(std::numeric_limits<float>::max()), std::numeric_limits<float>::max());
    EXPECT_EQ(model::readSingle(std::string(39, '9')), inf);
    EXPECT_EQ(model::readSingle(std::string(38, '9')), 1e38f);
    EXPECT_EQ(model::readSingle("2.88"), 2.88f);
}

} // namespace
