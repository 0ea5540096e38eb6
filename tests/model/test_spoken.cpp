#include "model/Spoken.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

struct ChartCase {
    std::optional<float> bmi;
    float age;
    const char* separator;
    std::string expected;
};

TEST(Spoken, BmiChartSaysIndexAgeAndBand)
{
    const ChartCase cases[] = {
        {22.598141f, 20, ",", "Váš BMI 22,598 ve věku 20 let: 18,5–25 Ideální váha"},
        {22.598141f, 20, ".", "Váš BMI 22.598 ve věku 20 let: 18,5–25 Ideální váha"},
        {18.5f, 1, ",", "Váš BMI 18,5 ve věku 1 roku: BMI < 18.5 Podváha"},
        {41.0f, 20.5f, ",", "Váš BMI 41 ve věku 20,5 roku: BMI > 40 Morbidní obezita"},
        {30.0f, 21, ",", "Váš BMI 30 ve věku 21 let: 25–30 Nadváha"},
        {std::nullopt, 20, ",", "BMI nelze spočítat"},
    };
    for (const ChartCase& c : cases)
        EXPECT_EQ(model::bmiChartDescription(c.bmi, c.age, c.separator), c.expected) << c.expected;
}

TEST(Spoken, ResultAnnouncementCarriesTheBandWithoutAlignmentBlanks)
{
    EXPECT_EQ(model::resultAnnouncement(22.598141f, ","),
              "Váš BMI (body mass index) je : 22,598, 18,5–25 Ideální váha");
    EXPECT_EQ(model::resultAnnouncement(36.0f, ","), "Váš BMI (body mass index) je : 36, 35–40 Střední obezita");
    EXPECT_EQ(model::resultAnnouncement(std::nullopt, ","), "Váš BMI (body mass index) je : ");
}

TEST(Spoken, WeightChartSaysWhetherThePersonIsOnIt)
{
    // The chart's four limits are inclusive.
    EXPECT_EQ(model::weightChartDescription(70, 176, ","), "Vaše hmotnost 70 kg při výšce 176 cm");
    EXPECT_EQ(model::weightChartDescription(40, 150, ","), "Vaše hmotnost 40 kg při výšce 150 cm");
    EXPECT_EQ(model::weightChartDescription(130, 210, ","), "Vaše hmotnost 130 kg při výšce 210 cm");
    EXPECT_EQ(model::weightChartDescription(70.5f, 209.75f, ","), "Vaše hmotnost 70,5 kg při výšce 209,75 cm");
    EXPECT_EQ(model::weightChartDescription(130.5f, 176, ","), "Mimo rozsah grafu: hmotnost 130,5 kg při výšce 176 cm");
    EXPECT_EQ(model::weightChartDescription(70, 149, ","), "Mimo rozsah grafu: hmotnost 70 kg při výšce 149 cm");
    const float infinite = std::numeric_limits<float>::infinity();
    EXPECT_EQ(model::weightChartDescription(infinite, 176, ",").rfind("Mimo rozsah grafu: hmotnost ", 0), 0u);
}

TEST(Spoken, WeightTableNamesTheMarkedRow)
{
    EXPECT_EQ(model::weightTableDescription("176"), "Vyznačený řádek: výška 176 cm");
}

} // namespace
