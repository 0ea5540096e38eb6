#include "resources/Pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QtMath>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include <utility>
#include <vector>

// Set TELIMER_PICTURES_DIR to a folder to get every picture as PNG (at 1x and 2x) for a look.

namespace {

using pictures::Picture;

class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (!QCoreApplication::instance())
            app_ = new QGuiApplication(argc_, argv_);
    }

private:
    int argc_ = 1;
    char name_[16] = "resources_tests";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};

const auto* const guiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// The windows' marker formulas, in pixels (15 twips each).
double bmiRow(double bmi)
{
    return (3740 - bmi * 60.83) / 15;
}
double ageColumn(double age)
{
    return (age * 81.875 - 823.75) / 15;
}
double heightColumn(double cm)
{
    return ((cm - 150) * 184.17 + 740) / 15;
}
double weightRow(double kg)
{
    return (5960 - (kg - 40) * 64.22) / 15;
}
double weightAt(double bmi, double cm)
{
    return bmi * (cm / 100) * (cm / 100);
}

const QColor kBlack(0, 0, 0);

bool isBlack(const QImage& image, int x, int y)
{
    return image.pixelColor(x, y) == kBlack;
}

bool isClose(const QColor& actual, const QColor& expected, int tolerance)
{
    return actual.alpha() == 255 && qAbs(actual.red() - expected.red()) <= tolerance
        && qAbs(actual.green() - expected.green()) <= tolerance && qAbs(actual.blue() - expected.blue()) <= tolerance;
}

// Weight table colours.
const QColor kGrey(192, 192, 192), kLightGreen(204, 255, 204), kLightOrange(255, 204, 153), kHeaderGreen(0, 255, 0),
    kAmber(255, 204, 0), kBrown(153, 51, 0);

using Span = std::pair<int, int>;

// Runs of black pixels along one column (vertical) or one row, as (first, last) pairs.
std::vector<std::pair<int, int>> blackRuns(const QImage& image, int fixed, bool vertical)
{
    std::vector<std::pair<int, int>> runs;
    const int length = vertical ? image.height() : image.width();
    for (int i = 0; i < length; ++i) {
        if (!isBlack(image, vertical ? fixed : i, vertical ? i : fixed))
            continue;
        if (!runs.empty() && runs.back().second == i - 1)
            runs.back().second = i;
        else
            runs.emplace_back(i, i);
    }
    return runs;
}

// ---------------------------------------------------------------------------------------------

struct Named {
    const char* name;
    const Picture* picture;
    int width;
    int height;
};

const Named kAll[] = {
    {"BmiChart", &pictures::BmiChart, 307, 300},           {"Legend", &pictures::Legend, 260, 39},
    {"TableMiniature", &pictures::TableMiniature, 55, 61}, {"ChartMiniature", &pictures::ChartMiniature, 55, 61},
    {"HelpButton", &pictures::HelpButton, 32, 32},         {"AboutButton", &pictures::AboutButton, 32, 32},
    {"QuitButton", &pictures::QuitButton, 32, 32},         {"Icon", &pictures::Icon, 32, 32},
    {"WeightTable", &pictures::WeightTable, 431, 481},     {"WeightChart", &pictures::WeightChart, 799, 444},
    {"RangeWarning", &pictures::RangeWarning, 46, 46},     {"BuiltInBanner", &pictures::BuiltInBanner, 468, 60},
};

std::string nameOf(const ::testing::TestParamInfo<Named>& info)
{
    return info.param.name;
}

class EveryPicture : public ::testing::TestWithParam<Named> { };

