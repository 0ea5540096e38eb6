#include "model/Evaluation.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using model::evaluate;

TEST(Evaluation, DefaultsGiveTheKnownIndexAndMarker)
{
    const auto e = evaluate("70", "176", "20", "cm", 0);
    ASSERT_TRUE(e.bmi);
    EXPECT_EQ(*e.bmi, 22.598141f);
    EXPECT_EQ(model::resultCaption(e.bmi, ","), "Váš BMI (body mass index) je : 22,598");
    EXPECT_EQ(model::resultCaption(e.bmi, "."), "Váš BMI (body mass index) je : 22.598");
    EXPECT_EQ(model::bandCaption(*e.bmi), "18,5–25     Ideální váha");
    const auto c = model::markerCentre(e.age, *e.bmi);
    EXPECT_DOUBLE_EQ(c.x, 813.75);
    EXPECT_NEAR(c.y, 2365.355, 0.001);
}

TEST(Evaluation, UnitsAndReadings)
{
    EXPECT_EQ(evaluate("70", "1.76", "20", "m", 0).height, 176.0f);
    EXPECT_EQ(evaluate("70", "176", "20", "m", 0).height, 17600.0f);
    EXPECT_EQ(evaluate("70", "176", "20", "", 150).height, 150.0f); // no unit: height stays
    EXPECT_EQ(evaluate("70", "176", "20,5", "cm", 0).age, 20.0f);
    EXPECT_EQ(model::withDecimalPoints("1,7,6"), "1.7.6");

    const auto zeroWeight = evaluate("00", "176", "20", "cm", 0);
    ASSERT_TRUE(zeroWeight.bmi);
    EXPECT_EQ(model::resultCaption(zeroWeight.bmi, ","), "Váš BMI (body mass index) je : 0");
    EXPECT_EQ(model::markerCentre(20, *zeroWeight.bmi).y, 3740);

    const auto metres = evaluate("70", "176", "20", "m", 0);
    EXPECT_EQ(model::formatIndex(*metres.bmi, ","), "0,002");
}

TEST(Evaluation, UnitSuggestedBySizeOfHeight)
{
    using model::HeightUnit;
    EXPECT_EQ(model::suggestedUnit(2.88f), HeightUnit::Centimetres);
    EXPECT_EQ(model::suggestedUnit(2.879f), HeightUnit::Metres);
    EXPECT_EQ(model::suggestedUnit(1.0f), HeightUnit::Metres);
    EXPECT_EQ(model::suggestedUnit(17.0f), HeightUnit::Centimetres);
    EXPECT_EQ(model::suggestedUnit(std::numeric_limits<float>::infinity()), HeightUnit::None);
}

TEST(Evaluation, NoIndexWithoutHeightOrBeyondFloatRange)
{
    const std::string fortyDigits(40, '9');
    for (const auto& e : {evaluate("70", "0", "20", "cm", 0), evaluate("0", "00", "20", "cm", 0),
                          evaluate("70", fortyDigits, "20", "cm", 0), evaluate("1e39", "176", "20", "cm", 0),
                          evaluate("70", "176", "1e39", "cm", 0), evaluate("3e38", "1", "20", "cm", 0)}) {
        EXPECT_FALSE(e.bmi);
        EXPECT_EQ(model::resultCaption(e.bmi, ","), "Váš BMI (body mass index) je : ");
    }
}

struct BandCase {
    const char* weight;
    const char* caption;
};

class Bands : public ::testing::TestWithParam<BandCase> { };

TEST_P(Bands, UpperLimitBelongsToLowerBand)
{
    const auto e = evaluate(GetParam().weight, "200", "30", "cm", 0);
    ASSERT_TRUE(e.bmi);
    EXPECT_EQ(model::bandCaption(*e.bmi), GetParam().caption) << GetParam().weight;
}

INSTANTIATE_TEST_SUITE_P(
    AtHeight200, Bands,
    ::testing::Values(BandCase{"74", "BMI < 18.5  Podváha"}, BandCase{"74.1", "18,5–25     Ideální váha"},
                      BandCase{"100", "18,5–25     Ideální váha"}, BandCase{"100.1", "25–30       Nadváha"},
                      BandCase{"120", "25–30       Nadváha"}, BandCase{"140", "30–35       Mírná obezita"},
                      BandCase{"160", "35–40       Střední obezita"}, BandCase{"161", "BMI > 40    Morbidní obezita"},
                      BandCase{"-70", "BMI < 18.5  Podváha"}));

TEST(Bands, ClassNamesLineUpAtTheThirteenthCharacter)
{
    for (float bmi : {10.0f, 20.0f, 27.0f, 33.0f, 37.0f, 45.0f}) {
        const std::u8string caption(reinterpret_cast<const char8_t*>(model::bandCaption(bmi).data()),
                                    model::bandCaption(bmi).size());
        // Count code points: the en dash is three bytes in UTF-8 but one character.
        int characters = 0;
        std::size_t i = 0;
        for (; i < caption.size() && characters < 12; ++i)
            characters += (caption[i] & 0xC0) != 0x80;
        while (i < caption.size() && (caption[i] & 0xC0) == 0x80)
            ++i;
        EXPECT_NE(caption[i], u8' ') << bmi;
        EXPECT_EQ(caption[i - 1], u8' ') << bmi;
    }
}

struct FormatCase {
    float bmi;
    const char* text;
};

class IndexFormat : public ::testing::TestWithParam<FormatCase> { };

TEST_P(IndexFormat, ShortestFormWithLocaleSeparator)
{
    EXPECT_EQ(model::formatIndex(GetParam().bmi, ","), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, IndexFormat,
    ::testing::Values(FormatCase{22.0625f, "22,062"}, FormatCase{22.0635f, "22,063"}, FormatCase{25.0f, "25"},
                      FormatCase{18.5f, "18,5"}, FormatCase{0.0f, "0"}, FormatCase{-0.0f, "0"},
                      FormatCase{-0.0001f, "0"}, FormatCase{-22.5f, "-22,5"}, FormatCase{0.0005f, "0,001"},
                      FormatCase{9999.9996f, "10000"}, FormatCase{12345.678f, "12346"},
                      // From 10 000 up a whole number, rounded from the value itself, ties to the even digit.
                      FormatCase{77777.781f, "77778"}, FormatCase{99999.5f, "100000"}, FormatCase{99998.5f, "99998"},
                      FormatCase{10000.5f, "10000"}, FormatCase{10000.499f, "10000"}, FormatCase{10001.5f, "10002"},
                      FormatCase{-77777.781f, "-77778"}, FormatCase{-99999.5f, "-100000"},
                      FormatCase{16777215.0f, "16777215"}, FormatCase{123456789.0f, "123456792"},
                      FormatCase{1e16f, "1E+16"}, FormatCase{1e15f, "1E+15"},
                      FormatCase{99999991988224.0f, "99999991988224"},
                      FormatCase{-99999991988224.0f, "-99999991988224"}, FormatCase{1e14f, "1E+14"},
                      FormatCase{3.4e38f, "3,4E+38"}));

TEST(IndexFormat, ExactHalfWayGoesToEvenDigit)
{
    const auto e = evaluate("353", "400", "20", "cm", 0);
    ASSERT_TRUE(e.bmi);
    EXPECT_EQ(*e.bmi, 22.0625f);
    EXPECT_EQ(model::formatIndex(*e.bmi, ","), "22,062");
    EXPECT_EQ(model::formatIndex(*evaluate("100", "200", "20", "cm", 0).bmi, ","), "25");
}

} // namespace