TEST_P(EveryPicture, HasItsNaturalSizeAtEveryPixelRatio)
{
    const Named& n = GetParam();
    EXPECT_EQ(n.picture->width, n.width);
    EXPECT_EQ(n.picture->height, n.height);
    for (const qreal dpr : {1.0, 1.5, 2.0}) {
        const QImage image = pictures::render(*n.picture, dpr);
        EXPECT_EQ(image.size(), QSize(qCeil(n.width * dpr), qCeil(n.height * dpr))) << dpr;
        EXPECT_EQ(image.devicePixelRatio(), dpr);
        EXPECT_TRUE(image.hasAlphaChannel());
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, EveryPicture, ::testing::ValuesIn(kAll), nameOf);

TEST(Render, DumpsEveryPictureWhenAskedTo)
{
    const QString folder = qEnvironmentVariable("TELIMER_PICTURES_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "TELIMER_PICTURES_DIR not set";
    for (const Named& n : kAll) {
        for (const qreal dpr : {1.0, 2.0}) {
            const QString file = QStringLiteral("%1@%2.png").arg(QString::fromUtf8(n.name)).arg(dpr);
            EXPECT_TRUE(pictures::render(*n.picture, dpr).save(QDir(folder).filePath(file)));
        }
    }
}

TEST(Render, TreatsANonPositiveRatioAsOne)
{
    EXPECT_EQ(pictures::render(pictures::Icon, 0).size(), QSize(32, 32));
    EXPECT_EQ(pictures::render(pictures::Icon, -2).devicePixelRatio(), 1.0);
}

TEST(Render, LeavesAPictureWithoutPainterTransparent)
{
    const QImage image = pictures::render(Picture{3, 2, nullptr});
    ASSERT_EQ(image.size(), QSize(3, 2));
    EXPECT_EQ(image.pixelColor(2, 1).alpha(), 0);
    EXPECT_TRUE(pictures::render(Picture{}).isNull());
}

// ---------------------------------------------------------------------------------------------

class OpaquePicture : public ::testing::TestWithParam<Named> { };

TEST_P(OpaquePicture, HasNoTransparentPixel)
{
    for (const qreal dpr : {1.0, 2.0}) {
        const QImage image = pictures::render(*GetParam().picture, dpr);
        int transparent = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                transparent += image.pixelColor(x, y).alpha() != 255;
        EXPECT_EQ(transparent, 0) << "at ratio " << dpr;
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, OpaquePicture,
                         ::testing::Values(kAll[2], kAll[3], kAll[7], kAll[8], kAll[9], kAll[11]), nameOf);

struct TransparentSpots {
    const char* name;
    const Picture* picture;
    std::vector<QPoint> spots;
};

class SeeThroughPicture : public ::testing::TestWithParam<TransparentSpots> { };

TEST_P(SeeThroughPicture, IsTransparentWhereNothingIsDrawn)
{
    const QImage image = pictures::render(*GetParam().picture);
    for (const QPoint& spot : GetParam().spots)
        EXPECT_EQ(image.pixelColor(spot).alpha(), 0) << spot.x() << "," << spot.y();
}

const std::vector<QPoint> kButtonCorners{{0, 0}, {31, 0}, {0, 31}, {31, 31}, {3, 3}, {28, 28}};

INSTANTIATE_TEST_SUITE_P(
    Pictures, SeeThroughPicture,
    ::testing::Values(TransparentSpots{"BmiChart",
                                       &pictures::BmiChart,
                                       {{0, 0}, {306, 0}, {0, 299}, {306, 299}, {150, 230}, {200, 60}}},
                      TransparentSpots{"Legend", &pictures::Legend, {{1, 1}, {258, 1}, {1, 37}, {258, 37}, {90, 19}}},
                      TransparentSpots{"HelpButton", &pictures::HelpButton, kButtonCorners},
                      TransparentSpots{"AboutButton", &pictures::AboutButton, kButtonCorners},
                      TransparentSpots{"QuitButton", &pictures::QuitButton, kButtonCorners},
                      TransparentSpots{"RangeWarning",
                                       &pictures::RangeWarning,
                                       {{0, 0}, {45, 0}, {0, 45}, {45, 45}, {8, 8}, {37, 37}}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------------------------
// BMI by age

class BmiGridLine : public ::testing::TestWithParam<int> { };

// The main window's marker for a BMI must sit on the grid line of that BMI.
TEST_P(BmiGridLine, LiesOnTheMarkerRowAtEveryRatio)
{
    const int value = GetParam();
    const int row = qRound(bmiRow(value));
    const int column = qRound(ageColumn(60)); // no curve comes near a grid line there
    const QImage image = pictures::render(pictures::BmiChart);
    EXPECT_TRUE(isBlack(image, column, row));
    EXPECT_EQ(image.pixelColor(column, row - 2).alpha(), 0);
    EXPECT_EQ(image.pixelColor(column, row + 2).alpha(), 0);

    const QImage sharp = pictures::render(pictures::BmiChart, 2.0);
    EXPECT_TRUE(isBlack(sharp, 2 * column, 2 * row));
    EXPECT_TRUE(isBlack(sharp, 2 * column, 2 * row + 1));
}

INSTANTIATE_TEST_SUITE_P(BmiChart, BmiGridLine, ::testing::Values(10, 20, 30, 40, 50, 60));

TEST(BmiChart, MarkerForBmi20AtAge30SitsOnThe20LineAboveTheAge30Tick)
{
    const QImage image = pictures::render(pictures::BmiChart);
    const int column = qRound(ageColumn(30));
    const int axis = qRound(bmiRow(0));
    EXPECT_TRUE(isBlack(image, column, qRound(bmiRow(20))));
    EXPECT_TRUE(isBlack(image, column, axis + 2));
    EXPECT_FALSE(isBlack(image, column - 1, axis + 2));
    EXPECT_FALSE(isBlack(image, column + 1, axis + 2));
}

TEST(BmiChart, HasOneTickPerYearBelowTheAxis)
{
    const QImage image = pictures::render(pictures::BmiChart);
    const int tickRow = qRound(bmiRow(0)) + 2;
    std::vector<std::pair<int, int>> expected;
    for (int age = 18; age <= 66; ++age)
        expected.emplace_back(qRound(ageColumn(age)), qRound(ageColumn(age)));
    // Left of the axis sits its "0", whose glyph reaches this row on some font rasterisers.
    auto ticks = blackRuns(image, tickRow, false);
    std::erase_if(ticks, [](const auto& run) { return run.second < qRound(ageColumn(18)); });
    EXPECT_EQ(ticks, expected);
}

TEST(BmiChart, DrawsTheZeroLineDottedInTeal)
{
    const QImage image = pictures::render(pictures::BmiChart);
    const int row = qRound(bmiRow(0));
    int teal = 0;
    int clear = 0;
    for (int x = qRound(ageColumn(18)) + 1; x < qRound(ageColumn(66)); ++x) {
        const QColor c = image.pixelColor(x, row);
        teal += isClose(c, QColor(0, 128, 128), 0);
        clear += c.alpha() == 0;
    }
    EXPECT_GT(teal, 120);
    EXPECT_GT(clear, 120);
}

struct CurveSample {
    double age;
    double bmi;
    QColor colour;
};

class BmiCurve : public ::testing::TestWithParam<CurveSample> { };

TEST_P(BmiCurve, PassesThroughTheTabulatedValue)
{
    const CurveSample& s = GetParam();
    const QImage image = pictures::render(pictures::BmiChart);
    const int x = qRound(ageColumn(s.age));
    const int y = qRound(bmiRow(s.bmi));
    // A 2-px line centred on the value covers at least one pixel next to it in full.
    bool found = false;
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            found = found || isClose(image.pixelColor(x + dx, y + dy), s.colour, 40);
    EXPECT_TRUE(found) << "age " << s.age << " BMI " << s.bmi;
}

const QColor kPurple(128, 0, 128), kBlue(0, 0, 255), kGreen(0, 128, 0), kOlive(128, 128, 0), kMaroon(128, 0, 0),
    kRed(255, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    BmiChart, BmiCurve,
    ::testing::Values(CurveSample{22, 18.1, kPurple}, CurveSample{50, 21.4, kPurple}, CurveSample{62, 24.4, kPurple},
                      CurveSample{26, 24.3, kBlue}, CurveSample{58, 27.5, kBlue}, CurveSample{34, 29.8, kGreen},
                      CurveSample{62, 32.7, kGreen}, CurveSample{38, 34.4, kOlive}, CurveSample{54, 35.9, kOlive},
                      CurveSample{30, 37.0, kMaroon}, CurveSample{50, 40.6, kMaroon}, CurveSample{22, 38.1, kRed},
                      CurveSample{42, 44.8, kRed}, CurveSample{44.5, 47.5, kRed}, CurveSample{62, 51.7, kRed}));

TEST(BmiChart, PurpleCurveEndsAt65)
{
    const QImage image = pictures::render(pictures::BmiChart);
    const int row = qRound(bmiRow(25.8));
    EXPECT_EQ(image.pixelColor(qRound(ageColumn(65)) + 3, row).alpha(), 0);
}

TEST(Legend, ShowsTheSixCurveColoursInTwoRowsInsideABlackFrame)
{
    const QImage image = pictures::render(pictures::Legend);
    for (const QPoint& p : {QPoint(0, 0), QPoint(259, 38), QPoint(130, 0), QPoint(0, 19)})
        EXPECT_TRUE(isBlack(image, p.x(), p.y())) << p.x() << "," << p.y();
    const QColor colours[] = {kPurple, kBlue, kGreen, kOlive, kMaroon, kRed};
    for (int i = 0; i < 6; ++i) {
        const QColor actual = image.pixelColor(19 + (i % 3) * 84, i < 3 ? 12 : 26);
        EXPECT_TRUE(isClose(actual, colours[i], 0)) << i;
    }
}

// ---------------------------------------------------------------------------------------------
// Weights for men and women

TEST(WeightTable, RowLinesRunAsLaidOut)
{
    const QImage image = pictures::render(pictures::WeightTable);
    const auto runs = blackRuns(image, 4, true); // left margin of the height labels
    ASSERT_EQ(runs.size(), 27u);
    EXPECT_EQ(runs[0], std::make_pair(0, 1));
    EXPECT_EQ(runs[1], std::make_pair(52, 53));
    EXPECT_EQ(runs[2], std::make_pair(69, 69));
    EXPECT_EQ(runs[3], std::make_pair(85, 85));
    EXPECT_EQ(runs[4], std::make_pair(102, 102));
    EXPECT_EQ(runs[24], std::make_pair(431, 431));
    EXPECT_EQ(runs[25], std::make_pair(447, 448));
    EXPECT_EQ(runs[26], std::make_pair(479, 480));
    for (int i = 3; i <= 25; ++i) {
        const int gap = runs[i].first - runs[i - 1].first;
        EXPECT_TRUE(gap == 16 || gap == 17) << "line " << i << " gap " << gap;
    }
    // Over the weight columns the heading has two more lines.
    const auto weights = blackRuns(image, 60, true);
    ASSERT_EQ(weights.size(), 29u);
    EXPECT_EQ(weights[1], std::make_pair(18, 18));
    EXPECT_EQ(weights[2], std::make_pair(35, 35));
}

struct ColumnScan {
    int row;
    int from; // the heading's two-line label is left out of the scan
    std::vector<Span> lines;
};

class WeightTableColumns : public ::testing::TestWithParam<ColumnScan> { };

TEST_P(WeightTableColumns, StandWhereLaidOut)
{
    const QImage image = pictures::render(pictures::WeightTable);
    auto lines = blackRuns(image, GetParam().row, false);
    std::erase_if(lines, [](const Span& line) { return line.first < GetParam().from; });
    EXPECT_EQ(lines, GetParam().lines);
}

const std::vector<Span> kAllColumns{{0, 1},     {54, 55},   {117, 117}, {179, 179},
                                    {242, 242}, {304, 304}, {367, 367}, {429, 430}};

INSTANTIATE_TEST_SUITE_P(WeightTable, WeightTableColumns,
                         ::testing::Values(ColumnScan{2, 54, {{54, 55}, {429, 430}}},              // title
                                           ColumnScan{19, 54, {{54, 55}, {242, 242}, {429, 430}}}, // groups
                                           ColumnScan{36, 54, {kAllColumns.begin() + 1, kAllColumns.end()}},
                                           ColumnScan{70, 0, kAllColumns},    // data
                                           ColumnScan{449, 0, kAllColumns})); // footer

struct CellColour {
    int x;
    int y;
    QColor colour;
};

class WeightTableCell : public ::testing::TestWithParam<CellColour> { };

TEST_P(WeightTableCell, HasItsColour)
{
    const QImage image = pictures::render(pictures::WeightTable);
    const CellColour& c = GetParam();
    EXPECT_TRUE(isClose(image.pixelColor(c.x, c.y), c.colour, 0)) << image.pixelColor(c.x, c.y).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(WeightTable, WeightTableCell,
                         ::testing::Values(CellColour{3, 3, kGrey}, CellColour{3, 60, kGrey}, CellColour{3, 460, kGrey},
                                           CellColour{58, 38, kHeaderGreen}, CellColour{120, 38, kAmber},
                                           CellColour{182, 38, kBrown}, CellColour{245, 38, kHeaderGreen},
                                           CellColour{307, 38, kAmber}, CellColour{370, 38, kBrown},
                                           CellColour{58, 70, kLightGreen}, CellColour{120, 70, kLightOrange},
                                           CellColour{182, 70, kLightOrange}, CellColour{245, 432, kLightGreen},
                                           CellColour{307, 432, kLightOrange}, CellColour{427, 432, kLightOrange},
                                           CellColour{58, 477, kHeaderGreen}, CellColour{120, 477, kAmber},
                                           CellColour{427, 477, kBrown},
                                           CellColour{86, 61, kLightGreen})); // blank cell: where a lone dash would sit

// Form2's red frame is 17 px high at (800 + 245 k) / 15 px with a 2-px border; it must mark
// data row k without its border crossing the text of any row.
TEST(WeightTable, RowFrameFallsOnEachDataRow)
{
    const QImage image = pictures::render(pictures::WeightTable);
    const auto lines = blackRuns(image, 4, true);
    ASSERT_EQ(lines.size(), 27u);
    const auto isLine = [&](int y) {
        for (const Span& line : lines)
            if (y >= line.first && y <= line.second)
                return true;
        return false;
    };
    const auto crossesText = [&](int y) {
        for (int x = 2; x < 54; ++x)
            if (!isLine(y) && image.pixelColor(x, y) != kGrey)
                return true;
        return false;
    };
    for (int k = 0; k < 24; ++k) {
        const double top = (800 + 245.0 * k) / 15;
        const double middle = top + 17 / 2.0;
        EXPECT_GT(middle, lines[k + 1].second + 1) << k;
        EXPECT_LT(middle, lines[k + 2].first) << k;
        for (const int t : {qFloor(top), qCeil(top)})
            for (const int y : {t, t + 1, t + 15, t + 16})
                EXPECT_FALSE(crossesText(y)) << "row " << k << " border at " << y;
    }
}

// ---------------------------------------------------------------------------------------------
// Weight by height

TEST(WeightChart, AxesSitOnTheMarkerLimits)
{
    const QImage image = pictures::render(pictures::WeightChart);
    const int left = qFloor(heightColumn(150));
    const int right = qFloor(heightColumn(210));
    const int top = qFloor(weightRow(130));
    const int bottom = qFloor(weightRow(40));
    EXPECT_EQ(left, 49);
    EXPECT_EQ(right, 786);
    EXPECT_EQ(top, 12);
    EXPECT_EQ(bottom, 397);
    for (int y : {top, 200, bottom}) {
        EXPECT_TRUE(isBlack(image, left, y)) << y;
        EXPECT_TRUE(isBlack(image, right, y)) << y;
    }
    for (int h = 150; h <= 210; h += 5)
        EXPECT_TRUE(isBlack(image, qFloor(heightColumn(h)), bottom + 2)) << h;
    for (int w = 40; w <= 130; w += 10)
        EXPECT_TRUE(isBlack(image, left - 2, qFloor(weightRow(w)))) << w;
}

struct BandEdge {
    double bmi;
    double height;
    QColor above;
    QColor below;
};

class WeightChartBandEdge : public ::testing::TestWithParam<BandEdge> { };

TEST_P(WeightChartBandEdge, ChangesColourAtTheCurve)
{
    const BandEdge& e = GetParam();
    const QImage image = pictures::render(pictures::WeightChart);
    const int x = qRound(heightColumn(e.height));
    const int y = qRound(weightRow(weightAt(e.bmi, e.height)));
    EXPECT_TRUE(isClose(image.pixelColor(x, y - 4), e.above, 0)) << image.pixelColor(x, y - 4).name().toStdString();
    EXPECT_TRUE(isClose(image.pixelColor(x, y + 4), e.below, 0)) << image.pixelColor(x, y + 4).name().toStdString();
    int darkest = 255;
    for (int dy = -1; dy <= 1; ++dy)
        darkest = qMin(darkest, image.pixelColor(x, y + dy).lightness());
    EXPECT_LT(darkest, qMin(e.above.lightness(), e.below.lightness()) - 30);
}

const QColor kLightBlue(153, 204, 254), kWhite(255, 255, 255), kPaleYellow(254, 254, 204), kBandAmber(254, 204, 0),
    kOrange(254, 101, 0), kBandRed(254, 0, 0);

INSTANTIATE_TEST_SUITE_P(
    WeightChart, WeightChartBandEdge,
    ::testing::Values(BandEdge{18.5, 152, kWhite, kLightBlue}, BandEdge{18.5, 185, kWhite, kLightBlue},
                      BandEdge{18.5, 205, kWhite, kLightBlue}, BandEdge{25, 152, kPaleYellow, kWhite},
                      BandEdge{25, 185, kPaleYellow, kWhite}, BandEdge{25, 205, kPaleYellow, kWhite},
                      BandEdge{30, 152, kBandAmber, kPaleYellow}, BandEdge{30, 200, kBandAmber, kPaleYellow},
                      BandEdge{35, 152, kOrange, kBandAmber}, BandEdge{35, 180, kOrange, kBandAmber},
                      BandEdge{40, 152, kBandRed, kOrange}, BandEdge{40, 175, kBandRed, kOrange}));

// ---------------------------------------------------------------------------------------------
// Small pictures

struct ButtonLook {
    const char* name;
    const Picture* picture;
    int dominantChannel; // 0 red, 1 green, 2 blue
};

class RoundButton : public ::testing::TestWithParam<ButtonLook> { };

TEST_P(RoundButton, IsItsColourWithAWhiteSymbol)
{
    const QImage image = pictures::render(*GetParam().picture);
    const QColor body = image.pixelColor(5, 18);
    const int channels[] = {body.red(), body.green(), body.blue()};
    const int dominant = channels[GetParam().dominantChannel];
    for (int c = 0; c < 3; ++c) {
        if (c != GetParam().dominantChannel) {
            EXPECT_GT(dominant, channels[c] + 60) << c;
        }
    }

    int white = 0;
    for (int y = 17; y < 27; ++y)
        for (int x = 9; x < 24; ++x)
            white += isClose(image.pixelColor(x, y), kWhite, 10);
    EXPECT_GE(white, 8);
}

INSTANTIATE_TEST_SUITE_P(Pictures, RoundButton,
                         ::testing::Values(ButtonLook{"Help", &pictures::HelpButton, 2},
                                           ButtonLook{"About", &pictures::AboutButton, 1},
                                           ButtonLook{"Quit", &pictures::QuitButton, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Icon, ShowsRedLettersOutlinedInYellowOnDark)
{
    const QImage image = pictures::render(pictures::Icon);
    int red = 0;
    int yellow = 0;
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 200 && c.green() < 60 && c.blue() < 60;
            yellow += c.red() > 200 && c.green() > 180 && c.blue() < 80;
        }
    }
    EXPECT_GT(red, 40);
    EXPECT_GT(yellow, 40);
    for (const QPoint& corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
        EXPECT_LT(image.pixelColor(corner).lightness(), 60);
}

// Menus and title bars get the whole icon, not a corner of the 32-pixel one.
TEST(Icon, SmallSizesShowTheWholeIcon)
{
    for (const int size : {16, 22, 24})
        EXPECT_NE(pictures::render(pictures::Icon, size / 32.0),
                  pictures::render(pictures::Icon).copy(0, 0, size, size));
    const QImage menu = pictures::render(pictures::Icon, 0.5); // drawn pixel by pixel: B, M, I in pure red
    for (const int x : {2, 7, 15})
        EXPECT_EQ(menu.pixelColor(x, 8), QColor(230, 0, 0)) << x;
}

TEST(RangeWarning, IsABlueDiamondWithAWhiteCentre)
{
    const QImage image = pictures::render(pictures::RangeWarning);
    EXPECT_TRUE(isClose(image.pixelColor(23, 23), kWhite, 0));
    for (const QPoint& p : {QPoint(15, 15), QPoint(31, 15), QPoint(15, 31), QPoint(31, 31)}) {
        const QColor c = image.pixelColor(p);
        EXPECT_EQ(c.alpha(), 255);
        EXPECT_GT(c.blue(), c.red() + 80) << p.x() << "," << p.y();
    }
    for (const QPoint& tip : {QPoint(22, 7), QPoint(22, 38), QPoint(7, 22), QPoint(38, 22)})
        EXPECT_TRUE(isClose(image.pixelColor(tip), kWhite, 10)) << tip.x() << "," << tip.y();
}

TEST(BuiltInBanner, FillsNearlyTheWholeWidthWithBlackTextOnLightGrey)
{
    const QImage image = pictures::render(pictures::BuiltInBanner);
    EXPECT_TRUE(isClose(image.pixelColor(3, 3), QColor(248, 248, 248), 0));
    for (const QPoint& p : {QPoint(0, 0), QPoint(467, 59), QPoint(234, 0), QPoint(0, 30)})
        EXPECT_TRUE(isBlack(image, p.x(), p.y()));
    int leftmost = image.width();
    int rightmost = -1;
    for (int y = 2; y < 58; ++y) {
        for (int x = 2; x < 466; ++x) {
            if (image.pixelColor(x, y).lightness() < 80) {
                leftmost = qMin(leftmost, x);
                rightmost = qMax(rightmost, x);
            }
        }
    }
    EXPECT_LT(leftmost, 20);
    EXPECT_GT(rightmost, 447);
}

TEST(Miniatures, ShowTheirBigPicturesColours)
{
    const QImage chart = pictures::render(pictures::ChartMiniature);
    const QColor topLeft = chart.pixelColor(3, 3);
    const QColor bottomRight = chart.pixelColor(51, 57);
    EXPECT_GT(topLeft.red(), 200);
    EXPECT_LT(topLeft.green(), 80);
    EXPECT_GT(bottomRight.blue(), bottomRight.red() + 60);

    // Each column by the commonest light colour down the data rows: how dark and where the
    // shrunken digits fall depends on the platform's glyph rendering.
    const QImage table = pictures::render(pictures::TableMiniature);
    const auto commonest = [&](int x) {
        std::map<QRgb, int> counts{{qRgb(0, 0, 0), 0}};
        for (int y = 12; y < 55; ++y)
            if (qGray(table.pixel(x, y)) >= 128)
                ++counts[table.pixel(x, y)];
        return QColor(std::ranges::max_element(counts, {}, &std::map<QRgb, int>::value_type::second)->first);
    };
    const QColor labels = commonest(2);
    const QColor average = commonest(10);
    const QColor range = commonest(18);
    EXPECT_LT(qAbs(labels.red() - labels.blue()), 30);
    EXPECT_GT(average.green(), average.red() + 20);
    EXPECT_GT(range.red(), range.blue() + 40);
}

} // namespace
